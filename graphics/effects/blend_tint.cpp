#include <algorithm>

#include "foundation/log.h"
#include "foundation/message_box.h"
#include "graphics/effects/blend.h"
#include "graphics/device/device.h"
#include "graphics/effects/effect_quad.h"

int DDChangeColorEx(DDSURFACEDATA* lpDst, int, int, int, int, DDSURFACEDATA* lpSrc, int nAlpha, BYTE bRed, BYTE bGreen,
                    BYTE bBlue) {
  if (!lpDTCon) {
    DebugLog(Cp932Literal("DDrawでは DDChangeColor(DDSURFACEDATA *lpDstSD,int x,int y,int nWidth,int nHeight,int "
                          "nAlpha,BYTE bRed,BYTE bGreen,BYTE bBlue) は未対応"));
    return 1;
  }
  if (!lpDst || !lpSrc) return 1;
  // The tint always covers the whole destination, whatever rectangle is passed.
  const effect_quad::QuadOperands ops = effect_quad::ResolveOperands(lpDst, lpSrc, 0, 0, 0, 0, false);
  // Stage 0: colour and alpha both texture x diffuse (modulate).
  constexpr std::uint32_t kModulate = 4;
  const int diffuseAlpha = 255 - std::clamp(nAlpha, 0, 255);
  const std::uint32_t diffuse = effect_pixels::Pack(diffuseAlpha, bRed, bGreen, bBlue);
  const int w = ops.dst->nWidth, h = ops.dst->nHeight;
  effect_quad::QuadOperands whole = ops;
  whole.srcW = w;
  whole.srcH = h;
  effect_quad::DrawPlainQuad(whole, 0, 0, w, h, {diffuse, kModulate, kModulate});
  return 1;
}

int DDChangeColor(DDSURFACEDATA* lpDstSD, int x, int y, int nWidth, int nHeight, int nAlpha, BYTE bRed, BYTE bGreen,
                  BYTE bBlue) {
  return DDChangeColorEx(lpDstSD, x, y, nWidth, nHeight, lpDstSD, nAlpha, bRed, bGreen, bBlue);
}

#include <algorithm>

#include "foundation/log.h"
#include "foundation/message_box.h"
#include "graphics/blend.h"
#include "graphics/device.h"
#include "graphics/effect_quad.h"

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
  const int diffuseAlpha = 255 - std::clamp(nAlpha, 0, 255);
  using namespace effect_pixels;
  using effect_quad::Modulate;
  effect_quad::DrawQuad(ops, 0, 0, ops.dst->nWidth, ops.dst->nHeight, [=](std::uint32_t texel) {
    return Pack(Modulate(Alpha(texel), diffuseAlpha), Modulate(Red(texel), bRed), Modulate(Green(texel), bGreen),
                Modulate(Blue(texel), bBlue));
  });
  return 1;
}

int DDChangeColor(DDSURFACEDATA* lpDstSD, int x, int y, int nWidth, int nHeight, int nAlpha, BYTE bRed, BYTE bGreen,
                  BYTE bBlue) {
  return DDChangeColorEx(lpDstSD, x, y, nWidth, nHeight, lpDstSD, nAlpha, bRed, bGreen, bBlue);
}

#include "graphics/effects/effect_quad.h"

#include "graphics/blits/blit.h"
#include "graphics/device/device.h"
#include "graphics/device/render_target.h"

namespace effect_quad {

using namespace effect_pixels;

std::uint32_t BlendOver(std::uint32_t stage, std::uint32_t dst) {
  const int a = Alpha(stage);
  if (a == 0) return dst;
  if (a == 255) return stage;
  const auto mix = [a](int c, int d) { return (c * a + d * (255 - a) + 127) / 255; };
  return Pack(mix(a, Alpha(dst)), mix(Red(stage), Red(dst)), mix(Green(stage), Green(dst)), mix(Blue(stage), Blue(dst)));
}

ContextStage::ContextStage() {
  const std::uint32_t diffuse = lpDTCon ? lpDTCon->dwDrawColor : 0xFFFFFFFF;
  const std::uint32_t colorOp = lpDTCon ? lpDTCon->dwColorOp : 4;
  const std::uint32_t alphaOp = lpDTCon ? lpDTCon->dwAlphaOp : 2;
  for (int t = 0; t < 256; ++t) {
    m_alpha[t] = static_cast<std::uint8_t>(ApplyStageOp(alphaOp, t, Alpha(diffuse)));
    m_red[t] = static_cast<std::uint8_t>(ApplyStageOp(colorOp, t, Red(diffuse)));
    m_green[t] = static_cast<std::uint8_t>(ApplyStageOp(colorOp, t, Green(diffuse)));
    m_blue[t] = static_cast<std::uint8_t>(ApplyStageOp(colorOp, t, Blue(diffuse)));
  }
}

QuadOperands ResolveOperands(DDSURFACEDATA* lpDst, DDSURFACEDATA* lpSrc, int srcX, int srcY, int w, int h,
                             bool mirror) {
  QuadOperands ops{lpDst, lpSrc, srcX, srcY, w, h, false};
  if (mirror) MirrorAliasSource(ops.src, &ops.srcX, &ops.srcY, &ops.srcW, &ops.srcH);
  ResolveAliasSurface(&ops.dst);
  ResolveAliasSurface(&ops.src);
  RedirectToVirBackBuffer(&ops.dst);
  RedirectToVirBackBuffer(&ops.src);
  ops.quad = ops.dst && ops.src && ops.dst->lpDT && ops.dst->lpDT->bRenderTarget && ops.src->lpDT &&
             ops.src->lpDT->nMemType != DTMEMORYTYPE_SYSTEM;
  return ops;
}

void DrawPlainQuad(const QuadOperands& ops, int x, int y, int w, int h, const QuadStage& stage) {
  if (!BeginQuad(ops.dst)) return;
  cPixelBuffer* dst = SurfacePixels(ops.dst);
  const cPixelBuffer* src = SurfacePixels(ops.src);
  if (dst && src) DrawTexturedQuad(dst, x, y, w, h, src, ops.srcX, ops.srcY, ops.srcW, ops.srcH, stage);
  EndQuad();
}

bool BeginQuad(DDSURFACEDATA* lpDst) { return DDBeginScene() && DDSetRenderTarget(0, lpDst); }

bool EndQuad() {
  return !lpDTCon || !lpDTCon->lpDefaultTarget || DDSetRenderTarget(0, lpDTCon->lpDefaultTarget) != 0;
}

}  // namespace effect_quad

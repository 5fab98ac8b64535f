#include <algorithm>

#include "graphics/blits/blend_row_kernels.h"
#include "graphics/blits/blend_rows.h"
#include "graphics/blits/fill.h"
#include "graphics/blits/simd.h"
#include "graphics/blits/span_rows.h"
#include "graphics/effects/blend.h"
#include "graphics/device/device.h"
#include "graphics/effects/effect_quad.h"

namespace {

using namespace effect_pixels;

constexpr std::uint32_t kModulate = 4;

// Half-and-half mix on locked pixels.
bool AlphaPixels(DDSURFACEDATA* lpDst, int x, int y, int w, int h, DDSURFACEDATA* lpSrc, int srcX, int srcY, int flags,
                 const BYTE* table) {
  LockedPair locks;
  if (!locks.Lock(lpDst, lpSrc)) return false;
  const PixelMode mode = CurrentMode();
  const TransparencyTest transparent = TransparencyTest::ForFlags(flags);
  if (mode == PixelMode::DirectDraw8) {
    const Plane<std::uint8_t> dst = PlaneOf<std::uint8_t>(locks.Dst());
    const Plane<std::uint8_t> src = PlaneOf<std::uint8_t>(locks.Src());
    const CopyRange r = ClipCopy(dst, x, y, w, h, src, srcX, srcY);
    for (int j = r.j0; j < r.j1; ++j) {
      std::uint8_t* out = dst.Row(y + j) + x;
      const std::uint8_t* in = src.Row(srcY + j) + srcX;
      for (int i = r.i0; i < r.i1; ++i) {
        const std::uint8_t s = in[i];
        // This blend leaves out index 0 whatever the colour key is.
        if (flags == 1 && s == 0) continue;
        out[i] = out[i] == 0 ? s : table[out[i] * 256 + s];
      }
    }
    return true;
  }
  const Plane<std::uint32_t> dst = PlaneOf<std::uint32_t>(locks.Dst());
  const Plane<std::uint32_t> src = PlaneOf<std::uint32_t>(locks.Src());
  const CopyRange r = ClipCopy(dst, x, y, w, h, src, srcX, srcY);
  if (r.Empty()) return true;
  const std::uint32_t key = g_DDState.dwColorKey & 0xFFFFFF;
  const BlendRowFunctions& rows = BlendRows();
  const auto mix = [&](std::uint32_t* out, const std::uint32_t* in, int n) {
    if (mode == PixelMode::Direct3D32)
      rows.halfOpaque(out, in, n, transparent.mask, transparent.value);
    else
      rows.halfKeyed(out, in, n, transparent.mask, transparent.value, key);
  };
  // A keyed source mixes only its runs of drawn pixels (the same runs its
  // keyed blits use).
  const cPixelBuffer* pixels = SurfacePixels(locks.Src().Surface());
  const std::uint32_t solidMask = mode == PixelMode::Direct3D32 ? 0xFF000000u : 0u;
  const bool runs =
      flags == 1 && pixels && pixels->OpaqueSpansReady({transparent.mask, transparent.value, solidMask});
  const int from = srcX + r.i0, to = srcX + r.i1;
  for (int j = r.j0; j < r.j1; ++j) {
    // Source column c lands on destination column c - srcX + x.
    std::uint32_t* out = dst.Row(y + j) + x;
    const std::uint32_t* in = src.Row(srcY + j) + srcX;
    if (!runs) {
      mix(out + r.i0, in + r.i0, r.i1 - r.i0);
      continue;
    }
    for (const OpaqueSpan& run : RunsFrom(pixels->OpaqueSpans(srcY + j, srcY + j + 1).Row(srcY + j), from)) {
      if (run.begin >= to) break;
      const int a = std::max<int>(run.begin, from), b = std::min<int>(run.end, to);
      mix(out + (a - srcX), in + (a - srcX), b - a);
    }
  }
  return true;
}

// The fill and the blend of DDFillBltAlpha, the blend row by row from the
// colour alone; false (nothing done) unless the fill writes the whole colour
// surface at once and the blend is a 1:1 quad of it: each destination pixel
// then takes the colour blended at the texel's alpha times the diffuse
// alpha, a constant.
bool FillAndBlendByRows(DDSURFACEDATA* lpDst, DDSURFACEDATA* lpColour, std::uint32_t colour, int nAlpha) {
  if (!lpDTCon || !lpDst || !lpColour || lpColour->lpAlias || DDFillBatchOpen()) return false;
  const int w = lpColour->nWidth, h = lpColour->nHeight;
  const effect_quad::QuadOperands ops = effect_quad::ResolveOperands(lpDst, lpColour, 0, 0, w, h, true);
  if (!ops.quad || ops.src != lpColour || ops.dst == lpColour) return false;
  cPixelBuffer* fill = SurfacePixels(lpColour);
  cPixelBuffer* dst = SurfacePixels(ops.dst);
  if (!fill || !dst || fill->BytesPerPixel() != 4 || dst->BytesPerPixel() != 4 || fill->Width() != w ||
      fill->Height() != h || w < 1 || h < 1)
    return false;
  if (!effect_quad::BeginQuad(ops.dst)) return false;
  const std::uint32_t diffuseAlpha = static_cast<std::uint32_t>(255 - std::clamp(nAlpha, 0, 255));
  const std::uint32_t stageAlpha = blend_kernels::Mul255(colour >> 24, diffuseAlpha);
  const int drawnW = std::min(w, dst->Width()), drawnH = std::min(h, dst->Height());
  // The colour surface holds the colour afterwards, as the fill under the
  // quad leaves it; the blend itself needs only the colour. Refilled every
  // frame with the same colour, it is written only the first time.
  fill->Clear(colour);
  const BlendRowFunctions& rows = BlendRows();
  for (int row = 0; row < drawnH; ++row) rows.constantColour(dst->Row32(row), drawnW, colour, stageAlpha);
  effect_quad::EndQuad();
  return true;
}

}  // namespace

void DDFillBltAlpha(DDSURFACEDATA* lpDst, DDSURFACEDATA* lpColour, std::uint32_t dwColor, int nAlpha) {
  if (FillAndBlendByRows(lpDst, lpColour, dwColor, nAlpha)) return;
  DDFillSurfaceRGB(lpColour, dwColor);
  if (lpColour) DDBltAlpha(lpDst, 0, 0, lpColour->nWidth, lpColour->nHeight, lpColour, 0, 0, 0, nullptr, nAlpha);
}

bool DDBltAlpha(DDSURFACEDATA* lpDst, int x, int y, int w, int h, DDSURFACEDATA* lpSrc, int srcX, int srcY, int flags,
                BYTE* lpBlendTable, int nAlpha) {
  if (!lpDst || !lpSrc) return true;
  const BYTE* table = lpBlendTable ? lpBlendTable : g_BlendTable;
  if (!lpDTCon) return AlphaPixels(lpDst, x, y, w, h, lpSrc, srcX, srcY, flags, table);
  const effect_quad::QuadOperands ops = effect_quad::ResolveOperands(lpDst, lpSrc, srcX, srcY, w, h, true);
  if (!ops.quad) return AlphaPixels(ops.dst, x, y, w, h, ops.src, srcX, srcY, flags, table);
  // Colour = texture x white, alpha = texture alpha x the diffuse alpha.
  const auto diffuseAlpha = static_cast<std::uint32_t>(255 - std::clamp(nAlpha, 0, 255));
  effect_quad::DrawPlainQuad(ops, x, y, w, h, {diffuseAlpha << 24 | 0xFFFFFF, kModulate, kModulate});
  return true;
}

bool DDBltHalf(DDSURFACEDATA* lpDst, int x, int y, int w, int h, DDSURFACEDATA* lpSrc, int srcX, int srcY, int flags,
               BYTE* lpBlendTable) {
  return DDBltAlpha(lpDst, x, y, w, h, lpSrc, srcX, srcY, flags, lpBlendTable, 128);
}

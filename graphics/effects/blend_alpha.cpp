#include <algorithm>

#include "graphics/effects/blend.h"
#include "graphics/device/device.h"
#include "graphics/effects/effect_quad.h"

namespace {

using namespace effect_pixels;

constexpr std::uint32_t kModulate = 4;

// The mean of two pixels' red, green and blue bytes, each rounded down.
constexpr std::uint32_t HalfMix(std::uint32_t a, std::uint32_t b) {
  return ((a & 0xFEFEFE) >> 1) + ((b & 0xFEFEFE) >> 1) + (a & b & 0x010101);
}

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
  const std::uint32_t key = g_DDState.dwColorKey & 0xFFFFFF;
  for (int j = r.j0; j < r.j1; ++j) {
    std::uint32_t* out = dst.Row(y + j) + x;
    const std::uint32_t* in = src.Row(srcY + j) + srcX;
    for (int i = r.i0; i < r.i1; ++i) {
      const std::uint32_t s = in[i];
      if (transparent(s)) continue;
      const std::uint32_t d = out[i];
      if (mode == PixelMode::Direct3D32)
        out[i] = kOpaque | HalfMix(s, d);
      else if ((d & 0xFFFFFF) == key)
        out[i] = (d & 0xFF000000) | (s & 0xFFFFFF);
      else
        out[i] = (d & 0xFF000000) | HalfMix(s, d);
    }
  }
  return true;
}

}  // namespace

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

#include "graphics/images/unpal.h"

#include <algorithm>

#include "foundation/log.h"
#include "graphics/device/device.h"
#include "graphics/surfaces/surface_lock.h"

int DDSetPalette_UnPal(PALETTEENTRY* lpPalette, DDSURFACEDATA* lpSD) {
  cSurfaceLock lock;
  if (!lock.Lock(lpSD)) {
    DebugLog("DDSetPalette_UnPal Lock Err");
    return 0;
  }
  if (lock.BitsPerPixel() != 32 || lock.BufferWidth() < 16 || lock.BufferHeight() < 24) return 0;
  for (int i = 0; i < 256; ++i) {
    const std::uint32_t p = lock.Row32(8 + i / 16)[i % 16];
    const auto alpha = static_cast<std::uint8_t>(p >> 24);
    if (lpDTCon && alpha == 0) continue;
    lpPalette[i] = {static_cast<std::uint8_t>(p >> 16), static_cast<std::uint8_t>(p >> 8),
                    static_cast<std::uint8_t>(p), alpha};
  }
  return 1;
}

int DDFade_UnPal(DDSURFACEDATA* lpDst, int nAlpha, std::uint8_t bRed, std::uint8_t bGreen, std::uint8_t bBlue,
                 DDSURFACEDATA* lpSrc) {
  if (lpDTCon) {
    DebugLogF("%s", Cp932Literal("D3DではDDFade_UnPalは未対応"));
    return 1;
  }
  cSurfaceLock dst, src;
  if (!dst.Lock(lpDst) || !src.Lock(lpSrc)) return 0;
  if (dst.BitsPerPixel() != 32 || src.BitsPerPixel() != 32) return 1;
  const std::uint32_t a = static_cast<std::uint32_t>(std::clamp(nAlpha, 0, 256)), ia = 256 - a;
  const int w = std::min({lpDst->nWidth, dst.BufferWidth(), src.BufferWidth()});
  const int h = std::min({lpDst->nHeight, dst.BufferHeight(), src.BufferHeight()});
  const std::uint32_t kr = bRed * ia, kg = bGreen * ia, kb = bBlue * ia;
  for (int y = 0; y < h; ++y) {
    const std::uint32_t* s = src.Row32(y);
    std::uint32_t* d = dst.Row32(y);
    for (int x = 0; x < w; ++x) {
      const std::uint32_t p = s[x];
      const std::uint32_t r = (((p >> 16) & 0xFF) * a + kr) >> 8;
      const std::uint32_t g = (((p >> 8) & 0xFF) * a + kg) >> 8;
      const std::uint32_t b = ((p & 0xFF) * a + kb) >> 8;
      d[x] = (d[x] & 0xFF000000u) | r << 16 | g << 8 | b;
    }
  }
  return 1;
}

#include "graphics/effects/effect_pixels.h"

#include "graphics/device/device.h"

namespace effect_pixels {

PixelMode CurrentMode() {
  if (lpDTCon) return PixelMode::Direct3D32;
  return g_DDState.nBpp == 8 ? PixelMode::DirectDraw8 : PixelMode::DirectDraw32;
}

bool LockedPair::Lock(DDSURFACEDATA* lpDst, DDSURFACEDATA* lpSrc) {
  if (!m_dst.Lock(lpDst)) return false;
  m_same = lpSrc == lpDst || SurfacePixels(lpSrc) == SurfacePixels(lpDst);
  if (m_same) return true;
  if (m_src.LockForReading(lpSrc)) return true;
  m_dst.Unlock();
  return false;
}

TransparencyTest TransparencyTest::ForMode(PixelMode mode, std::uint32_t colourKey) {
  switch (mode) {
    case PixelMode::DirectDraw8: return {0xFF, colourKey & 0xFF};
    case PixelMode::DirectDraw32: return {0xFFFFFF, colourKey & 0xFFFFFF};
    case PixelMode::Direct3D32: return {0xFF000000, 0};
  }
  return {};
}

TransparencyTest TransparencyTest::ForFlags(int flags) {
  return flags == 1 ? ForMode(CurrentMode(), g_DDState.dwColorKey) : TransparencyTest{};
}

ColourAdd ColourAdd::FromPair(const std::uint32_t* lpColorPair) {
  constexpr std::uint32_t kAddOperation = 7;
  ColourAdd add;
  if (!lpDTCon || !lpColorPair || lpColorPair[1] != kAddOperation) return add;
  add.active = true;
  add.red = Red(lpColorPair[0]);
  add.green = Green(lpColorPair[0]);
  add.blue = Blue(lpColorPair[0]);
  return add;
}

}  // namespace effect_pixels

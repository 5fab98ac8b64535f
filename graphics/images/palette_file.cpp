#include "graphics/images/palette_file.h"

#include "foundation/log.h"
#include "graphics/images/bitmap_load.h"
#include "graphics/device/device.h"
#include "graphics/images/image.h"
#include "graphics/surfaces/surface_lock.h"
#include "graphics/images/unpal.h"

namespace {

void ReadColourTable(const cImage& image, PALETTEENTRY* lpPalette, bool directDraw) {
  for (int i = 0; i < 256; ++i) {
    const std::uint32_t c = image.palette[i];
    const bool systemEntry = i < 10 || i >= 246;
    const std::uint8_t flags = directDraw ? (systemEntry ? 2 : 1) : 255;
    lpPalette[i] = {std::uint8_t(c >> 16), std::uint8_t(c >> 8), std::uint8_t(c), flags};
  }
}

// Loads the file into a temporary surface and reads its swatch block.
bool ReadSwatches(PALETTEENTRY* lpPalette, const char* file) {
  DDSURFACEDATA temp;
  const bool loaded =
      DDCreateSurfaceFromFile(&temp, file, 0, g_DDState.nBpp, 1, DTMEMORYTYPE_SYSTEM, 0, 0, 0, 0, 0) == 0;
  const bool read = loaded && DDSetPalette_UnPal(lpPalette, &temp) == 1;
  DDReleaseSurface(&temp);
  return read;
}

}  // namespace

bool DDLoadPaletteFromFile(PALETTEENTRY* lpPalette, const char* file, int) {
  cImage image;
  if (!LoadImageFile(file, image)) return false;
  const bool eightBitFile = image.indexed && image.fileBitsPerPixel == 8;
  if (lpDTCon && eightBitFile) ReadColourTable(image, lpPalette, false);
  if (!lpDTCon && g_DDState.nBpp == 8) {
    if (!eightBitFile) return false;
    ReadColourTable(image, lpPalette, true);
    DDSetScreenPalette(lpPalette, 0, 256);
    return true;
  }
  return ReadSwatches(lpPalette, file);
}

bool SetTrans(const char* file) {
  DDSURFACEDATA temp;
  if (DDCreateSurfaceFromFile(&temp, file, 0, g_DDState.nBpp, 1, DTMEMORYTYPE_SYSTEM, 0, 0, 0, 0, 0) != 0) {
    Report(Cp932Literal("%s 作成失敗！"), file);
    DDReleaseSurface(&temp);
    return false;
  }
  cSurfaceLock lock;
  if (!lock.Lock(&temp)) {
    Report("%s", Cp932Literal("Lock 失敗！"));
    Report("%s", lock.FailedCall().c_str());
    DDReleaseSurface(&temp);
    return false;
  }
  const std::uint32_t pixel = lock.BitsPerPixel() == 8 ? *lock.Row8(0) : *lock.Row32(0);
  lock.Unlock();
  DDReleaseSurface(&temp);
  if (lpDTCon) {
    DDSetTransmit(std::uint8_t(pixel >> 16), std::uint8_t(pixel >> 8), std::uint8_t(pixel));
  } else if (g_DDState.nBpp == 8) {
    g_DDState.dwColorKey = pixel;
  } else {
    g_DDState.dwColorKey = pixel & 0xFFFFFF;
    if (lpDDCon) lpDDCon->rgbTransmit = {std::uint8_t(pixel), std::uint8_t(pixel >> 8), std::uint8_t(pixel >> 16)};
  }
  return true;
}

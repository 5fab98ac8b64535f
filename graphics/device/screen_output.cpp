#include "graphics/device/screen_output.h"

#include <array>
#include <cstdint>

#include "graphics/images/palette.h"
#include "platform/mouse.h"
#include "platform/presenter.h"

void ConfigureScreenOutput(bool fullScreen, bool vsync) {
  platform::PresenterSettings settings = platform::GetPresenter().Settings();
  settings.fullScreen = fullScreen;
  settings.vsync = vsync;
  platform::GetPresenter().Configure(settings);
  // Over a full-screen game the pointer only hides the picture; a window
  // keeps it.
  platform::ShowPointer(!fullScreen);
}

bool ShowScreenSurface(DDSURFACEDATA* lpSD) {
  cPixelBuffer* pixels = SurfacePixels(lpSD);
  if (!pixels || pixels->Empty()) return true;
  platform::FrameView frame;
  frame.width = std::min(lpSD->nWidth, pixels->Width());
  frame.height = std::min(lpSD->nHeight, pixels->Height());
  frame.pitch = pixels->Pitch();
  std::array<std::uint32_t, 256> palette;
  if (pixels->BytesPerPixel() == 1) {
    for (int i = 0; i < 256; ++i) {
      const PALETTEENTRY& pe = g_ScreenPalette[i];
      palette[i] = std::uint32_t(pe.peRed) << 16 | std::uint32_t(pe.peGreen) << 8 | pe.peBlue;
    }
    frame.indexed = pixels->Row8(0);
    frame.palette = palette.data();
  } else {
    frame.argb = pixels->Row32(0);
  }
  return platform::GetPresenter().Submit(frame);
}

#include "stage/draw/layers/screen_color_pixels.h"

#include "graphics/device/device.h"
#include "graphics/effects/blend.h"
#include "graphics/effects/fade.h"
#include "graphics/images/palette.h"
#include "stage/draw/layers/screen_color.h"
#include "stage/draw/resources/screen_copies.h"

void DrawScreenColor(const ScreenColorState& state) {
  if (!state.shown) return;
  switch (CurrentScreenColorPath()) {
    case ScreenColorPath::Palette: {
      // Weight 256 keeps the palette: alpha 255 leaves the picture as it is.
      const int weight = state.alpha >= 255 ? 256 : state.alpha;
      PaletteArray faded;
      PalBlendColor(faded.data(), 0, 255, weight, state.red, state.green, state.blue, g_PalEntries.data());
      DDSetScreenPalette(faded.data(), 0, 256);
      break;
    }
    case ScreenColorPath::Blend:
      // The colour as a screen-size quad whose transparency is the alpha.
      if (DDSURFACEDATA* colour = ScreenCopy(0)) {
        const std::uint32_t rgb = 0xFF000000u | (std::uint32_t{state.red} << 16) | (std::uint32_t{state.green} << 8) |
                                  std::uint32_t{state.blue};
        DDFillBltAlpha(&BackBuffer, colour, rgb, state.alpha);
      }
      break;
    case ScreenColorPath::None: break;
  }
}

void ClearScreenColor(ScreenColorState& state) {
  if (state.shown && CurrentScreenColorPath() == ScreenColorPath::Palette)
    DDSetScreenPalette(g_PalEntries.data(), 0, 256);
  ResetScreenColor(state);
}

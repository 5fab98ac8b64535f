// Writes one PNG per blend, pixel effect, shaped blit, fade and text sample,
// in each drawing mode, for a person to look at:
//   tool_effect_demo [output folder]   (default: effect_demo_out)
// Runs headless; the pictures are drawn by code.
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "graphics/effects/blend.h"
#include "graphics/blits/blit.h"
#include "graphics/device/device.h"
#include "graphics/effects/effects.h"
#include "graphics/effects/fade.h"
#include "graphics/blits/fill.h"
#include "graphics/text/font.h"
#include "graphics/text/font_setup.h"
#include "graphics/blits/frame_rect.h"
#include "graphics/images/palette.h"
#include "graphics/blits/shaped_blits.h"
#include "graphics/surfaces/surface_lock.h"
#include "platform/backend.h"
#include "platform/presenter.h"
#include "platform/text_encoding.h"

namespace {

constexpr int kW = 640, kH = 480;

struct Mode {
  const char* name;
  int direct3D;
  int bpp;
};

// A palette of hues, 0 transparent black, 255 white.
void MakePalette() {
  for (int i = 0; i < 256; ++i) {
    const double t = i / 255.0 * 6.283;
    g_PalEntries[i] = {static_cast<std::uint8_t>(127 + 127 * std::sin(t)),
                       static_cast<std::uint8_t>(127 + 127 * std::sin(t + 2.1)),
                       static_cast<std::uint8_t>(127 + 127 * std::sin(t + 4.2)), 0};
  }
  g_PalEntries[0] = {0, 0, 0, 0};
  g_PalEntries[255] = {255, 255, 255, 0};
  g_PalEntries[241] = {255, 255, 255, 0};
  g_PalEntries[240] = {40, 60, 160, 0};
  DDSetScreenPalette(g_PalEntries.data(), 0, 256);
  for (int a = 0; a < 256; ++a)
    for (int b = 0; b < 256; ++b) g_BlendTable[a * 256 + b] = static_cast<BYTE>((a + b) / 2);
}

// Rings of colour on a checkered ground, with a see-through corner.
void PaintPicture(DDSURFACEDATA* sd) {
  cSurfaceLock lock;
  if (!lock.Lock(sd)) return;
  for (int y = 0; y < sd->nHeight; ++y)
    for (int x = 0; x < sd->nWidth; ++x) {
      const double d = std::hypot(x - sd->nWidth / 2.0, y - sd->nHeight / 2.0);
      int index = 1 + (static_cast<int>(d / 6.0) % 254);
      if (((x / 40) + (y / 40)) % 2 == 0) index = (index + 64) % 254 + 1;
      const bool transparent = x < 80 && y < 80;
      if (lock.BitsPerPixel() == 8) {
        lock.Row8(y)[x] = static_cast<std::uint8_t>(transparent ? 0 : index);
      } else {
        const PALETTEENTRY& e = g_PalEntries[index];
        const std::uint32_t rgb = std::uint32_t(e.peRed) << 16 | std::uint32_t(e.peGreen) << 8 | e.peBlue;
        lock.Row32(y)[x] = transparent ? 0 : (lpDTCon ? 0xFF000000u : 0u) | rgb;
      }
    }
}

void Background() { DDFillRect(&BackBuffer, 0, 0, kW, kH, 240); }

void Save(const std::filesystem::path& folder, const std::string& name) {
  if (lpDTCon)
    DDPresent(60, 0, 0);
  else
    DDFlip();
  const auto file = folder / (name + ".png");
  if (!platform::GetPresenter().WritePng(file)) std::fprintf(stderr, "could not write %s\n", file.c_str());
}

void RunMode(const Mode& mode, const std::filesystem::path& folder) {
  if (!DDInit(mode.direct3D, kW, kH, mode.bpp, 0, 1, 1, 60, 0, nullptr, nullptr, 0)) {
    std::fprintf(stderr, "%s: no device\n", mode.name);
    return;
  }
  MakePalette();
  DDSURFACEDATA picture, system;
  DDCreateSurface(&picture, kW, kH, 1, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0);
  DDCreateSurface(&system, kW, kH, 1, 1, DTMEMORYTYPE_SYSTEM, 0, 0);
  PaintPicture(&picture);
  PaintPicture(&system);
  {
    Font font;
    font.Create(g_FontDefs[1].szFace, 0, 16, 16, 16, 241, &picture, 2, 255, nullptr, 1);
    const std::uint32_t add[2] = {0x00402000, 7};
    const std::vector<std::pair<std::string, std::function<void()>>> effects = {
        {"picture", [&] { DDBlt(&BackBuffer, 0, 0, kW, kH, &picture, 0, 0, 1); }},
        {"half", [&] { DDBltHalf(&BackBuffer, 0, 0, kW, kH, &picture, 0, 0, 1, g_BlendTable); }},
        {"half_pixels", [&] { DDBltHalf(&BackBuffer, 0, 0, kW, kH, &system, 0, 0, 1, g_BlendTable); }},
        {"color_change", [&] {
           DDBltColorChange(&BackBuffer, 0, 0, kW, kH, &picture, 0, 0, 1, g_PalEntries.data(), g_BlendTable, 255, 2,
                            nullptr);
         }},
        {"change_color", [&] {
           DDBlt(&BackBuffer, 0, 0, kW, kH, &picture, 0, 0, 1);
           DDChangeColor(&BackBuffer, 0, 0, kW, kH, 128, 255, 64, 0);
         }},
        {"rotate", [&] { DDBltRotate(&BackBuffer, 320, 240, 400, 300, 200, 150, 30, &picture, 120, 90, 1); }},
        {"rotate_pixels", [&] { DDBltRotate(&BackBuffer, 320, 240, 400, 300, 200, 150, 30, &system, 120, 90, 1); }},
        {"circle", [&] { DDBltCircle(&BackBuffer, 320, 240, 200, 150, 180, 4, &picture, 320, 240, 1); }},
        {"lens", [&] { DDBltLens(&BackBuffer, 320, 240, 160, 80, &system, 320, 240, 1, 0, add); }},
        {"mosaic", [&] { DDBltMosaic(&BackBuffer, 0, 0, kW, kH, 12, &system, 0, 0, 1, nullptr); }},
        {"blur", [&] { DDBltBlur(&BackBuffer, 0, 0, kW, kH, 6, 6, &system, 0, 0, 1, nullptr); }},
        {"burst", [&] { DDBltBurst(&BackBuffer, 120, 90, 400, 300, &picture, 120, 90, 20, 1); }},
        {"split", [&] { DDBltSplit(&BackBuffer, 120, 90, 400, 300, 20, 15, &picture, 120, 90, 1, 1); }},
        {"wave", [&] { DDBltWave(&BackBuffer, 120, 90, 400, 300, 3, 20.0, 0, 2, &picture, 120, 90, 1, 0); }},
        {"rotate_depth", [&] {
           DDBltRotateDepth(&BackBuffer, 120, 90, 400, 300, &picture, 120, 90, &system, 0, 0, 400, 300, 1, 120, 0);
         }},
        {"fade_half", [&] {
           DDBlt(&BackBuffer, 0, 0, kW, kH, &picture, 0, 0, 1);
           for (int i = 0; i < 2; ++i) DDFadeOut(g_ShownPalette.data(), 0, 255, 0, 0, 0, 45.0, g_PalEntries.data(), 0);
         }},
        {"text", [&] {
           font.DrawBox(&BackBuffer, 40, 40, 560, 120);
           font.Draw(&BackBuffer, 48, 48, platform::Cp932FromUtf8("ABC abc 123 （カッコ）\nあいうえお 漢字テスト").c_str());
           font.PrintfBox(&BackBuffer, 40, 300, 0, 0, "%s %d", "Score", 12345);
         }},
    };
    for (const auto& [name, draw] : effects) {
      Background();
      draw();
      Save(folder, std::string(mode.name) + "_" + name);
      // The fade keeps its position between calls: finish it for the next mode.
      if (name == "fade_half") DDFadeOut(g_ShownPalette.data(), 0, 255, 0, 0, 0, 45.0, g_PalEntries.data(), 1);
    }
    DDSetScreenPalette(g_PalEntries.data(), 0, 256);
  }
  DDReleaseSurface(&picture);
  DDReleaseSurface(&system);
  DDRelease();
}

}  // namespace

int main(int argc, char** argv) {
  platform::SelectBackend(platform::Backend::Headless);
  const std::filesystem::path folder = argc > 1 ? argv[1] : "effect_demo_out";
  std::filesystem::create_directories(folder);
  for (const Mode& mode : {Mode{"dd8", 0, 8}, Mode{"dd32", 0, 32}, Mode{"d3d", 1, 32}}) RunMode(mode, folder);
  std::printf("wrote the pictures to %s\n", folder.c_str());
  return 0;
}

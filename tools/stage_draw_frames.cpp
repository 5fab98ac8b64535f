// Writes PNGs of the stage's screen effects (first, middle and last frame of
// each kind, forward and backward) and of the screen colour, in each drawing
// mode, for a person to look at:
//   tool_stage_draw_frames [output folder]   (default: stage_draw_out)
// Runs headless; the stage picture under the effects is drawn by code.
#include <array>
#include <cstdio>
#include <filesystem>
#include <string>

#include "graphics/blits/fill.h"
#include "graphics/device/device.h"
#include "graphics/images/palette.h"
#include "platform/backend.h"
#include "platform/presenter.h"
#include "project/database.h"
#include "project/global_data.h"
#include "stage/draw/effects/screen_effect_advance.h"
#include "stage/draw/effects/screen_effect_pixels.h"
#include "stage/draw/layers/screen_color.h"
#include "stage/draw/layers/screen_color_pixels.h"
#include "stage/draw/resources/screen_copies.h"

namespace {

constexpr int kW = 640, kH = 480;

struct Mode {
  const char* name;
  int direct3D;
  int bpp;
};

// Parameters {T, P1, P2, P3, P4} of each screen-effect kind 1..13.
constexpr std::array<std::array<std::int32_t, 5>, 13> kParams = {{
    {10, 0, 0, 120, 60}, {10, 10, 2, 0, 0}, {10, 10, 2, 0, 0}, {10, 0, 40, 8, 0}, {10, 0, 40, 8, 0},
    {10, 0, 30, 3, 4},   {10, 0, 30, 3, 4},  {10, 6, 0, 0, 0},  {10, 0, 90, 0, 0}, {10, 400, 40, 4, 0},
    {10, 640, 1280, 0, 0}, {10, 10, 60, 0, 0}, {10, 1, 24, 0, 0},
}};

void MakePalette() {
  for (int i = 0; i < 256; ++i) {
    g_PalEntries[i] = {static_cast<std::uint8_t>(i * 7), static_cast<std::uint8_t>(i * 3), static_cast<std::uint8_t>(255 - i), 0};
  }
  g_PalEntries[16] = {0, 0, 0, 0};
  DDSetScreenPalette(g_PalEntries.data(), 0, 256);
}

// Bands and boxes of colour: distortions show plainly on them.
void DrawStagePicture() {
  for (int band = 0; band < 12; ++band) DDFillRect(&BackBuffer, 0, band * 40, kW, 40, 20 + band * 18);
  for (int box = 0; box < 8; ++box) DDFillRect(&BackBuffer, 40 + box * 72, 200, 40, 80, 240 - box * 12);
}

void Save(const std::filesystem::path& folder, const std::string& name) {
  if (lpDTCon) DDPresent(60, 0, 0);
  else DDFlip();
  const auto file = folder / (name + ".png");
  if (!platform::GetPresenter().WritePng(file)) std::fprintf(stderr, "could not write %s\n", file.c_str());
}

void RunMode(const Mode& mode, const std::filesystem::path& folder) {
  if (!DDInit(mode.direct3D, kW, kH, mode.bpp, 0, 1, 1, 60, 0, nullptr, nullptr, 0)) return;
  MakePalette();
  for (int kind = 1; kind <= 13; ++kind) {
    for (int backward = 0; backward < 2; ++backward) {
      ScreenEffectFrame frame;
      StartScreenEffect(frame, kind, backward, 0);
      for (int n = 1; n <= 70; ++n) {
        DrawStagePicture();
        AdvanceScreenEffect(frame, 0);
        DrawScreenEffect(frame, ScreenPoint{320, 240}, &DrawStagePicture);
        if (n == 1 || n == 30 || frame.finished)
          Save(folder, std::string(mode.name) + "_effect" + std::to_string(kind) + (backward ? "_back_" : "_") +
                           std::to_string(n));
        if (frame.finished) break;
      }
    }
  }
  ScreenColorState colour;
  StartScreenColorChange(colour, {255, 64, 0, 100, 0, 10, 0, 0}, CurrentScreenColorPath());
  for (int n = 1; n <= 61; ++n) {
    DrawStagePicture();
    AdvanceScreenColor(colour, 0);
    DrawScreenColor(colour);
    if (n == 1 || n == 30 || n == 61) Save(folder, std::string(mode.name) + "_colour_" + std::to_string(n));
  }
  MakePalette();
  ReleaseScreenCopies();
  DDRelease();
}

}  // namespace

int main(int argc, char** argv) {
  platform::SelectBackend(platform::Backend::Headless);
  const std::filesystem::path folder = argc > 1 ? argv[1] : "stage_draw_out";
  std::filesystem::create_directories(folder);
  StartProjectData();
  g_Database->m_vScrEffect.resize(1);
  for (int kind = 1; kind <= 13; ++kind) {
    cScrEffect effect;
    effect.m_nKind = kind;
    effect.m_anParam = kParams[static_cast<std::size_t>(kind - 1)];
    g_Database->m_vScrEffect.push_back(effect);
  }
  BuildEffectWorkCopies(*g_Database);
  InitScrEffectSlots();
  for (const Mode& mode : {Mode{"dd8", 0, 8}, Mode{"dd32", 0, 32}, Mode{"d3d", 1, 32}}) RunMode(mode, folder);
  StopProjectData();
  std::printf("wrote the pictures to %s\n", folder.c_str());
  return 0;
}

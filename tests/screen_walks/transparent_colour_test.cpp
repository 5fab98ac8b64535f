// The transparent colour in every drawing mode: start-up reads the palette
// and the transparent colour from the palette bitmap in each back end, so a
// colour-keyed picture shows no key colour (the sample game keys magenta),
// palette colours fill with their own colour, not black, and the two 32-bit
// back ends draw the title alike.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "graphics/device/device.h"
#include "graphics/images/palette.h"
#include "screen_walk.h"
#include "screens/title/title_scene.h"
#include "shell/game/game.h"
#include "tools/sample_game/sample_palette.h"

namespace {

const DrawingMode kModes[] = {{"Direct3D32", {1, 1, 32}}, {"DirectDraw32", {0, 1, 32}}, {"DirectDraw8", {0, 0, 8}}};

bool InTitleMenu() {
  auto* title = dynamic_cast<cTitleScene*>(g_Game.Scene(GS_TITLE));
  return title && title->Phase() == cTitleScene::kMenu;
}

std::uint32_t Rgb(const sample_game::Rgb& c) { return std::uint32_t(c.r) << 16 | std::uint32_t(c.g) << 8 | c.b; }

TEST(TransparentColour, KeyedPicturesShowNoKeyColourInAnyDrawingMode) {
  const sample_game::Palette& palette = sample_game::SamplePalette();
  const std::uint32_t key = Rgb(palette[sample_game::pal::kClear]);
  std::vector<std::vector<std::uint32_t>> frames;
  for (const DrawingMode& mode : kModes) {
    SCOPED_TRACE(mode.name);
    sample_game::GenerateOptions options;
    options.startup = mode.startup;
    cScreenWalk walk(std::string("transparent_") + mode.name, options);
    g_PalEntries = {};  // nothing left from the mode before
    ASSERT_TRUE(walk.Start());
    const int bpp = g_DDState.nBpp;
    // The game's colours by number, whatever the depth.
    EXPECT_EQ(g_PalEntries[sample_game::pal::kText].peRed, palette[sample_game::pal::kText].r);
    EXPECT_EQ(g_PalEntries[sample_game::pal::kWindowDark].peBlue, palette[sample_game::pal::kWindowDark].b);
    if (!lpDTCon && bpp == 32) {
      EXPECT_EQ(g_DDState.dwColorKey, key);
    }
    ASSERT_TRUE(walk.StepUntil(InTitleMenu));
    walk.Step();
    walk.Shot("menu");
    int width = 0, height = 0;
    const std::vector<std::uint32_t> frame = walk.Harness().PresentedFrame(&width, &height);
    ASSERT_EQ(frame.size(), std::size_t(width) * std::size_t(height));
    int keyed = 0;
    for (std::uint32_t pixel : frame) keyed += (pixel & 0xFFFFFF) == key ? 1 : 0;
    EXPECT_EQ(keyed, 0);
    frames.push_back(frame);
    EXPECT_TRUE(walk.Harness().Close());
  }
  ASSERT_EQ(frames.size(), 3u);  // Direct3D 32 against DirectDraw 32
  int differ = 0;
  for (std::size_t i = 0; i < frames[0].size(); ++i) differ += frames[0][i] != frames[1][i] ? 1 : 0;
  EXPECT_EQ(differ, 0);
}

}  // namespace

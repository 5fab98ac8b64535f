// The hero's box display and view-range mask as pixels, in each drawing
// mode: filled and framed boxes at their places over the cell, smaller
// boxes over larger ones, the shade that moves on every 8 frames (held by
// the 8-bit palette-cycling switch), and the mask's window around the
// hero's cell, ahead of it for the forward-looking shapes.
#include <gtest/gtest.h>

#include "graphics/blits/fill.h"
#include "graphics/images/palette.h"
#include "stage/chara/hero.h"
#include "stage/core/stage_rules.h"
#include "stage/draw/chara/hero_drawing.h"
#include "stage/draw/resources/view_mask.h"
#include "tests/graphics/effect_test_support.h"
#include "tests/stage/stage_fixture.h"

namespace {

using effect_test::BackPixel;
using effect_test::Mode;

constexpr int kScreen = 1;

class HeroDrawing : public effect_test::DeviceTest {
 protected:
  void SetUp() override {
    saved_ = g_PalEntries;
    for (int i = 1; i < 256; ++i)
      g_PalEntries[static_cast<std::size_t>(i)] = {std::uint8_t(i), std::uint8_t(255 - i), std::uint8_t(i * 7), 0};
    ASSERT_TRUE(effect_test::StartDevice(GetParam(), 640, 480));
    DDFillRect(&BackBuffer, 0, 0, 640, 480, kScreen);
    // A 16 x 24 hit box standing on the bottom of its cell at (100, 200);
    // body box 32 x 32 over the whole cell, shot box 12 x 8 in its middle.
    hero.graphicOffsetX = 8;
    hero.graphicOffsetY = 8;
    hero.hitWidth = 16;
    hero.hitHeight = 24;
    hero.bodyBox.SetBase(-8, -8, 32, 32);
    hero.shotBox.SetBase(2, 4, 12, 8);
    hero.itemBox.SetBase(0, 0, 16, 16);
    hero.screenLeft = 100;
    hero.screenTop = 200;
  }
  void TearDown() override {
    ReleaseViewRangeMask();
    g_StageRules = StageRules{};
    DDRelease();
    g_PalEntries = saved_;
  }
  // What a fill with palette colour c leaves in this mode.
  std::uint32_t Colour(int c) {
    effect_test::TestSurface probe(1, 1);
    DDFillRect(&probe.sd, 0, 0, 1, 1, static_cast<std::uint32_t>(c));
    return Is8() ? probe.Get(0, 0) : probe.Get(0, 0) & 0xFFFFFF;
  }
  void Show(int kind, int style, int colour) {
    HeroBoxDisplay entry;
    entry.kind = kind;
    entry.style = style;
    entry.colour = colour;
    hero.boxDisplay.push_back(entry);
  }

  cHero hero;
  PaletteArray saved_;
};

TEST_P(HeroDrawing, FilledAndFramedBoxesStandAtTheirBoxes) {
  for (int c : {16, 208, 209, 210, 211, 212, 216}) ASSERT_NE(Colour(c), Colour(kScreen)) << c;
  Show(HeroBoxDisplay::kBodyBox, HeroBoxDisplay::kFrame, 212);
  Show(HeroBoxDisplay::kHitBox, HeroBoxDisplay::kFilled, 208);
  Show(HeroBoxDisplay::kShotBox, HeroBoxDisplay::kFilled, 216);
  DrawHeroBoxes(hero, &BackBuffer);
  // The body box's frame is the cell's outline.
  EXPECT_EQ(BackPixel(100, 200), Colour(212));
  EXPECT_EQ(BackPixel(131, 231), Colour(212));
  EXPECT_EQ(BackPixel(132, 231), Colour(kScreen));
  EXPECT_EQ(BackPixel(101, 201), Colour(kScreen));  // inside the frame
  // The hit box from (108, 208) to (123, 231) minus the frame's row.
  EXPECT_EQ(BackPixel(108, 208), Colour(208));
  EXPECT_EQ(BackPixel(123, 230), Colour(208));
  EXPECT_EQ(BackPixel(107, 208), Colour(kScreen));
  EXPECT_EQ(BackPixel(124, 208), Colour(kScreen));
  // The shot box over it, at hit box + (2, 4).
  EXPECT_EQ(BackPixel(110, 212), Colour(216));
  EXPECT_EQ(BackPixel(121, 219), Colour(216));
  EXPECT_EQ(BackPixel(110, 220), Colour(208));
}

TEST_P(HeroDrawing, TheShadeMovesOnEveryEightFramesAndWraps) {
  Show(HeroBoxDisplay::kHitBox, HeroBoxDisplay::kFilled, 208);
  const int shades[] = {208, 208, 209, 210, 211, 208};
  const int frames[] = {0, 7, 8, 16, 24, 32};
  int advanced = 0;
  for (int i = 0; i < 6; ++i) {
    for (; advanced < frames[i]; ++advanced) AdvanceHeroBoxDisplay(hero);
    DrawHeroBoxes(hero, &BackBuffer);
    EXPECT_EQ(BackPixel(110, 210), Colour(shades[i])) << frames[i];
  }
  g_StageRules.fixedBoxColour = 1;
  for (int i = 0; i < 8; ++i) AdvanceHeroBoxDisplay(hero);
  DrawHeroBoxes(hero, &BackBuffer);
  EXPECT_EQ(BackPixel(110, 210), Colour(Is8() ? 208 : 209));
}

TEST_P(HeroDrawing, NothingOfADeadHeroOrAHiddenBox) {
  Show(HeroBoxDisplay::kHitBox, HeroBoxDisplay::kHidden, 208);
  DrawHeroBoxes(hero, &BackBuffer);
  EXPECT_EQ(BackPixel(110, 210), Colour(kScreen));
  hero.boxDisplay.front().style = HeroBoxDisplay::kFilled;
  hero.dead = 1;
  DrawHeroBoxes(hero, &BackBuffer);
  EXPECT_EQ(BackPixel(110, 210), Colour(kScreen));
}

TEST_P(HeroDrawing, TheViewMaskLeavesTheHolesAroundTheCell) {
  hero.sightDots = 64;
  hero.def.m_nSightShape = 3;  // a square hole
  ASSERT_TRUE(CreateViewRangeMask(&g_ViewMask, &g_ViewOpening, 64, 3));
  DrawViewMask(hero, &BackBuffer);
  // The cell's centre is (116, 216): the hole reaches 64 dots each way.
  EXPECT_EQ(BackPixel(116, 216), Colour(kScreen));
  EXPECT_EQ(BackPixel(116 - 64, 216 - 64), Colour(kScreen));
  EXPECT_EQ(BackPixel(116 + 63, 216 + 63), Colour(kScreen));
  EXPECT_EQ(BackPixel(116 + 64, 216), Colour(16));
  EXPECT_EQ(BackPixel(116 - 65, 216), Colour(16));
  EXPECT_EQ(BackPixel(600, 400), Colour(16));

  // Looking ahead: the hole moves by the range toward the facing.
  DDFillRect(&BackBuffer, 0, 0, 640, 480, kScreen);
  hero.def.m_nSightShape = 4;
  hero.facing = 1;
  ASSERT_TRUE(CreateViewRangeMask(&g_ViewMask, &g_ViewOpening, 64, 4));
  DrawViewMask(hero, &BackBuffer);
  EXPECT_EQ(BackPixel(116 + 120, 216), Colour(kScreen));
  EXPECT_EQ(BackPixel(116 - 8, 216), Colour(16));

  // Shape 0 draws nothing.
  DDFillRect(&BackBuffer, 0, 0, 640, 480, kScreen);
  hero.def.m_nSightShape = 0;
  DrawViewMask(hero, &BackBuffer);
  EXPECT_EQ(BackPixel(600, 400), Colour(kScreen));
}

// A project that keys its own transparent colour (true-colour mode) opens
// the round hole in that colour; colour 0 would cover the hero.
TEST_P(HeroDrawing, TheRoundHoleIsOpenInAProjectsOwnTransparentColour) {
  DDSetTransmit(255, 0, 255);
  hero.sightDots = 64;
  hero.def.m_nSightShape = 1;
  const auto centreAfterTheMask = [&] {
    DDFillRect(&BackBuffer, 0, 0, 640, 480, kScreen);
    EXPECT_TRUE(CreateViewRangeMask(&g_ViewMask, &g_ViewOpening, 64, 1));
    DrawViewMask(hero, &BackBuffer);
    return BackPixel(116, 216);
  };
  {
    const SystemSwitch keyed(&cSystem::m_nColorMode, 1);
    EXPECT_EQ(centreAfterTheMask(), Colour(kScreen));
  }
  if (GetParam() == Mode::DirectDraw32) EXPECT_NE(centreAfterTheMask(), Colour(kScreen));
  else EXPECT_EQ(centreAfterTheMask(), Colour(kScreen));
}

TEST_P(HeroDrawing, TheMaskWindowStaysInsideTheMask) {
  hero.sightDots = 64;
  hero.def.m_nSightShape = 3;
  ASSERT_TRUE(CreateViewRangeMask(&g_ViewMask, &g_ViewOpening, 64, 3));
  hero.screenLeft = 1000;  // far right of the screen: the window's origin stops at 0
  hero.screenTop = -900;   // far above: it stops at the bottom
  DrawViewMask(hero, &BackBuffer);
  for (int x : {0, 639})
    for (int y : {0, 479}) EXPECT_EQ(BackPixel(x, y), Colour(16)) << x << "," << y;
}

INSTANTIATE_TEST_SUITE_P(Modes, HeroDrawing,
                         testing::Values(Mode::DirectDraw8, Mode::DirectDraw32, Mode::Direct3D32),
                         effect_test::ModeName);

}  // namespace

// Shown pictures and message windows on the screen, in each drawing mode:
// where a picture lands 1:1 and stretched, the order of the Z layers, and
// a message window's text inside its window.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <vector>

#include "definitions/stage/stage_record.h"
#include "graphics/blits/fill.h"
#include "graphics/images/palette.h"
#include "graphics/surfaces/surface_lock.h"
#include "graphics/text/font_setup.h"
#include "stage/scene/stage_scene.h"
#include "stage/show/show_message.h"
#include "stage/show/show_picture.h"
#include "tests/graphics/effect_test_support.h"
#include "tests/stage/show/show_fixture.h"

namespace show_test {
namespace {

using effect_test::Mode;

std::uint32_t Pixel(DDSURFACEDATA* surface, int x, int y) {
  cSurfaceLock lock;
  if (!lock.Lock(surface)) return 0xDEADBEEF;
  return lock.BitsPerPixel() == 8 ? lock.Row8(y)[x] : lock.Row32(y)[x];
}

constexpr int kRed = 5;
constexpr int kGreen = 6;

class ShowPixelsTest : public ShowTest, public testing::WithParamInterface<Mode> {
 protected:
  void SetUp() override {
    m_palette = g_PalEntries;
    ASSERT_TRUE(effect_test::StartDevice(GetParam(), 640, 480));
    // 8-bit pictures take the nearest colour of the palette.
    g_PalEntries[kRed] = {0xFF, 0, 0, 0};
    g_PalEntries[kGreen] = {0, 0xFF, 0, 0};
    ShowTest::SetUp();
  }
  void TearDown() override {
    ShowTest::TearDown();
    DDRelease();
    g_PalEntries = m_palette;
  }
  cShownPicture& Show(const PictureParams& p) {
    ShowPicture(Hero(), PictureCommand(p));
    return Scene().m_Draw.shows.pictures.back();
  }
  std::uint32_t Back(int x, int y) { return Pixel(&BackBuffer, x, y); }
  std::uint32_t Background() { return Back(600, 400); }

  // A message at the screen block (1, 1), the window at (32, 32); each
  // replaces the one before.
  void ShowBlockMessage(const std::string& text) {
    const MessageParams p{.place = kPlaceScreenBlocks, .x = 1, .y = 1, .idSwitch = 1, .id = 7};
    ShowMessage(Hero(), MessageCommand(text, p), 0);
  }

  // White text in a message window at (32, 32) over a sky, as the 48 x 48
  // pixels from (24, 24) show it.
  struct TextOnSky {
    // How far each pixel has gone from the sky toward white, in the channel
    // that went least far: 0 the sky, 1 white.
    std::vector<std::vector<double>> share;
    int ink = 0;      // pixels that are not the sky
    int outside = 0;  // of those, pixels not between the sky and white in every channel
    int top = -1;     // the first row with ink
    int bar = -1;     // the row with the most ink
  };
  TextOnSky ShowTextOnSky(const std::string& text, int caches) {
    constexpr int kTextColour = 241;
    constexpr int kEmptyColour = 16;  // what the stage shows without a background
    constexpr std::array<int, 3> kWhite{0xFF, 0xFF, 0xFF};
    g_PalEntries[kTextColour] = {0xFF, 0xFF, 0xFF, 0};
    g_PalEntries[kEmptyColour] = {0x58, 0x9C, 0xD8, 0};
    g_Fonts[1].Create(g_FontDefs[1].szFace, 0, 16, 16, 16, kTextColour, nullptr, 1, kTextColour, nullptr, caches);
    ShowBlockMessage(text);
    Step();
    g_Fonts[1].Release();
    const std::array<int, 3> sky = Rgb(Background());
    TextOnSky shown;
    shown.share.assign(48, std::vector<double>(48, 0.0));
    int mostInk = 0;
    for (int y = 0; y < 48; ++y) {
      int rowInk = 0;
      for (int x = 0; x < 48; ++x) {
        const std::array<int, 3> pixel = Rgb(Back(24 + x, 24 + y));
        if (pixel == sky) continue;
        ++rowInk;
        double least = 1.0, most = 0.0;
        for (std::size_t c = 0; c < 3; ++c) {
          const double part = double(pixel[c] - sky[c]) / double(kWhite[c] - sky[c]);
          least = std::min(least, part);
          most = std::max(most, part);
        }
        shown.outside += least < 0.0 || most > 1.0 ? 1 : 0;
        shown.share[std::size_t(y)][std::size_t(x)] = least;
      }
      shown.ink += rowInk;
      if (rowInk > 0 && shown.top < 0) shown.top = y;
      if (rowInk > mostInk) {
        mostInk = rowInk;
        shown.bar = y;
      }
    }
    return shown;
  }
  std::array<int, 3> Rgb(std::uint32_t pixel) const {
    if (GetParam() == Mode::DirectDraw8) {
      const PALETTEENTRY& e = g_PalEntries[pixel & 0xFF];
      return {e.peRed, e.peGreen, e.peBlue};
    }
    return {int(pixel >> 16 & 0xFF), int(pixel >> 8 & 0xFF), int(pixel & 0xFF)};
  }

 private:
  decltype(g_PalEntries) m_palette;
};

TEST_P(ShowPixelsTest, APictureLandsOnItsScreenBlocksOneToOne) {
  PictureParams p;
  p.place = kPictureScreenBlocks;
  p.x = 2;
  p.y = 3;
  p.offsetX = 5;
  p.offsetY = -4;
  cShownPicture& picture = Show(p);
  Step();
  const std::uint32_t red = Pixel(&picture.surface, 0, 0);
  ASSERT_NE(red, Background());
  EXPECT_EQ(Back(69, 92), red);
  EXPECT_EQ(Back(69 + 39, 92 + 19), red);
  EXPECT_EQ(Back(68, 92), Background());
  EXPECT_EQ(Back(69 + 40, 92), Background());
  EXPECT_EQ(Back(69, 92 + 20), Background());
}

TEST_P(ShowPixelsTest, AScaledPictureIsStretchedToItsRoundedSize) {
  PictureParams p;
  p.place = kPictureScreenCentre;
  p.percent = 250;  // 100 x 50, centred
  cShownPicture& picture = Show(p);
  Step();
  const std::uint32_t red = Pixel(&picture.surface, 0, 0);
  EXPECT_EQ(Back(270, 215), red);
  EXPECT_EQ(Back(369, 264), red);
  EXPECT_EQ(Back(269, 240), Background());
  EXPECT_EQ(Back(370, 240), Background());
  EXPECT_EQ(Back(320, 265), Background());
}

TEST_P(ShowPixelsTest, ZLayersDrawInTheirOrderAndOnePassKeepsTheListOrder) {
  PictureParams high;
  high.place = kPictureScreenBlocks;
  high.picture = 1;
  high.layer = 5;
  PictureParams low = high;
  low.picture = 2;
  low.layer = 2;
  const std::uint32_t red = Pixel(&Show(high).surface, 0, 0);
  const std::uint32_t green = Pixel(&Show(low).surface, 0, 0);
  ASSERT_NE(red, green);
  g_PlayStage.ZOrder = 1;
  Step();
  EXPECT_EQ(Back(10, 10), red);
  EXPECT_EQ(Back(60, 10), green);
  g_PlayStage.ZOrder = 0;
  Step();
  EXPECT_EQ(Back(10, 10), green);
}

TEST_P(ShowPixelsTest, AMessageWindowShowsItsTextInsideTheWindow) {
  constexpr int kTextColour = 241;
  g_PalEntries[kTextColour] = {0xFF, 0xFF, 0xFF, 0};
  g_Fonts[1].Create(g_FontDefs[0].szFace, 0, 16, 8, 16, kTextColour, nullptr, 1, kTextColour, nullptr, 1);
  MessageParams p;
  p.place = kPlaceScreenBlocks;
  p.x = 1;
  p.y = 1;
  ShowMessage(Hero(), MessageCommand("HH", p), 0);
  const cMessage& message = Scene().m_Draw.shows.messages.back();
  EXPECT_EQ(message.width, 2 * 8 + 2);
  EXPECT_EQ(message.height, 16 + 2);
  Step();
  const std::uint32_t background = Background();
  int inside = 0, outside = 0;
  for (int y = 24; y < 60; ++y)
    for (int x = 24; x < 60; ++x) {
      if (Back(x, y) == background) continue;
      if (x >= 33 && x < 49 && y >= 33 && y < 49) ++inside;
      else ++outside;
    }
  g_Fonts[1].Release();
  EXPECT_GT(inside, 0);
  EXPECT_EQ(outside, 0);
}

// Without glyph caches (the Direct3D default) the window is measured by the
// face's own advances; every character must still land whole inside it.
TEST_P(ShowPixelsTest, AMessageWindowWithoutGlyphCachesHoldsEveryCharacterWhole) {
  constexpr int kTextColour = 241;
  g_PalEntries[kTextColour] = {0xFF, 0xFF, 0xFF, 0};
  g_Fonts[1].Create(g_FontDefs[1].szFace, 0, 16, 16, 16, kTextColour, nullptr, 1, kTextColour, nullptr, 0);
  const auto inkOf = [&](const std::string& text) {
    ShowBlockMessage(text);  // the second text replaces the first
    Step();
    const std::uint32_t background = Background();
    int ink = 0;
    for (int y = 24; y < 60; ++y)
      for (int x = 24; x < 400; ++x) ink += Back(x, y) != background ? 1 : 0;
    return ink;
  };
  const std::string hiragana = "\x82\xA0";  // one full-width character
  const int one = inkOf(hiragana);
  const int three = inkOf(hiragana + hiragana + " " + hiragana);
  g_Fonts[1].Release();
  EXPECT_GT(one, 0);
  EXPECT_EQ(three, 3 * one);
}

// Text in a message window (its own surface, cleared see-through and laid
// over the frame afterwards) shows as it would drawn on the frame itself:
// each pixel a mix of the background and the text colour, never darker
// than both, and a thin stroke as strong as its coverage.
TEST_P(ShowPixelsTest, AMessageWindowsTextLiesBetweenTheBackgroundAndTheTextColour) {
  for (const int caches : {1, 0}) {
    SCOPED_TRACE(caches ? "with glyph caches" : "without glyph caches");
    const TextOnSky plus = ShowTextOnSky("+", caches);
    EXPECT_GT(plus.ink, 0);
    EXPECT_EQ(plus.outside, 0) << "of " << plus.ink << " pixels of text";
    // The middle row of the upper arm crosses only the vertical stroke.
    ASSERT_LT(plus.top + 1, plus.bar);
    const std::vector<double>& arm = plus.share[std::size_t((plus.top + plus.bar) / 2)];
    EXPECT_GE(*std::max_element(arm.begin(), arm.end()), 0.5);
  }
}

INSTANTIATE_TEST_SUITE_P(Modes, ShowPixelsTest,
                         testing::Values(Mode::DirectDraw8, Mode::DirectDraw32, Mode::Direct3D32),
                         effect_test::ModeName);

}  // namespace
}  // namespace show_test

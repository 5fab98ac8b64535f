// Characters drawn from the exchangeable bitmaps of the database (graphic
// kind 4), in each drawing mode: the bitmap's own cell size and row layout,
// the whole cell drawn centred on the draw box and standing on its bottom,
// scaled by the size factor, each cell mirrored in its place for a
// character facing right, and nothing for a cell below the picture.
#include <gtest/gtest.h>

#include "graphics/blits/fill.h"
#include "graphics/images/palette.h"
#include "project/database.h"
#include "project/global_data.h"
#include "stage/chara/chara.h"
#include "stage/draw/chara/chara_drawing.h"
#include "stage/draw/chara/graphic_source.h"
#include "stage/draw/resources/special_surfaces.h"
#include "tests/graphics/effect_test_support.h"
#include "tests/stage/show/show_fixture.h"

namespace {

using effect_test::BackPixel;
using effect_test::Mode;

constexpr int kScreen = 1;
constexpr std::size_t kRed = 200;
constexpr std::size_t kBlue = 201;

// Bitmap 1: a red 128 x 64 picture of 64 x 64 cells (scale 2, 8 to a row),
// each cell with a blue band over its 16 leftmost columns; bitmap 2: the
// same picture read as 32 x 32 cells, 16 to a row.
class ExchangeableChara : public show_test::ShowTest, public testing::WithParamInterface<Mode> {
 protected:
  void SetUp() override {
    saved_ = g_PalEntries;  // 8 bits: the picture's red is matched to entry kRed
    g_PalEntries[kRed] = {255, 0, 0, 0};
    g_PalEntries[kBlue] = {0, 0, 255, 0};
    ASSERT_TRUE(effect_test::StartDevice(GetParam(), 640, 480));
    ShowTest::SetUp();
    show_test::WritePicture("bmp\\picture\\Big.bmp", 128, 64,
                            [](int x, int) { return x % 64 < 16 ? 0x0000FFu : 0xFF0000u; });
    auto& bitmaps = g_Database->m_vBmpCharaExc;
    bitmaps.resize(3);
    bitmaps[1].m_strFile = bitmaps[2].m_strFile = "bmp\\picture\\Big.bmp";
    bitmaps[1].m_nBigCell = 1;
    bitmaps[1].m_nCellScale = 2;
    bitmaps[2].m_nBigCell = 0;
    LoadBmpCharaExcSurfaces();
    DDFillRect(&BackBuffer, 0, 0, 640, 480, kScreen);
  }
  void TearDown() override {
    ReleaseSpecialSurfaces();
    ShowTest::TearDown();
    DDRelease();
    g_PalEntries = saved_;
  }
  // The cell's red and blue as this mode shows them.
  void ExpectRed(int x, int y) {
    const std::uint32_t red = GetParam() == Mode::DirectDraw8 ? kRed : 0xFF0000u;
    EXPECT_EQ(BackPixel(x, y), red) << x << "," << y;
  }
  void ExpectBlue(int x, int y) {
    const std::uint32_t blue = GetParam() == Mode::DirectDraw8 ? kBlue : 0x0000FFu;
    EXPECT_EQ(BackPixel(x, y), blue) << x << "," << y;
  }

 private:
  decltype(g_PalEntries) saved_{};
};

TEST_P(ExchangeableChara, CellsLieInRowsOfTheBitmapsOwnSize) {
  GraphicSource big = GetExchangeableSource(1, 1, 0);
  ASSERT_NE(big.surface, nullptr);
  EXPECT_EQ(big.x, 64);
  EXPECT_EQ(big.y, 0);
  EXPECT_EQ(big.ownCellSize, 64);
  const GraphicSource twin = GetExchangeableSource(1, 1, 1);  // the mirrored twin, the cell in its place
  EXPECT_NE(twin.surface, nullptr);
  EXPECT_NE(twin.surface, big.surface);
  EXPECT_EQ(twin.x, 64);
  EXPECT_EQ(twin.y, 0);
  EXPECT_EQ(GetExchangeableSource(1, 8, 0).surface, nullptr);      // row 1: below the picture
  GraphicSource small = GetExchangeableSource(2, 3, 0);
  EXPECT_EQ(small.x, 96);
  EXPECT_EQ(small.y, 0);
  EXPECT_EQ(small.ownCellSize, 32);
  small = GetExchangeableSource(2, 17, 0);
  EXPECT_EQ(small.x, 32);
  EXPECT_EQ(small.y, 32);
  EXPECT_EQ(GetGraphicSource(kGraphicKindExchangeable, 2, 0).surface, small.surface);  // bitmap 2, cell 0
  for (int record : {0, 3, -1}) EXPECT_EQ(GetExchangeableSource(record, 0, 0).surface, nullptr);
  EXPECT_EQ(GetExchangeableSource(1, -1, 0).surface, nullptr);
}

TEST_P(ExchangeableChara, TheWholeCellIsDrawnStandingOnTheDrawBox) {
  cChara chara;
  chara.def.m_nGraphicKind = kGraphicKindExchangeable;
  chara.def.m_nGraphicNo = 1;
  chara.drawnFrame = 1;  // cell 1 of bitmap 1
  chara.screenLeft = 100;
  chara.screenTop = 200;
  DrawCharaPixels(chara, &BackBuffer);
  // 64 x 64, centred on the 32 x 32 box at (100, 200), its bottom at 231;
  // facing left, the band is on the left.
  ExpectBlue(84, 168);
  ExpectBlue(99, 200);
  ExpectRed(100, 200);
  ExpectRed(147, 231);
  EXPECT_EQ(BackPixel(148, 231), BackPixel(0, 0));
  EXPECT_EQ(BackPixel(83, 200), BackPixel(0, 0));
  EXPECT_EQ(BackPixel(100, 167), BackPixel(0, 0));
  EXPECT_EQ(BackPixel(100, 232), BackPixel(0, 0));

  chara.sizeFactor = 2;  // 128 x 128 over the 64 x 64 box at (300, 200), facing right
  chara.facing = 1;
  chara.screenLeft = 300;
  DrawCharaPixels(chara, &BackBuffer);
  ExpectRed(268, 136);
  ExpectRed(363, 200);
  ExpectBlue(364, 200);  // mirrored: the band on the right
  ExpectBlue(395, 263);
  EXPECT_EQ(BackPixel(396, 263), BackPixel(0, 0));
  EXPECT_EQ(BackPixel(267, 200), BackPixel(0, 0));
  EXPECT_EQ(BackPixel(300, 264), BackPixel(0, 0));

  chara.drawnFrame = 8;  // below the picture
  chara.sizeFactor = 1;
  chara.screenLeft = 500;
  DrawCharaPixels(chara, &BackBuffer);
  EXPECT_EQ(BackPixel(510, 220), BackPixel(0, 0));
}

INSTANTIATE_TEST_SUITE_P(Modes, ExchangeableChara,
                         testing::Values(Mode::DirectDraw8, Mode::DirectDraw32, Mode::Direct3D32),
                         effect_test::ModeName);

}  // namespace

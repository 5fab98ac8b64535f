// Character cells: the sheet and cell of each graphic kind, the mirrored
// sheet for the other facing, and the cell drawn at the screen place, 1:1
// or stretched by the size factor; at 8 bits the blur effect and the turn
// in depth, whose turned half shows the other facing's picture.
#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "graphics/effects/blend.h"
#include "graphics/images/bitmap_table.h"
#include "project/effect_records.h"
#include "stage/chara/chara.h"
#include "stage/blocks/block_map.h"
#include "stage/draw/blocks/block_drawing.h"
#include "stage/draw/chara/chara_drawing.h"
#include "stage/scroll/scroll_axis.h"
#include "stage/draw/chara/graphic_source.h"
#include "tests/stage/draw/sheet_screen.h"

namespace {

TEST(GraphicSource, CellsLieFifteenToAColumn) {
  GraphicSource s = GetGraphicSource(1, 16, 0);
  EXPECT_EQ(s.surface, &g_BmpSD[4]);
  EXPECT_EQ(s.x, 32);
  EXPECT_EQ(s.y, 32);
  EXPECT_EQ(GetGraphicSource(1, 16, 1).surface, &g_BmpSD[5]);
  EXPECT_EQ(GetGraphicSource(1, 16, 1).backSurface, &g_BmpSD[4]);  // seen from behind
  EXPECT_EQ(GetGraphicSource(1, 16, 0).backSurface, &g_BmpSD[5]);
  s = GetGraphicSource(1, 120 + 31, 0);  // second sheet
  EXPECT_EQ(s.surface, &g_BmpSD[6]);
  EXPECT_EQ(s.x, 64);
  EXPECT_EQ(s.y, 32);
  EXPECT_EQ(GetGraphicSource(0, 3, 1).surface, &g_BmpSD[3]);
  s = GetGraphicSource(3, 31, 0);  // shots: the padded sheet, 30 to a column
  EXPECT_EQ(s.surface, &g_BmpSD[63]);
  EXPECT_EQ(s.x, 32);
  EXPECT_EQ(s.y, 32);
  EXPECT_EQ(GetGraphicSource(4, 1, 0).surface, nullptr);
  EXPECT_EQ(GetGraphicSource(1, 8 * 120, 0).surface, nullptr);
  EXPECT_EQ(GetGraphicSource(1, -1, 0).surface, nullptr);
}

class CharaPixels : public SheetScreen {
 protected:
  CharaPixels() : SheetScreen(4, 256, 480) {}
  void SetUp() override {
    SheetScreen::SetUp();
    DDFillRect(sheet, 0, 0, 256, 480, 3);
    DDFillRect(sheet, 32, 64, 32, 32, 9);  // cell 17
  }
};

TEST_F(CharaPixels, TheFrameCellIsDrawnAtTheScreenPlace) {
  cChara chara;
  chara.def.m_nGraphicKind = 1;
  chara.def.m_nGraphicNo = 15;
  chara.def.m_nGraphicOffset = 1;
  chara.drawnFrame = 1;  // cell 17
  chara.screenLeft = 100;
  chara.screenTop = 50;
  DrawCharaPixels(chara, &BackBuffer);
  EXPECT_EQ(Back(100, 50), 9u);
  EXPECT_EQ(Back(131, 81), 9u);
  EXPECT_EQ(Back(132, 81), 1u);
  EXPECT_EQ(Back(99, 50), 1u);

  chara.sizeFactor = 2;
  chara.screenLeft = 300;
  DrawCharaPixels(chara, &BackBuffer);
  EXPECT_EQ(Back(363, 113), 9u);
  EXPECT_EQ(Back(364, 113), 1u);

  chara.cmdHidden = 1;
  chara.screenLeft = 500;
  DrawCharaPixels(chara, &BackBuffer);
  EXPECT_EQ(Back(510, 60), 1u);

  chara.cmdHidden = 0;  // a transparent definition is not drawn either
  chara.def.m_bTransparent = 1;
  chara.screenLeft = 560;
  DrawCharaPixels(chara, &BackBuffer);
  EXPECT_EQ(Back(570, 60), 1u);
}

// A character of cell 17 with effect `kind` at `value`.
struct CharaWithEffect {
  explicit CharaWithEffect(int kind, double value) {
    definition.m_nKind = kind;
    chara.def.m_nGraphicKind = 1;
    chara.def.m_nGraphicOffset = 17;
    chara.shownEffect.number = 1;
    chara.shownEffect.definition = &definition;
    chara.shownEffect.value = value;
  }
  cCharaEffect definition;
  cChara chara;
};

// The blend table maps a pair of colours to their mean while a test runs.
class BlendingCharaPixels : public CharaPixels {
 protected:
  void SetUp() override {
    CharaPixels::SetUp();
    m_table.assign(g_BlendTable, g_BlendTable + kBlendTableSize);
    for (int a = 0; a < 256; ++a)
      for (int b = 0; b < 256; ++b) g_BlendTable[a * 256 + b] = static_cast<BYTE>((a + b) / 2);
  }
  void TearDown() override {
    std::copy(m_table.begin(), m_table.end(), g_BlendTable);
    CharaPixels::TearDown();
  }

 private:
  std::vector<BYTE> m_table;
};

// Palette numbers have no mean: the blur pulls the cell toward colour 31,
// the effect's value giving how many times; at 0 it draws nothing.
TEST_F(BlendingCharaPixels, BlurAtEightBitsPullsTheCellTowardColour31) {
  for (const auto& [value, expected] : {std::pair{0.0, 1u}, std::pair{1.0, 20u}, std::pair{3.0, 28u}}) {
    DDFillRect(&BackBuffer, 0, 0, 640, 480, 1);
    CharaWithEffect blurred(kCharaEffectBlur, value);
    blurred.chara.screenLeft = 100;
    blurred.chara.screenTop = 50;
    DrawCharaPixels(blurred.chara, &BackBuffer);
    EXPECT_EQ(Back(100, 50), expected) << value;  // 9 -> 20 -> 25 -> 28
    EXPECT_EQ(Back(131, 81), expected) << value;
    EXPECT_EQ(Back(132, 81), 1u) << value;
  }
}

// Cell 17 on the plain sheet and on its twin for the other facing, each
// with a mark in a different corner.
class TurningCharaPixels : public CharaPixels {
 protected:
  void SetUp() override {
    CharaPixels::SetUp();
    twin = &g_BmpSD[5];
    ASSERT_TRUE(DDCreateSurface(twin, 256, 480, 1, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0));
    DDFillRect(twin, 0, 0, 256, 480, 3);
    DDFillRect(twin, 32, 64, 32, 32, 9);
    DDFillRect(sheet, 32, 64, 4, 8, 12);
    DDFillRect(twin, 60, 64, 4, 8, 12);
  }
  void TearDown() override {
    DDReleaseSurface(twin);
    CharaPixels::TearDown();
  }
  // The 32 x 32 dots drawn at (x, 50).
  std::vector<std::uint32_t> Drawn(int x) {
    std::vector<std::uint32_t> dots;
    for (int y = 50; y < 82; ++y)
      for (int dx = 0; dx < 32; ++dx) dots.push_back(Back(x + dx, y));
    return dots;
  }
  std::vector<std::uint32_t> DrawnPlain(int facing, int x) {
    CharaWithEffect plain(kCharaEffectNone, 0);
    plain.chara.facing = facing;
    plain.chara.screenLeft = x;
    plain.chara.screenTop = 50;
    DrawCharaPixels(plain.chara, &BackBuffer);
    return Drawn(x);
  }
  std::vector<std::uint32_t> DrawnTurned(int facing, int step, int x) {
    CharaWithEffect turned(kCharaEffectRotateDepth, step);
    turned.chara.facing = facing;
    turned.chara.screenLeft = x;
    turned.chara.screenTop = 50;
    DrawCharaPixels(turned.chara, &BackBuffer);
    return Drawn(x);
  }

  DDSURFACEDATA* twin = nullptr;
};

// Turned by a half turn (step 2 x 16 for a 32-dot cell), a flat picture
// shows what the character looks like facing the other way.
TEST_F(TurningCharaPixels, TurnInDepthShowsTheOtherFacingsPictureFromBehind) {
  ASSERT_NE(DrawnPlain(0, 500), DrawnPlain(1, 560));
  for (int facing : {0, 1}) {
    EXPECT_EQ(DrawnTurned(facing, 0, 100), DrawnPlain(facing, 200)) << facing;
    EXPECT_EQ(DrawnTurned(facing, 32, 300), DrawnPlain(1 - facing, 400)) << facing;
  }
}

class BlockPixels : public SheetScreen {
 protected:
  BlockPixels() : SheetScreen(2, 256, 480) {}
};

TEST_F(BlockPixels, BlocksOfTheLayerAreOffsetByTheSubCellScroll) {
  DDFillRect(sheet, 32, 64, 32, 32, 9);  // cell 17
  cEdBlock block;
  block.m_nGraphicNo = 17;
  cEdBlock front = block;
  front.m_nLayer = 1;
  cEdBlock hidden = block;
  hidden.m_bHidden = 1;
  cBlockMap map;
  map.Reset(40, 6);
  map.Place(12, 11, block, 1);
  map.Place(14, 11, front, 2);
  map.Place(16, 11, hidden, 3);
  ScrollAxis x, y;
  x.position = 330.7;  // column 10, 10 dots into it
  y.position = 340;    // row 10, 20 dots into it
  DrawBlocks(map, 0, x, y, nullptr);
  const int left = 64 - 10, top = 32 - 20;
  EXPECT_EQ(Back(left, top), 9u);
  EXPECT_EQ(Back(left + 31, top + 31), 9u);
  EXPECT_EQ(Back(left + 32, top + 31), 1u);
  EXPECT_EQ(Back(left - 1, top), 1u);
  EXPECT_EQ(Back(left + 64, top), 1u);   // the front layer waits for its pass
  EXPECT_EQ(Back(left + 128, top), 1u);  // hidden
  DrawBlocks(map, 1, x, y, nullptr);
  EXPECT_EQ(Back(left + 64, top), 9u);
}

// A block whose conditions do not hold (here: there is no hero to test them
// for) is left out; the test is made in the advance half.
TEST_F(BlockPixels, BlocksWhoseConditionsFailAreNotDrawn) {
  DDFillRect(sheet, 32, 64, 32, 32, 9);  // cell 17
  cEdBlock plain;
  plain.m_nGraphicNo = 17;
  cEdBlock conditional = plain;
  conditional.m_vConds.resize(1);
  cEdBlock front = conditional;
  front.m_nLayer = 1;
  cBlockMap map;
  map.Reset(40, 6);
  map.Place(10, 10, plain, 1);
  map.Place(12, 10, conditional, 2);
  map.Place(14, 10, front, 3);
  ScrollAxis x, y;
  x.position = 320;
  y.position = 320;
  BlockWindowHidden hidden;
  AdvanceBlockConditions(map, x, y, hidden);
  EXPECT_EQ(hidden.cells[0][2], 1);
  EXPECT_EQ(hidden.cells[1][4], 1);
  EXPECT_EQ(hidden.cells[0][0], 0);
  DrawBlocks(map, 0, x, y, nullptr, &hidden);
  DrawBlocks(map, 1, x, y, nullptr, &hidden);
  EXPECT_EQ(Back(5, 5), 9u);
  EXPECT_EQ(Back(64 + 5, 5), 1u);
  EXPECT_EQ(Back(128 + 5, 5), 1u);
  DrawBlocks(map, 0, x, y, nullptr);  // without the results every block shows
  EXPECT_EQ(Back(64 + 5, 5), 9u);
}

}  // namespace

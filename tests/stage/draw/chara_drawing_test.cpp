// Character cells: the sheet and cell of each graphic kind, the mirrored
// sheet for the other facing, and the cell drawn at the screen place, 1:1
// or stretched by the size factor.
#include <gtest/gtest.h>

#include "graphics/images/bitmap_table.h"
#include "stage/chara/chara.h"
#include "stage/draw/chara/chara_drawing.h"
#include "stage/draw/chara/graphic_source.h"
#include "tests/stage/draw/sheet_screen.h"

namespace {

TEST(GraphicSource, CellsLieFifteenToAColumn) {
  GraphicSource s = GetGraphicSource(1, 16, 0);
  EXPECT_EQ(s.surface, &g_BmpSD[4]);
  EXPECT_EQ(s.x, 32);
  EXPECT_EQ(s.y, 32);
  EXPECT_EQ(GetGraphicSource(1, 16, 1).surface, &g_BmpSD[5]);
  s = GetGraphicSource(1, 120 + 31, 0);  // second sheet
  EXPECT_EQ(s.surface, &g_BmpSD[6]);
  EXPECT_EQ(s.x, 64);
  EXPECT_EQ(s.y, 32);
  EXPECT_EQ(GetGraphicSource(0, 3, 1).surface, &g_BmpSD[3]);
  s = GetGraphicSource(3, 31, 0);
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
}

}  // namespace

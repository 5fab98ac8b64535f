// Item cells at the screen place, 1:1 or stretched, hidden items, the
// overlay mark on top, and the drop-item icon's window of frames above its
// character.
#include <gtest/gtest.h>

#include "stage/chara/stage_chara.h"
#include "stage/core/stage_rules.h"
#include "stage/draw/items/item_drawing.h"
#include "stage/draw/resources/effect_sheets.h"
#include "stage/items/stage_item.h"
#include "tests/stage/draw/sheet_screen.h"

namespace {

constexpr std::uint32_t kItemColour = 9, kMarkColour = 21;

class ItemPixels : public SheetScreen {
 protected:
  ItemPixels() : SheetScreen(40, 256, 480) {}
  void SetUp() override {
    SheetScreen::SetUp();
    DDFillRect(sheet, 0, 0, 256, 480, 3);
    DDFillRect(sheet, 32, 64, 32, 32, kItemColour);  // cell 17
    mark = MarkSheet();
    ASSERT_TRUE(DDCreateSurface(mark, 64, 480, 1, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0));
    DDFillRect(mark, 0, 0, 64, 480, 0);               // transparent
    DDFillRect(mark, 32, 32, 8, 8, kMarkColour);      // mark 16: column 1, row 1
  }
  void TearDown() override {
    DDReleaseSurface(mark);
    SheetScreen::TearDown();
  }
  static cStageItem Item(int left, int top) {
    cStageItem item;
    item.def.m_nGraphicKind = 2;
    item.def.m_nGraphicNo = 17;
    item.screenLeft = left;
    item.screenTop = top;
    return item;
  }
  DDSURFACEDATA* mark = nullptr;
};

TEST_F(ItemPixels, CellAtTheScreenPlaceStretchedByTheSizeFactorUnlessHidden) {
  cStageItem item = Item(100, 50);
  DrawItemPixels(item, &BackBuffer, mark);
  EXPECT_EQ(Back(100, 50), kItemColour);
  EXPECT_EQ(Back(131, 81), kItemColour);
  EXPECT_EQ(Back(132, 81), 1u);

  item.sizeFactor = 2;
  item.screenLeft = 300;
  DrawItemPixels(item, &BackBuffer, mark);
  EXPECT_EQ(Back(363, 113), kItemColour);
  EXPECT_EQ(Back(364, 113), 1u);

  cStageItem hidden = Item(500, 50);
  hidden.def.m_bHidden = 1;
  DrawItemPixels(hidden, &BackBuffer, mark);
  EXPECT_EQ(Back(510, 60), 1u);
}

TEST_F(ItemPixels, OverlayMarkSixteenComesFromColumnOneRowOne) {
  cStageItem item = Item(100, 50);
  item.def.m_nOverlay = 1;
  item.def.m_nOverlayNo = 16;
  DrawItemPixels(item, &BackBuffer, mark);
  EXPECT_EQ(Back(100, 50), kMarkColour);
  EXPECT_EQ(Back(107, 57), kMarkColour);
  EXPECT_EQ(Back(108, 58), kItemColour);  // the item shows where the mark is clear

  item.sizeFactor = 2;  // the mark grows with the item
  item.screenLeft = 300;
  DrawItemPixels(item, &BackBuffer, mark);
  EXPECT_EQ(Back(315, 65), kMarkColour);
  EXPECT_EQ(Back(316, 66), kItemColour);

  item.def.m_nOverlay = 0;  // no overlay asked
  item.screenLeft = 500;
  DrawItemPixels(item, &BackBuffer, mark);
  EXPECT_EQ(Back(500, 50), kItemColour);
}

TEST_F(ItemPixels, DropIconShowsInItsWindowOfFramesWhenTheProjectShowsThem) {
  cStageChara chara;
  chara.present = 1;
  chara.screenLeft = 200;
  chara.screenTop = 200;
  chara.dropItem = Item(0, 0);
  chara.dropItem.empty = 0;
  const StageRules saved = g_StageRules;
  g_StageRules.showDropIcons = 1;
  int shown = 0;
  for (int frame = 1; frame <= 96; ++frame) {
    AdvanceDropIcon(chara);
    DDFillRect(&BackBuffer, 0, 0, 640, 480, 1);
    DrawDropIcon(chara, &BackBuffer);
    if (Back(200, 168) == kItemColour) ++shown;
    if (frame == 64) {
      EXPECT_EQ(Back(231, 199), kItemColour);  // just above the character
    }
  }
  EXPECT_EQ(shown, 32);
  EXPECT_EQ(chara.dropIconCounter, 0);  // the cycle starts again

  g_StageRules.showDropIcons = 0;
  chara.dropIconCounter = 70;
  DDFillRect(&BackBuffer, 0, 0, 640, 480, 1);
  DrawDropIcon(chara, &BackBuffer);
  EXPECT_EQ(Back(200, 168), 1u);
  g_StageRules = saved;
}

}  // namespace

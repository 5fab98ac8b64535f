// A shot's cell from the shot sheet of its facing, at its screen place,
// 1:1 or stretched by its size factor, and nothing for a hidden shot.
#include <gtest/gtest.h>

#include "stage/draw/shots/shot_drawing.h"
#include "stage/shots/stage_shot.h"
#include "tests/stage/draw/sheet_screen.h"

namespace {

constexpr std::uint32_t kShotColour = 9;

class ShotPixels : public SheetScreen {
 protected:
  ShotPixels() : SheetScreen(20, 480, 64) {}
  void SetUp() override {
    SheetScreen::SetUp();
    DDFillRect(sheet, 0, 0, 480, 64, 3);
    DDFillRect(sheet, 16, 32, 16, 16, kShotColour);  // graphic 31: column 1, row 2
  }
  static void Place(cStageShot& shot, int left, int top, int size) {
    shot.rec.m_nGraphic = 31;
    shot.rec.m_nSize = static_cast<std::uint8_t>(size);
    shot.screenLeft = left;
    shot.screenTop = top;
  }
};

TEST_F(ShotPixels, CellOfTheGraphicAtTheScreenPlaceStretchedBySizeUnlessHidden) {
  cStageShot shot;
  Place(shot, 100, 50, 1);
  DrawShotPixels(shot, &BackBuffer);
  EXPECT_EQ(Back(100, 50), kShotColour);
  EXPECT_EQ(Back(115, 65), kShotColour);
  EXPECT_EQ(Back(116, 65), 1u);

  cStageShot big;
  Place(big, 300, 50, 2);
  DrawShotPixels(big, &BackBuffer);
  EXPECT_EQ(Back(331, 81), kShotColour);
  EXPECT_EQ(Back(332, 81), 1u);

  cStageShot hidden;
  Place(hidden, 500, 50, 1);
  hidden.rec.m_bHide = 1;
  DrawShotPixels(hidden, &BackBuffer);
  EXPECT_EQ(Back(505, 55), 1u);
}

}  // namespace

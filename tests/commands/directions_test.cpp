// Direction choices and the facing-relative direction codes.
#include <gtest/gtest.h>

#include "commands/dispatch/directions.h"

namespace {

TEST(DirectionsTest, ChoicesMapThroughTheTable) {
  EXPECT_EQ(MapDirChoice(0, 0, 1), kDirRight);
  EXPECT_EQ(MapDirChoice(0, 1, 0), kDirLeft);
  const int expected[] = {kDirLeft, kDirRight, kDirUp, kDirDown, kDirUpLeft, kDirDownLeft, kDirUpRight, kDirDownRight};
  for (int choice = 1; choice <= 8; ++choice) EXPECT_EQ(MapDirChoice(choice, 0, 1), expected[choice - 1]);
  EXPECT_EQ(MapDirChoice(9, 0, 0), kDirLeft);
  EXPECT_EQ(MapDirChoice(9, 1, 0), kDirFacing);
  EXPECT_EQ(MapDirChoice(-1, 0, 1), kDirRight);
  EXPECT_EQ(MapDirChoice(77, 1, 0), kDirLeft);
}

TEST(DirectionsTest, FacingCodesResolveByTheFacing) {
  EXPECT_EQ(ResolveFacingCode(kDirFacing, 0), kDirLeft);
  EXPECT_EQ(ResolveFacingCode(kDirBack, 0), kDirRight);
  EXPECT_EQ(ResolveFacingCode(kDirFacingY, 0), kDirUp);
  EXPECT_EQ(ResolveFacingCode(kDirFacingY, 1), kDirDown);
  EXPECT_EQ(ResolveFacingCode(kDirBackY, 1), kDirUp);
  EXPECT_EQ(ResolveFacingCode(kDirUpLeft, 1), kDirUpLeft);
}

}  // namespace

// Draw batches: drawing order, sorting by source, registered sources, the
// keyed pre-clear and the nesting limit.
#include <gtest/gtest.h>

#include "tests/graphics/effect_test_support.h"
#include "graphics/blits/batch.h"
#include "graphics/blits/blit.h"
#include "graphics/device/device.h"

using effect_test::Mode;
using effect_test::TestSurface;

namespace {

class BatchTest : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(effect_test::StartDevice(Mode::Direct3D32)); }
  void TearDown() override {
    while (DDBatchDepth() > 0) DDEndBatch();
    DDRelease();
  }
};

// Sheets of one opaque colour each; quads overlap at one pixel so the last
// drawn shows.
struct Sheets {
  TestSurface a{1, 1}, b{1, 1}, dst{1, 1};
  Sheets() {
    a.Set(0, 0, 0xFFAAAAAA);
    b.Set(0, 0, 0xFFBBBBBB);
    dst.Fill(0xFF000000);
  }
  void Draw(TestSurface& s) { DDBlt(&dst.sd, 0, 0, 1, 1, &s.sd, 0, 0, 1); }
};

TEST_F(BatchTest, UnsortedLevelKeepsBlitOrder) {
  Sheets s;
  DDBeginBatch(0);
  s.Draw(s.a);
  s.Draw(s.b);
  EXPECT_EQ(s.dst.Get(0, 0), 0xFF000000u);  // collected, not drawn
  DDEndBatch();
  EXPECT_EQ(s.dst.Get(0, 0), 0xFFBBBBBBu);
  EXPECT_EQ(DDBatchDepth(), 0);
}

TEST_F(BatchTest, SortedLevelGroupsQuadsOfOneSourceByFirstUse) {
  Sheets s;
  DDBeginBatch(1);
  s.Draw(s.a);
  s.Draw(s.a);
  s.Draw(s.b);
  s.Draw(s.a);  // drawn with the other A quads, before B
  DDEndBatch();
  EXPECT_EQ(s.dst.Get(0, 0), 0xFFBBBBBBu);
}

TEST_F(BatchTest, RegisteredSourceIsDrawnAfterUnregisteredOnes) {
  Sheets s;
  DDBeginBatch(1);
  DDBatchAdd(&s.a.sd);
  DDBatchAdd(&s.a.sd);  // a second registration is ignored
  s.Draw(s.a);
  s.Draw(s.b);
  DDEndBatch();
  EXPECT_EQ(s.dst.Get(0, 0), 0xFFAAAAAAu);
}

TEST_F(BatchTest, RegistrationNeedsASortedLevel) {
  Sheets s;
  DDBeginBatch(0);
  DDBatchAdd(&s.a.sd);
  s.Draw(s.a);
  s.Draw(s.b);
  DDEndBatch();
  EXPECT_EQ(s.dst.Get(0, 0), 0xFFBBBBBBu);
}

TEST_F(BatchTest, PartRegistrationsMatchTheCellPosition) {
  TestSurface sheet(2, 1), dst(1, 1);
  sheet.Set(0, 0, 0xFF111111);
  sheet.Set(1, 0, 0xFF222222);
  DDBeginBatch(1);
  DDBatchAddPart(&sheet.sd, 0, 0);
  DDBlt(&dst.sd, 0, 0, 1, 1, &sheet.sd, 0, 0, 1);  // registered cell: drawn last
  DDBlt(&dst.sd, 0, 0, 1, 1, &sheet.sd, 1, 0, 1);
  DDEndBatch();
  EXPECT_EQ(dst.Get(0, 0), 0xFF111111u);
}

// A quad that borrows the key of a registered cell's quad is no registered-cell
// quad itself: a later quad from another cell of that sheet borrows the same
// key instead of a fresh low one. Order: D, then A, B and C together.
TEST_F(BatchTest, BorrowedKeysDoNotCarryTheRegisteredCellMark) {
  TestSurface sheet(2, 1), other(1, 1), dst(1, 1);
  sheet.Set(0, 0, 0xFF111111);
  sheet.Set(1, 0, 0xFF222222);
  other.Set(0, 0, 0xFF333333);
  DDBeginBatch(1);
  DDBatchAddPart(&sheet.sd, 0, 0);
  DDBlt(&dst.sd, 0, 0, 1, 1, &sheet.sd, 0, 0, 1);  // A
  DDBlt(&dst.sd, 0, 0, 1, 1, &sheet.sd, 0, 0, 1);  // B
  DDBlt(&dst.sd, 0, 0, 1, 1, &sheet.sd, 1, 0, 1);  // C
  DDBlt(&dst.sd, 0, 0, 1, 1, &other.sd, 0, 0, 1);  // D
  DDEndBatch();
  EXPECT_EQ(dst.Get(0, 0), 0xFF222222u) << "C is drawn last";
}

TEST_F(BatchTest, PausedLevelDrawsAtOnce) {
  Sheets s;
  DDBeginBatch(0);
  DDBatchPause();
  s.Draw(s.a);
  EXPECT_EQ(s.dst.Get(0, 0), 0xFFAAAAAAu);
  DDBatchResume();
  s.Draw(s.b);
  EXPECT_EQ(s.dst.Get(0, 0), 0xFFAAAAAAu);
  DDEndBatch();
  EXPECT_EQ(s.dst.Get(0, 0), 0xFFBBBBBBu);
}

TEST_F(BatchTest, KeyedOpaqueRunClearsEveryRectangleBeforeDrawing) {
  TestSurface sheet(2, 1), dst(3, 1);
  sheet.Set(0, 0, 0);  // transparent texel
  sheet.Set(1, 0, 0xFF00FF00);
  dst.Fill(0xFF123456);
  DDBeginBatch(0);
  DDBlt(&dst.sd, 0, 0, 2, 1, &sheet.sd, 0, 0, 0);
  DDBlt(&dst.sd, 1, 0, 2, 1, &sheet.sd, 0, 0, 0);  // same run: its clear comes before the first quad is drawn
  DDEndBatch();
  EXPECT_EQ(dst.Get(0, 0), 0u);
  EXPECT_EQ(dst.Get(1, 0), 0xFF00FF00u);
  EXPECT_EQ(dst.Get(2, 0), 0xFF00FF00u);
}

TEST_F(BatchTest, LevelsBeyondTheLimitDoNotPopTheEnclosingLevel) {
  Sheets s;
  for (int i = 0; i < 100; ++i) DDBeginBatch(0);
  DDBeginBatch(0);  // refused
  EXPECT_EQ(DDBatchDepth(), 100);
  DDEndBatch();  // absorbed
  EXPECT_EQ(DDBatchDepth(), 100);
  s.Draw(s.a);
  EXPECT_EQ(s.dst.Get(0, 0), 0xFF000000u);
  while (DDBatchDepth() > 0) DDEndBatch();
  EXPECT_EQ(s.dst.Get(0, 0), 0xFFAAAAAAu);
  DDEndBatch();  // nothing open: nothing happens
}

TEST(BatchDirectDrawTest, BatchesDoNothingInDirectDrawMode) {
  ASSERT_TRUE(effect_test::StartDevice(Mode::DirectDraw32));
  DDBeginBatch(1);
  EXPECT_EQ(DDBatchDepth(), 0);
  DDEndBatch();
  DDRelease();
}

}  // namespace

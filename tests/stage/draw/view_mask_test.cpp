// The view-range mask: its size from the clamped range, and the square or
// round hole at its centre.
#include <gtest/gtest.h>

#include "graphics/surfaces/surface_lock.h"
#include "stage/draw/resources/view_mask.h"
#include "tests/graphics/effect_test_support.h"

namespace {

class ViewMask : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(effect_test::StartDevice(effect_test::Mode::DirectDraw8, 640, 480)); }
  void TearDown() override {
    ReleaseViewRangeMask();
    DDRelease();
  }
  static std::uint32_t At(int x, int y) {
    cSurfaceLock lock;
    return lock.Lock(&g_ViewMask) ? lock.Row8(y)[x] : 0xDEAD;
  }
};

TEST_F(ViewMask, SquareAndRoundHolesOfTheRangeAtTheCentre) {
  ASSERT_TRUE(CreateViewRangeMask(&g_ViewMask, &g_ViewOpening, 64, 0));
  EXPECT_EQ(g_ViewMask.nWidth, 1280 + 128);
  EXPECT_EQ(g_ViewMask.nHeight, 960 + 128);
  const int cx = 704, cy = 544;
  EXPECT_EQ(At(cx, cy), 0u);
  EXPECT_EQ(At(cx - 64, cy - 64), 0u);  // the square's corner
  EXPECT_EQ(At(cx - 65, cy), 16u);
  EXPECT_EQ(At(cx + 64, cy), 16u);

  ASSERT_TRUE(CreateViewRangeMask(&g_ViewMask, &g_ViewOpening, 64, 1));
  EXPECT_EQ(At(cx, cy), 0u);
  EXPECT_EQ(At(cx - 60, cy - 60), 16u);  // outside the circle, inside the square
  EXPECT_EQ(At(cx + 40, cy), 0u);
}

TEST_F(ViewMask, RangeIsClampedAndZeroLeavesNoHole) {
  ASSERT_TRUE(CreateViewRangeMask(&g_ViewMask, &g_ViewOpening, 255 * 16, 0));
  EXPECT_EQ(g_ViewMask.nWidth, 2560);
  EXPECT_EQ(g_ViewMask.nHeight, 2240);
  ASSERT_TRUE(CreateViewRangeMask(&g_ViewMask, &g_ViewOpening, 0, 1));
  EXPECT_EQ(At(640, 480), 16u);
}

}  // namespace

#include "graphics/blits/shaped_blits.h"

#include <gtest/gtest.h>

#include "tests/graphics/effect_test_support.h"
#include "graphics/blits/frame_rect.h"
#include "graphics/images/palette.h"

namespace {

using effect_test::DeviceTest;
using effect_test::Mode;
using effect_test::TestSurface;

// A 10 x 4 source whose column c has the value c + 1, on a cleared target.
class ShapedBlitTest : public DeviceTest {
 protected:
  void SetUp() override {
    DeviceTest::SetUp();
    dst = std::make_unique<TestSurface>(32, 32);
    src = std::make_unique<TestSurface>(10, 4);
    dst->Fill(Opaque(0x000000));
    for (int y = 0; y < 4; ++y)
      for (int x = 0; x < 10; ++x) src->Set(x, y, Opaque(static_cast<std::uint32_t>(x + 1) * 0x010101));
  }
  void TearDown() override {
    dst.reset();
    src.reset();
    DeviceTest::TearDown();
  }
  std::uint32_t Column(int c) const { return Opaque(static_cast<std::uint32_t>(c + 1) * 0x010101); }
  std::uint32_t Empty() const { return Opaque(0); }
  std::unique_ptr<TestSurface> dst, src;
};

TEST_P(ShapedBlitTest, SplitWithoutStripsIsAPlainBlit) {
  DDBltSplit(&dst->sd, 5, 5, 10, 4, 0, 3, &src->sd, 0, 0, 0, 1);
  EXPECT_EQ(dst->Get(5, 5), Column(0));
  EXPECT_EQ(dst->Get(14, 8), Column(9));
}

TEST_P(ShapedBlitTest, VerticalSplitPushesOddStripsUpAndEvenStripsDown) {
  DDBltSplit(&dst->sd, 5, 10, 10, 4, 4, 2, &src->sd, 0, 0, 0, 1);
  EXPECT_EQ(dst->Get(5, 12), Column(0));  // strip 0 down by 2
  EXPECT_EQ(dst->Get(5, 11), Empty());
  EXPECT_EQ(dst->Get(9, 8), Column(4));   // strip 1 up by 2
  EXPECT_EQ(dst->Get(9, 12), Empty());
  EXPECT_EQ(dst->Get(13, 10), Empty());   // the last two columns are not drawn
  EXPECT_EQ(dst->Get(13, 12), Empty());
}

TEST_P(ShapedBlitTest, HorizontalSplitMovesRows) {
  DDBltSplit(&dst->sd, 5, 10, 10, 4, 2, 3, &src->sd, 0, 0, 0, 0);
  EXPECT_EQ(dst->Get(8, 10), Column(0));  // row strip 0 right by 3
  EXPECT_EQ(dst->Get(2, 12), Column(0));  // row strip 1 left by 3
}

TEST_P(ShapedBlitTest, WaveWithoutAmplitudeDrawsThePictureUnchanged) {
  DDBltWave(&dst->sd, 3, 3, 10, 4, 2, 0.0, 0, 3, &src->sd, 0, 0, 0, 1);
  for (int x = 0; x < 10; ++x) EXPECT_EQ(dst->Get(3 + x, 4), Column(x));
  EXPECT_EQ(dst->Get(13, 4), Empty());
}

TEST_P(ShapedBlitTest, WaveDisplacesSlicesAlongTheSine) {
  // One wave over 10 columns, slices of 5: accumulator 180 then 360 degrees,
  // with phase 90: sin(270) = -1 and sin(450) = 1.
  DDBltWave(&dst->sd, 3, 10, 10, 4, 1, 4.0, 90, 5, &src->sd, 0, 0, 0, 1);
  EXPECT_EQ(dst->Get(3, 6), Column(0));
  EXPECT_EQ(dst->Get(8, 14), Column(5));
}

TEST_P(ShapedBlitTest, BurstPushesTheQuartersApart) {
  DDBltBurst(&dst->sd, 10, 10, 10, 4, &src->sd, 0, 0, 2, 0);
  EXPECT_EQ(dst->Get(8, 8), Column(0));     // top left at (x - 2, y - 2)
  EXPECT_EQ(dst->Get(17, 8), Column(5));    // top right at (x + 5 + 2, y - 2)
  EXPECT_EQ(dst->Get(8, 14), Column(0));    // bottom left at (x - 2, y + 2 + 2)
  EXPECT_EQ(dst->Get(21, 15), Column(9));
}

TEST_P(ShapedBlitTest, RotateDepthNarrowsAndShowsTheBack) {
  TestSurface back(10, 4);
  back.Fill(Opaque(0x202020));
  DDBltRotateDepth(&dst->sd, 0, 0, 10, 4, &src->sd, 0, 0, &back.sd, 0, 0, 10, 4, 0, 0, 0);
  EXPECT_EQ(dst->Get(0, 0), Column(0));  // step 0: the front at full size
  EXPECT_EQ(dst->Get(9, 0), Column(9));
  DDBltRotateDepth(&dst->sd, 0, 10, 10, 4, &src->sd, 0, 0, &back.sd, 0, 0, 10, 4, 0, 5, 0);
  EXPECT_EQ(dst->Get(3, 10), Empty());   // step = half: the back, one pixel from its narrowest
  EXPECT_EQ(dst->Get(4, 10), Opaque(0x202020));
  EXPECT_EQ(dst->Get(5, 10), Opaque(0x202020));
  EXPECT_EQ(dst->Get(6, 10), Empty());
  // Below two pixels there is no turn to draw.
  DDBltRotateDepth(&dst->sd, 0, 20, 1, 4, &src->sd, 0, 0, &back.sd, 0, 0, 1, 4, 0, 3, 0);
  EXPECT_EQ(dst->Get(0, 20), Empty());
}

TEST_P(ShapedBlitTest, FramesAreDrawnInsideTheRectangleOrAroundTheImage) {
  g_PalEntries[7] = {0x11, 0x22, 0x33, 0};
  DDFrameRect(&dst->sd, 2, 2, 6, 5, 1, 7);
  const std::uint32_t frame = dst->Get(2, 2);
  EXPECT_NE(frame, Empty());
  EXPECT_EQ(dst->Get(7, 6), frame);
  EXPECT_EQ(dst->Get(3, 3), Empty());
  DDBltFramed(&dst->sd, 20, 20, 4, 4, &src->sd, 2, 7);
  EXPECT_EQ(dst->Get(20, 20), Column(0));
  EXPECT_EQ(dst->Get(18, 18), frame);
  EXPECT_EQ(dst->Get(25, 25), frame);
  EXPECT_EQ(dst->Get(26, 26), Empty());
}

INSTANTIATE_TEST_SUITE_P(Modes, ShapedBlitTest,
                         testing::Values(Mode::DirectDraw8, Mode::DirectDraw32, Mode::Direct3D32),
                         effect_test::ModeName);

}  // namespace

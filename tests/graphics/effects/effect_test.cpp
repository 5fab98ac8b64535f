#include "graphics/effects/effects.h"

#include <gtest/gtest.h>

#include "tests/graphics/effect_test_support.h"
#include "graphics/device/device.h"

namespace {

using effect_test::DeviceTest;
using effect_test::Mode;
using effect_test::TestSurface;

class EffectTest : public DeviceTest {
 protected:
  // Pixel paths in Direct3D need a source that is not a render target.
  static constexpr bool kSystemSource = true;
  std::uint32_t Bits() const { return IsD3D() ? 0xFF000000u : 0u; }
};

TEST_P(EffectTest, RotationPixelPathPutsThePivotOnTheTarget) {
  TestSurface dst(32, 32), src(4, 4, kSystemSource);
  dst.Fill(Opaque(0x010101));
  src.FillPattern(Bits());
  ASSERT_TRUE(DDBltRotate(&dst.sd, 10, 10, 4, 4, 2, 2, 0, &src.sd, 0, 0, 0));
  for (int v = -2; v < 2; ++v)
    for (int u = -2; u < 2; ++u) EXPECT_EQ(dst.Get(10 + u, 10 + v), src.Get(2 + u, 2 + v)) << u << "," << v;
  EXPECT_EQ(dst.Get(12, 10), Opaque(0x010101));
  // By 90 degrees the pixel right of the pivot ends up below it.
  ASSERT_TRUE(DDBltRotate(&dst.sd, 20, 20, 4, 4, 2, 2, 90, &src.sd, 0, 0, 0));
  EXPECT_EQ(dst.Get(20, 21), src.Get(3, 2));
  EXPECT_EQ(dst.Get(20, 20), src.Get(2, 2));
}

TEST_P(EffectTest, RotationSkipsTheColourKeyAndTheSurfaceEdges) {
  TestSurface dst(8, 8), src(4, 4, kSystemSource);
  g_DDState.dwColorKey = IsD3D() ? 0 : 5;
  dst.Fill(Opaque(0x010101));
  src.Fill(IsD3D() ? 0 : 5);
  src.Set(0, 0, Opaque(0x090909));
  ASSERT_TRUE(DDBltRotate(&dst.sd, 0, 0, 4, 4, 2, 2, 0, &src.sd, 0, 0, 1));
  EXPECT_EQ(dst.Get(0, 0), Opaque(0x010101));  // its pixel would land at (-2, -2)
  EXPECT_EQ(dst.Get(1, 1), Opaque(0x010101));  // keyed pixels are left out
  ASSERT_TRUE(DDBltRotate(&dst.sd, 2, 2, 4, 4, 2, 2, 0, &src.sd, 0, 0, 1));
  EXPECT_EQ(dst.Get(0, 0), Opaque(0x090909));
}

TEST_P(EffectTest, CircleDrawsRowsOfTheDiscInsideTheBox) {
  TestSurface dst(32, 32), src(32, 32);
  dst.Fill(Opaque(0x010101));
  src.Fill(Opaque(0x0A0A0A));
  DDBltCircle(&dst.sd, 16, 16, 20, 2, 3, 1, &src.sd, 16, 16, 0);
  const auto drawn = [&](int x, int y) { return dst.Get(x, y) == Opaque(0x0A0A0A); };
  // Row 0: half width 3 becomes 2 (it must stay below r): columns 14..17.
  EXPECT_FALSE(drawn(13, 16));
  EXPECT_TRUE(drawn(14, 16));
  EXPECT_TRUE(drawn(17, 16));
  EXPECT_FALSE(drawn(18, 16));
  // Row -1: sqrt(8) = 2 -> columns 14..17; row -2: sqrt(5) = 2.
  EXPECT_TRUE(drawn(14, 15));
  EXPECT_TRUE(drawn(14, 14));
  // The box of half height 2 keeps rows -2..1 only.
  EXPECT_FALSE(drawn(16, 13));
  EXPECT_TRUE(drawn(16, 17));
  EXPECT_FALSE(drawn(16, 18));
}

TEST_P(EffectTest, CircleInStripsCutsTheStripsToTheBox) {
  TestSurface dst(32, 32), src(32, 32);
  dst.Fill(Opaque(0x010101));
  src.Fill(Opaque(0x0A0A0A));
  DDBltCircle(&dst.sd, 16, 16, 20, 3, 8, 4, &src.sd, 16, 16, 0);
  for (int y = 0; y < 32; ++y)
    EXPECT_EQ(dst.Get(16, y) == Opaque(0x0A0A0A), y >= 13 && y < 19) << y;
}

TEST_P(EffectTest, LensWithoutDepthShowsTheCentreAndItsRim) {
  TestSurface dst(16, 16), src(16, 16, kSystemSource);
  dst.Fill(Opaque(0x010101));
  src.FillPattern(Bits());
  ASSERT_TRUE(DDBltLens(&dst.sd, 8, 8, 0, 4, &src.sd, 8, 8, 0, 0, nullptr));
  EXPECT_EQ(dst.Get(8, 8), Opaque(0x010101));  // r = 0: R equals h, nothing drawn
  ASSERT_TRUE(DDBltLens(&dst.sd, 8, 8, 2, 0, &src.sd, 8, 8, 0, 0, nullptr));
  EXPECT_EQ(dst.Get(8, 8), src.Get(8, 8));
  EXPECT_EQ(dst.Get(9, 9), src.Get(8, 8));    // inside: offset 0
  EXPECT_EQ(dst.Get(10, 8), src.Get(10, 8));  // on the rim t is 0: the point itself
  EXPECT_EQ(dst.Get(10, 10), Opaque(0x010101));
}

TEST_P(EffectTest, LensMagnifiesTheCentre) {
  TestSurface dst(64, 64), src(64, 64, kSystemSource);
  src.FillPattern(Bits());
  ASSERT_TRUE(DDBltLens(&dst.sd, 32, 32, 20, 10, &src.sd, 32, 32, 0, 0, nullptr));
  // R = trunc(sqrt(500)) = 22; at dx = 5: t = 484 - 25, offset trunc(5 * 10 / sqrt(459) + 0.5) = 2.
  EXPECT_EQ(dst.Get(37, 32), src.Get(34, 32));
  // The offset divides dx × h by sqrt(t) before rounding: r 30, h 15 (R 33), at
  // d (-11, -22) t is 484 and dx × h / 22 is exactly -7.5, which rounds to -7.
  ASSERT_TRUE(DDBltLens(&dst.sd, 32, 32, 30, 15, &src.sd, 32, 32, 0, 0, nullptr));
  EXPECT_EQ(dst.Get(21, 10), src.Get(25, 18));
  // Huge radii are bounded by the destination and do not overflow.
  EXPECT_TRUE(DDBltLens(&dst.sd, 32, 32, 2000000000, 2000000000, &src.sd, 32, 32, 0, 0, nullptr));
}

TEST_P(EffectTest, MosaicCellsTakeOneColour) {
  TestSurface dst(8, 4), src(8, 4, kSystemSource);
  dst.Fill(Opaque(0x010101));
  src.Fill(Opaque(0x102030));
  src.Set(0, 0, Opaque(0x304050));
  ASSERT_TRUE(DDBltMosaic(&dst.sd, 0, 0, 4, 4, 2, &src.sd, 0, 0, 0, nullptr));
  // The cell's top-left pixel, or in DirectDraw 32 bits the mean of its pixels.
  const std::uint32_t first = GetParam() == Mode::DirectDraw32 ? 0x182838 : 0x304050;
  EXPECT_EQ(dst.Get(1, 1), Opaque(first));
  EXPECT_EQ(dst.Get(2, 0), Opaque(0x102030));
  EXPECT_EQ(dst.Get(4, 0), Opaque(0x010101));
  // Size 1 copies.
  ASSERT_TRUE(DDBltMosaic(&dst.sd, 4, 0, 4, 4, 1, &src.sd, 0, 0, 0, nullptr));
  EXPECT_EQ(dst.Get(4, 0), Opaque(0x304050));
  // A rectangle reaching past the source is cut to it.
  EXPECT_TRUE(DDBltMosaic(&dst.sd, 0, 0, 8, 4, 3, &src.sd, 6, 2, 0, nullptr));
  EXPECT_TRUE(DDBltMosaic(&dst.sd, 0, 0, 4, 4, 0, &src.sd, 0, 0, 0, nullptr));
}

TEST_P(EffectTest, BlurAveragesTheBoxAboveAndLeft) {
  TestSurface dst(4, 4), src(4, 4, kSystemSource);
  dst.Fill(Opaque(0x010101));
  src.Fill(Opaque(0x000000));
  src.Set(1, 1, Opaque(0x404040));
  src.Set(0, 1, Opaque(0x808080));
  ASSERT_TRUE(DDBltBlur(&dst.sd, 0, 0, 4, 4, 1, 1, &src.sd, 0, 0, 0, nullptr));
  if (Is8()) {
    EXPECT_EQ(dst.Get(1, 1), Opaque(0x010101));  // no 8-bit blur
    return;
  }
  EXPECT_EQ(dst.Get(1, 1), Opaque(0x303030));  // (0 + 0 + 0x80 + 0x40) / 4
  EXPECT_EQ(dst.Get(0, 1), Opaque(0x404040));  // box cut to the rectangle: (0 + 0x80) / 2
  EXPECT_EQ(dst.Get(2, 2), Opaque(0x101010));
  // Source positions outside the source surface count as absent.
  dst.Fill(Opaque(0x010101));
  ASSERT_TRUE(DDBltBlur(&dst.sd, 0, 0, 4, 4, 1, 1, &src.sd, -1, 0, 0, nullptr));
  EXPECT_EQ(dst.Get(0, 1), Opaque(0x010101));  // its own source pixel is absent
  EXPECT_EQ(dst.Get(1, 1), Opaque(0x404040));
  EXPECT_EQ(dst.Get(2, 1), Opaque(0x303030));
}

INSTANTIATE_TEST_SUITE_P(Modes, EffectTest,
                         testing::Values(Mode::DirectDraw8, Mode::DirectDraw32, Mode::Direct3D32),
                         effect_test::ModeName);

TEST(RotationQuad, CentreLandsOnTheTargetLikeThePixelPath) {
  ASSERT_TRUE(effect_test::StartDevice(Mode::Direct3D32));
  {
    TestSurface dst(32, 32), src(4, 4), systemSrc(4, 4, true);
    src.FillPattern(0xFF000000);
    systemSrc.FillPattern(0xFF000000);
    dst.Fill(0xFF010101);
    ASSERT_TRUE(DDBltRotate(&dst.sd, 10, 10, 4, 4, 2, 2, 0, &src.sd, 0, 0, 0));
    for (int v = -2; v < 2; ++v)
      for (int u = -2; u < 2; ++u) EXPECT_EQ(dst.Get(10 + u, 10 + v), src.Get(2 + u, 2 + v));
    // The quad turns about the corner between the centre pixels: by 180
    // degrees the four centre texels swap diagonally.
    dst.Fill(0xFF010101);
    ASSERT_TRUE(DDBltRotate(&dst.sd, 16, 16, 4, 4, 2, 2, 180, &src.sd, 0, 0, 0));
    EXPECT_EQ(dst.Get(16, 16), src.Get(1, 1));
    EXPECT_EQ(dst.Get(15, 15), src.Get(2, 2));
    EXPECT_EQ(dst.Get(14, 17), src.Get(3, 0));
    // The pixel path turns about the pivot pixel itself.
    dst.Fill(0xFF010101);
    ASSERT_TRUE(DDBltRotate(&dst.sd, 16, 16, 4, 4, 2, 2, 180, &systemSrc.sd, 0, 0, 0));
    EXPECT_EQ(dst.Get(16, 16), systemSrc.Get(2, 2));
    EXPECT_EQ(dst.Get(17, 17), systemSrc.Get(1, 1));
  }
  DDRelease();
}

TEST(LensClear, Direct3DClearsTheSquareAroundTheDisc) {
  ASSERT_TRUE(effect_test::StartDevice(Mode::Direct3D32));
  {
    TestSurface dst(16, 16), src(16, 16, true);
    dst.Fill(0xFF010101);
    src.FillPattern(0xFF000000);
    src.Set(8, 8, 0x00FFFFFF);
    ASSERT_TRUE(DDBltLens(&dst.sd, 8, 8, 3, 0, &src.sd, 8, 8, 1, 1, nullptr));
    EXPECT_EQ(dst.Get(5, 5), 0u);           // outside the disc
    EXPECT_EQ(dst.Get(8, 8), 0u);           // transparent source pixel
    EXPECT_EQ(dst.Get(11, 8), src.Get(11, 8));
    EXPECT_EQ(dst.Get(4, 8), 0xFF010101u);  // outside the square
  }
  DDRelease();
}

}  // namespace

namespace {

TEST(ColourPair, OnlyTheAddOperationAddsItsColourOnLockedPixels) {
  ASSERT_TRUE(effect_test::StartDevice(Mode::Direct3D32));
  {
    TestSurface dst(4, 1), src(4, 1, true);
    src.Fill(0xFF10F080);
    const std::uint32_t add[2] = {0x00203040, 7};
    const std::uint32_t modulate[2] = {0x00203040, 4};
    ASSERT_TRUE(DDBltMosaic(&dst.sd, 0, 0, 1, 1, 1, &src.sd, 0, 0, 0, add));
    ASSERT_TRUE(DDBltMosaic(&dst.sd, 1, 0, 1, 1, 1, &src.sd, 0, 0, 0, modulate));
    ASSERT_TRUE(DDBltBlur(&dst.sd, 2, 0, 1, 1, 1, 1, &src.sd, 0, 0, 0, add));
    EXPECT_EQ(dst.Get(0, 0), 0xFF30FFC0u);  // green clamps at 255
    EXPECT_EQ(dst.Get(1, 0), 0xFF10F080u);
    EXPECT_EQ(dst.Get(2, 0), 0xFF30FFC0u);
  }
  DDRelease();
}

}  // namespace

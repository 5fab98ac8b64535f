#include "graphics/effects/fade.h"

#include <gtest/gtest.h>

#include "tests/graphics/effect_test_support.h"
#include "graphics/device/device.h"
#include "graphics/surfaces/surface_lock.h"

namespace {

using effect_test::DeviceTest;
using effect_test::Mode;

PaletteArray Ramp() {
  PaletteArray palette;
  for (int i = 0; i < 256; ++i)
    palette[i] = {static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(255 - i), 0x80, 0};
  return palette;
}

TEST(PaletteArithmetic, BlendKeepsTheSourceAtFullWeightAndClampsTheRange) {
  const PaletteArray source = Ramp();
  PaletteArray out{};
  PalBlendColor(out.data(), 250, 300, 256, 0, 0, 0, source.data());
  EXPECT_EQ(out[255].peRed, 255);
  EXPECT_EQ(out[255].peFlags, 1);
  EXPECT_EQ(out[249].peRed, 0);  // outside the range: untouched
  PalBlendColor(out.data(), 10, 10, 128, 0xFF, 0xFF, 0xFF, source.data());
  EXPECT_EQ(out[10].peRed, (10 * 128 + 255 * 128) >> 8);
  PalBlendColor(out.data(), 20, 10, 0, 1, 2, 3, source.data());  // empty range
  EXPECT_EQ(out[15].peRed, 0);
}

TEST(PaletteArithmetic, RotateMovesEntriesInsideTheRange) {
  ASSERT_TRUE(effect_test::StartDevice(Mode::DirectDraw8));
  const PaletteArray source = Ramp();
  PaletteArray out{};
  PalRotate(out.data(), 208, 239, 1, 0, source.data());
  EXPECT_EQ(out[208].peRed, 239);
  EXPECT_EQ(out[209].peRed, 208);
  EXPECT_EQ(out[207].peRed, 207);
  PalRotate(out.data(), 208, 239, 1, 1, source.data());
  EXPECT_EQ(out[239].peRed, 208);
  EXPECT_EQ(out[208].peRed, 209);
  // A range past the palette is cut, a count past the range wraps.
  PalRotate(out.data(), 250, 400, 7, 0, source.data());
  EXPECT_EQ(out[251].peRed, 250);
  PalRotate(out.data(), 0, 255, 3, 5, source.data());  // unknown direction: a plain copy
  EXPECT_EQ(out[0].peRed, 0);
  DDRelease();
}

// The screen shows the ramp's colour 0x80 (0x807F80): through the palette
// at 8 bits, as the back buffer's pixels above.
class FadeTest : public DeviceTest {
 protected:
  void SetUp() override {
    DeviceTest::SetUp();
    if (Is8()) return;
    cSurfaceLock lock;
    ASSERT_TRUE(lock.Lock(&BackBuffer));
    for (int y = 0; y < BackBuffer.nHeight; ++y)
      for (int x = 0; x < BackBuffer.nWidth; ++x) lock.Row32(y)[x] = Opaque(0x807F80);
  }
  std::uint32_t ScreenSample() {
    if (Is8()) {
      const PALETTEENTRY& e = g_ScreenPalette[0x80];
      return std::uint32_t(e.peRed) << 16 | std::uint32_t(e.peGreen) << 8 | e.peBlue;
    }
    cSurfaceLock lock;
    return lock.Lock(&BackBuffer) ? lock.Row32(BackBuffer.nHeight - 1)[BackBuffer.nWidth - 1] & 0xFFFFFF : 1;
  }
};

TEST_P(FadeTest, FadeOutEndsInTheColourAfterItsLastStep) {
  const PaletteArray source = Ramp();
  int calls = 0;
  std::uint8_t done = 0;
  while (!done && calls < 10) {
    done = DDFadeOut(g_ShownPalette.data(), 0, 255, 0, 0, 0, 45.0, source.data(), 0);
    ++calls;
    if (calls == 1) {
      EXPECT_EQ(ScreenSample(), 0x807F80u);
    }
  }
  EXPECT_EQ(calls, 3);
  EXPECT_EQ(ScreenSample(), 0u);
}

TEST_P(FadeTest, FinishJumpsToTheEndAndRearms) {
  const PaletteArray source = Ramp();
  EXPECT_EQ(DDFadeIn(g_ShownPalette.data(), 0, 255, 0, 0, 0, 10.0, source.data(), 1), 1);
  EXPECT_EQ(ScreenSample(), 0x807F80u);
  // The next fade in starts from the colour.
  EXPECT_EQ(DDFadeIn(g_ShownPalette.data(), 0, 255, 0, 0, 0, 90.0, source.data(), 0), 0);
  EXPECT_EQ(ScreenSample(), 0u);
  EXPECT_EQ(DDFadeIn(g_ShownPalette.data(), 0, 255, 0, 0, 0, 90.0, source.data(), 0), 1);
}

INSTANTIATE_TEST_SUITE_P(Modes, FadeTest, testing::Values(Mode::DirectDraw8, Mode::DirectDraw32, Mode::Direct3D32),
                         effect_test::ModeName);

}  // namespace

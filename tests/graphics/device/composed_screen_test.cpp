// One screen composed of every kind of drawing, shown through the headless
// presenter and compared by checksum in each mode, so any change in pixel
// results shows up.
#include <gtest/gtest.h>

#include "tests/graphics/effect_test_support.h"
#include "graphics/blits/blit.h"
#include "graphics/device/device.h"
#include "graphics/blits/fill.h"
#include "graphics/images/palette.h"
#include "graphics/blits/screen_services.h"
#include "platform/presenter.h"

using effect_test::Mode;
using effect_test::TestSurface;

namespace {

std::uint64_t Fnv1a(const std::vector<std::uint32_t>& pixels) {
  std::uint64_t hash = 1469598103934665603ULL;
  for (std::uint32_t p : pixels)
    for (int i = 0; i < 4; ++i) hash = (hash ^ ((p >> (8 * i)) & 0xFF)) * 1099511628211ULL;
  return hash;
}

class ComposedScreenTest : public effect_test::DeviceTest {
 protected:
  void SetUp() override {
    for (int i = 0; i < 256; ++i)
      g_PalEntries[i] = {std::uint8_t(i * 7), std::uint8_t(i * 13), std::uint8_t(255 - i), 0};
    for (int i = 0; i < 256; ++i) g_ScreenPalette[i] = g_PalEntries[i];
    ASSERT_TRUE(DDInit(IsD3D(), 640, 480, Is8() ? 8 : 32, 0, 1, 1, 60, 0, nullptr, nullptr, 0));
    DDSetScreenPalette(g_PalEntries.data(), 0, 256);
    if (!Is8()) DDSetTransmit(0, 0, 0);
    g_DDState.dwColorKey = 0;
  }

  std::uint64_t DrawAndShow() {
    // A 32 x 32 sprite with a transparent ring and a glyph sheet.
    TestSurface sprite(32, 32), sheet(128, 128);
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 32; ++x) {
        const int d = (x - 16) * (x - 16) + (y - 16) * (y - 16);
        const std::uint32_t v = std::uint32_t(1 + (x * 3 + y * 5) % 250);
        sprite.Set(x, y, d > 200 ? 0 : (IsD3D() ? ((d > 120 ? 0x80000000u : 0xFF000000u) | v * 0x010203u)
                                                 : Opaque(Is8() ? v : v * 0x010203u)));
      }
    for (int y = 0; y < 128; ++y)
      for (int x = 0; x < 128; ++x) sheet.Set(x, y, ((x ^ y) & 4) ? Opaque(Is8() ? 200 : 0xC0FFEE) : 0);

    DDFillSurface(&BackBuffer, 17);
    DDFillRect(&BackBuffer, -20, 400, 200, 200, 90);
    for (int i = 0; i < 12; ++i) DDBlt(&BackBuffer, i * 53 - 16, i * 37 - 10, 32, 32, &sprite.sd, 0, 0, 1);
    DDBlt(&BackBuffer, 600, 450, 32, 32, &sprite.sd, 0, 0, 0);
    DDBltStretch(&BackBuffer, 100, 100, 96, 64, &sprite.sd, 0, 0, 32, 32, 1);
    DDBltStretch(&BackBuffer, 300, 300, 20, 20, &sprite.sd, 4, 4, 24, 24, 1);
    DDBmpTextOut(&BackBuffer, 10, 10, 8, 8, &sheet.sd, "Score 0123\nHI \xB1\xB2");
    DDDrawCircle(&BackBuffer, 320, 240, 100, 33);
    DDDrawCircle(&BackBuffer, 630, 10, 30, 44);
    if (IsD3D()) {
      const std::uint32_t tint[2] = {0x80FF8040, 4};
      DDSetAlphaOp(4);
      DDBltColor(&BackBuffer, 400, 50, 32, 32, &sprite.sd, 0, 0, 1, tint);
      DDResetAlphaOp();
      DDBeginFillBatch();
      DDFillRectRGB(&BackBuffer, 500, 200, 60, 60, 0x8000FF00);
      DDEndFillBatch();
      EXPECT_EQ(DDPresent(60, 0, 0), 1);
    } else {
      DDBlt(&PrimarySD, 0, 0, 640, 480, &BackBuffer, 0, 0, 0);
    }
    int w = 0, h = 0;
    const auto frame = platform::GetPresenter().LastFrame(&w, &h);
    EXPECT_EQ(w, 640);
    EXPECT_EQ(h, 480);
    return Fnv1a(frame);
  }
};

TEST_P(ComposedScreenTest, MatchesTheRecordedChecksum) {
  const std::uint64_t expected[] = {10913366404983939527ULL, 11036799398466399898ULL, 587100623760085775ULL};
  const std::uint64_t hash = DrawAndShow();
  EXPECT_EQ(hash, expected[static_cast<int>(GetParam())]) << std::hex << hash;
}

INSTANTIATE_TEST_SUITE_P(Modes, ComposedScreenTest,
                         testing::Values(Mode::DirectDraw8, Mode::DirectDraw32, Mode::Direct3D32),
                         effect_test::ModeName);

}  // namespace

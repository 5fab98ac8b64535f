// Bitmap text, numbers, pixels and circles.
#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "tests/graphics/effect_test_support.h"
#include "graphics/device/device.h"
#include "graphics/images/palette.h"
#include "graphics/blits/screen_services.h"

using effect_test::Mode;
using effect_test::TestSurface;

namespace {

class ScreenServicesTest : public effect_test::DeviceTest {
 protected:
  // A sheet whose every cell (16 columns x 16 rows of 1 x 1) holds its own
  // byte value; drawing a byte shows which cell was taken.
  void MakeSheet(TestSurface& sheet) {
    for (int row = 0; row < 16; ++row)
      for (int col = 0; col < 16; ++col) sheet.Set(col, row, Opaque(std::uint32_t(row * 16 + col) | 0x100 * !Is8()));
  }
  std::uint32_t Cell(std::uint32_t v) const { return v & 0xFF; }
};

TEST_P(ScreenServicesTest, TextOutPlacesCellsAndLines) {
  TestSurface sheet(16, 16), dst(640, 8);
  MakeSheet(sheet);
  g_DDState.dwColorKey = 0xFFFFFFFF;
  dst.Fill(Opaque(1));
  DDBmpTextOut(&dst.sd, 2, 1, 1, 1, &sheet.sd, "AB\nC\xB1");
  EXPECT_EQ(Cell(dst.Get(2, 1)), 0x41u);
  EXPECT_EQ(Cell(dst.Get(3, 1)), 0x42u);
  EXPECT_EQ(Cell(dst.Get(2, 2)), 0x43u);
  EXPECT_EQ(Cell(dst.Get(3, 2)), 0x11u);  // half-width kana 0xB1: row 1, column 1
}

TEST_P(ScreenServicesTest, TextReachingTheScreenWidthWraps) {
  TestSurface sheet(16 * 64, 16), dst(640, 40);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16 * 64; ++x) sheet.Set(x, y, Opaque(std::uint32_t(x / 64 + 1)));
  dst.Fill(Opaque(0));
  DDBmpTextOut(&dst.sd, 0, 0, 64, 1, &sheet.sd, std::string(11, '\x02'));
  EXPECT_EQ(Cell(dst.Get(639, 0)), 3u);
  EXPECT_EQ(Cell(dst.Get(0, 1)), 3u);  // the eleventh cell starts the next line at x
  EXPECT_EQ(Cell(dst.Get(64, 1)), 0u);
}

TEST_P(ScreenServicesTest, NumbersAreIndentedCentredAndNeverNegative) {
  TestSurface strip(10, 1), dst(16, 4);
  for (int k = 0; k < 10; ++k) strip.Set(k, 0, Opaque(std::uint32_t(k + 1)));
  dst.Fill(Opaque(0));
  DDDrawNumber(&dst.sd, 0, 0, 1, 1, &strip.sd, 0, 0, 0, 7, 3, 0);
  EXPECT_EQ(Cell(dst.Get(2, 0)), 8u);
  DDDrawNumber(&dst.sd, 0, 1, 1, 1, &strip.sd, 0, 0, 0, 7, 3, 1);  // centred: half of the indent
  EXPECT_EQ(Cell(dst.Get(1, 1)), 8u);
  DDDrawNumber(&dst.sd, 0, 2, 1, 1, &strip.sd, 0, 0, 0, 1234, 3, 0);
  EXPECT_EQ(Cell(dst.Get(0, 2)), 2u);
  EXPECT_EQ(Cell(dst.Get(3, 2)), 5u);
  DDDrawNumber(&dst.sd, 0, 3, 1, 1, &strip.sd, 0, 0, 0, -42, 1, 0);
  EXPECT_EQ(Cell(dst.Get(0, 3)), 1u);
}

TEST_P(ScreenServicesTest, CircleOfRadiusOnePlotsTheFourNeighbours) {
  TestSurface dst(5, 5);
  dst.Fill(Opaque(0));
  g_PalEntries[3] = {0, 0, 3, 0};
  DDDrawCircle(&dst.sd, 2, 2, 1, 3);
  std::set<std::pair<int, int>> plotted;
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 5; ++x)
      if (dst.Get(x, y) != Opaque(0)) plotted.insert({x, y});
  const std::set<std::pair<int, int>> expected{{2, 1}, {1, 2}, {3, 2}, {2, 3}};
  EXPECT_EQ(plotted, expected);
}

TEST_P(ScreenServicesTest, CirclesAndPixelsClipAtTheEdges) {
  TestSurface dst(4, 4);
  dst.Fill(Opaque(0));
  g_PalEntries[3] = {9, 9, 9, 0};
  DDDrawCircle(&dst.sd, 0, 0, 3, 3);
  DDDrawCircle(&dst.sd, 0, 0, 0, 3);
  DDPutPixel(&dst.sd, -1, 2, 3);
  DDPutPixel(&dst.sd, 4, 0, 3);
  EXPECT_NE(dst.Get(3, 0), Opaque(0));
  EXPECT_NE(dst.Get(0, 3), Opaque(0));
  EXPECT_EQ(dst.Get(0, 0), Opaque(0));
}

INSTANTIATE_TEST_SUITE_P(Modes, ScreenServicesTest,
                         testing::Values(Mode::DirectDraw8, Mode::DirectDraw32, Mode::Direct3D32),
                         effect_test::ModeName);

}  // namespace

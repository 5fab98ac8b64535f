#include "graphics/effects/blend.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "tests/graphics/effect_test_support.h"
#include "graphics/blits/fill.h"
#include "graphics/device/device.h"

namespace {

using effect_test::DeviceTest;
using effect_test::Mode;
using effect_test::TestSurface;

class BlendTest : public DeviceTest {};

TEST_P(BlendTest, HalfBlendMixesPixelPathsHalfAndHalf) {
  TestSurface dst(8, 4), src(8, 4, /*systemMemory=*/true);
  std::vector<BYTE> table(kBlendTableSize);
  for (int a = 0; a < 256; ++a)
    for (int b = 0; b < 256; ++b) table[a * 256 + b] = static_cast<BYTE>((a * 3 + b) & 0xFF);
  g_DDState.dwColorKey = Is8() ? 0 : 0x00FF00FF;
  dst.Fill(Opaque(0x402010));
  dst.Set(1, 0, Is8() ? 0 : (IsD3D() ? 0xFF000000u : 0) | 0x00FF00FF);  // destination transparent
  src.Fill(Opaque(0x80C0F0));
  src.Set(2, 0, Is8() ? 0 : IsD3D() ? 0x00123456 : 0x00FF00FF);       // source transparent
  ASSERT_TRUE(DDBltHalf(&dst.sd, 0, 0, 4, 1, &src.sd, 0, 0, 1, table.data()));
  if (Is8()) {
    EXPECT_EQ(dst.Get(0, 0), static_cast<std::uint32_t>((0x10 * 3 + 0xF0) & 0xFF));
    EXPECT_EQ(dst.Get(1, 0), 0xF0u);  // index 0 takes the source
  } else if (IsD3D()) {
    EXPECT_EQ(dst.Get(0, 0), 0xFF607080u);
    EXPECT_EQ(dst.Get(1, 0), 0xFFBF60F7u);  // not tested for transparency: mixed
  } else {
    EXPECT_EQ(dst.Get(0, 0), 0x00607080u);
    EXPECT_EQ(dst.Get(1, 0), 0x0080C0F0u);  // the colour key takes the source
  }
  EXPECT_EQ(dst.Get(2, 0), Opaque(0x402010));  // transparent source left out
  EXPECT_EQ(dst.Get(4, 0), Opaque(0x402010));  // outside the rectangle
}

TEST_P(BlendTest, BlendsSkipPixelsOutsideEitherSurface) {
  TestSurface dst(4, 4), src(4, 4, true);
  dst.Fill(Opaque(0x020202));
  src.Fill(Opaque(0x040404));
  EXPECT_TRUE(DDBltHalf(&dst.sd, 2, 2, 8, 8, &src.sd, -1, 0, 0, g_BlendTable));
  EXPECT_EQ(dst.Get(2, 2), Opaque(0x020202));  // source column -1 does not exist
  if (!Is8()) {
    EXPECT_EQ(dst.Get(3, 3), Opaque(0x030303));
  }
  EXPECT_EQ(dst.Get(1, 1), Opaque(0x020202));
}

TEST_P(BlendTest, ColorChangePullsTowardThePaletteColour) {
  TestSurface dst(4, 1), src(4, 1, true);
  PaletteArray palette{};
  palette[7] = {0xFF, 0x00, 0x80, 0};
  std::vector<BYTE> table(kBlendTableSize);
  for (int a = 0; a < 256; ++a)
    for (int b = 0; b < 256; ++b) table[a * 256 + b] = static_cast<BYTE>((a + 1) & 0xFF);
  dst.Fill(Opaque(0x111111));
  src.Fill(Opaque(0x204060));
  ASSERT_TRUE(DDBltColorChange(&dst.sd, 0, 0, 1, 1, &src.sd, 0, 0, 0, palette.data(), table.data(), 7, 2, nullptr));
  if (Is8()) {
    EXPECT_EQ(dst.Get(0, 0), 0x62u);  // two steps through the table
  } else if (IsD3D()) {
    // Two steps on locked pixels: the float weight 64 / 255 of the pixel.
    const auto mix = [](int v, int t) { return static_cast<int>(v * (64.0f / 255.0f) + t * (1.0f - 64.0f / 255.0f)); };
    EXPECT_EQ(dst.Get(0, 0), 0xFF000000u | std::uint32_t(mix(0x20, 0xFF)) << 16 | std::uint32_t(mix(0x40, 0)) << 8 |
                                 std::uint32_t(mix(0x60, 0x80)));
  } else {
    EXPECT_EQ(dst.Get(0, 0), 0x00C71078u);  // ((v + t) >> 1) twice per channel
  }
  // Count 0 draws nothing; a negative count copies the source in DirectDraw
  // and draws nothing in Direct3D.
  ASSERT_TRUE(DDBltColorChange(&dst.sd, 1, 0, 1, 1, &src.sd, 0, 0, 0, palette.data(), table.data(), 7, 0, nullptr));
  EXPECT_EQ(dst.Get(1, 0), Opaque(0x111111));
  ASSERT_TRUE(DDBltColorChange(&dst.sd, 2, 0, 1, 1, &src.sd, 0, 0, 0, palette.data(), table.data(), 7, -3, nullptr));
  EXPECT_EQ(dst.Get(2, 0), IsD3D() ? Opaque(0x111111) : Opaque(0x204060));
  // A colour number outside the palette is refused.
  EXPECT_TRUE(DDBltColorChange(&dst.sd, 3, 0, 1, 1, &src.sd, 0, 0, 0, palette.data(), table.data(), 300, 1, nullptr));
  EXPECT_EQ(dst.Get(3, 0), Opaque(0x111111));
}

TEST_P(BlendTest, ColorChangeHandlesHugeCountsAtTheFixedPoint) {
  TestSurface dst(1, 1), src(1, 1, true);
  PaletteArray palette{};
  palette[1] = {0x80, 0x80, 0x80, 0};
  std::vector<BYTE> table(kBlendTableSize);
  for (int a = 0; a < 256; ++a)
    for (int b = 0; b < 256; ++b) table[a * 256 + b] = static_cast<BYTE>(a ^ 1);  // a cycle of two
  src.Fill(Opaque(0x00FF40));
  ASSERT_TRUE(DDBltColorChange(&dst.sd, 0, 0, 1, 1, &src.sd, 0, 0, 0, palette.data(), table.data(), 1, 1000001, nullptr));
  if (Is8())
    EXPECT_EQ(dst.Get(0, 0), 0x41u);  // an odd number of swaps
  else if (IsD3D())
    EXPECT_EQ(dst.Get(0, 0), 0xFF808080u);  // more than four steps give the colour itself
  else
    EXPECT_EQ(dst.Get(0, 0), 0x007F807Fu);  // from below the halving stops one short
}

INSTANTIATE_TEST_SUITE_P(Modes, BlendTest,
                         testing::Values(Mode::DirectDraw8, Mode::DirectDraw32, Mode::Direct3D32),
                         effect_test::ModeName);

class QuadBlendTest : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(effect_test::StartDevice(Mode::Direct3D32)); }
  void TearDown() override { DDRelease(); }
};

TEST_F(QuadBlendTest, AlphaQuadBlendsByTheSourceTransparency) {
  TestSurface dst(4, 1), src(4, 1);
  dst.Fill(0xFF000000);
  src.Fill(0xFFFF8000);
  src.Set(3, 0, 0x00FFFFFF);
  ASSERT_TRUE(DDBltAlpha(&dst.sd, 0, 0, 1, 1, &src.sd, 0, 0, 1, nullptr, 0));
  ASSERT_TRUE(DDBltAlpha(&dst.sd, 1, 0, 1, 1, &src.sd, 1, 0, 1, nullptr, 255));
  ASSERT_TRUE(DDBltAlpha(&dst.sd, 2, 0, 2, 1, &src.sd, 2, 0, 1, nullptr, 128));
  EXPECT_EQ(dst.Get(0, 0), 0xFFFF8000u);  // opaque copy
  EXPECT_EQ(dst.Get(1, 0), 0xFF000000u);  // invisible
  // Alpha 127 of 255: colour round(c * 127 / 255), alpha round((127 * 127 + 255 * 128) / 255).
  EXPECT_EQ(dst.Get(2, 0), 0xBF7F4000u);
  EXPECT_EQ(dst.Get(3, 0), 0xFF000000u);  // texel alpha 0 leaves the destination
}

// The fill and blend in one pass leave the destination and the colour
// surface as the fill followed by the blend does: every alpha, a colour's
// own alpha, and a destination smaller than the colour.
TEST_F(QuadBlendTest, FilledColourBlendsAsAFillThenABlend) {
  for (const int dstW : {37, 20})
    for (const std::uint32_t colour : {0xFF3366CCu, 0x80FFA010u, 0x00ABCDEFu})
      for (const int alpha : {0, 1, 100, 128, 254, 255}) {
        TestSurface fused(dstW, 5), reference(dstW, 5), fusedColour(37, 5), referenceColour(37, 5);
        for (int y = 0; y < 5; ++y)
          for (int x = 0; x < dstW; ++x) {
            const std::uint32_t pixel = 0x01000000u * std::uint32_t(x * 7 + y * 50) ^ 0x00123457u * std::uint32_t(x + 3 * y);
            fused.Set(x, y, pixel);
            reference.Set(x, y, pixel);
          }
        fusedColour.Fill(0x7F0000FF);
        referenceColour.Fill(0x7F0000FF);
        DDFillBltAlpha(&fused.sd, &fusedColour.sd, colour, alpha);
        DDFillSurfaceRGB(&referenceColour.sd, colour);
        ASSERT_TRUE(DDBltAlpha(&reference.sd, 0, 0, 37, 5, &referenceColour.sd, 0, 0, 0, nullptr, alpha));
        for (int y = 0; y < 5; ++y) {
          for (int x = 0; x < dstW; ++x) ASSERT_EQ(fused.Get(x, y), reference.Get(x, y)) << x << "," << y << " " << alpha;
          for (int x = 0; x < 37; ++x) ASSERT_EQ(fusedColour.Get(x, y), referenceColour.Get(x, y));
        }
      }
}

TEST_F(QuadBlendTest, ColorChangeQuadUsesItsOwnWeights) {
  TestSurface dst(6, 1), src(6, 1);
  PaletteArray palette{};
  palette[3] = {0xFF, 0xFF, 0xFF, 0};
  dst.Fill(0);
  src.Fill(0xFF000000);
  for (int count = 1; count <= 5; ++count)
    ASSERT_TRUE(DDBltColorChange(&dst.sd, count - 1, 0, 1, 1, &src.sd, 0, 0, 1, palette.data(), nullptr, 3, count, nullptr));
  // Texture weight 128, 80, 48, 16, 0 of 255: the colour is 255 minus it.
  EXPECT_EQ(dst.Get(0, 0), 0xFF7F7F7Fu);
  EXPECT_EQ(dst.Get(1, 0), 0xFFAFAFAFu);
  EXPECT_EQ(dst.Get(2, 0), 0xFFCFCFCFu);
  EXPECT_EQ(dst.Get(3, 0), 0xFFEFEFEFu);
  EXPECT_EQ(dst.Get(4, 0), 0xFFFFFFFFu);
  EXPECT_EQ(dst.Get(5, 0), 0u);
}

TEST_F(QuadBlendTest, ChangeColorTintsTheWholeDestination) {
  TestSurface dst(3, 2);
  dst.Fill(0xFF804020);
  EXPECT_EQ(DDChangeColor(&dst.sd, 1, 1, 1, 1, 0, 0xFF, 0x80, 0x00), 1);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) EXPECT_EQ(dst.Get(x, y), 0xFF802000u);
}

TEST(BlendTable, ShortFileFailsAndKeepsTheOldTable) {
  ASSERT_TRUE(effect_test::StartDevice(Mode::DirectDraw8));
  const auto folder = std::filesystem::temp_directory_path() / "blend_table_test";
  std::filesystem::create_directories(folder);
  const auto oldPath = std::filesystem::current_path();
  std::filesystem::current_path(folder);
  {
    std::ofstream full("full.dat", std::ios::binary);
    for (int i = 0; i < kBlendTableSize + 10; ++i) full.put(static_cast<char>(i & 0xFF));
    std::ofstream shortFile("short.dat", std::ios::binary);
    shortFile << "abc";
  }
  std::vector<BYTE> table(kBlendTableSize, 0xEE);
  EXPECT_FALSE(LoadBlendTable(table.data(), "short.dat"));
  EXPECT_FALSE(LoadBlendTable(table.data(), "missing.dat"));
  EXPECT_EQ(table[100], 0xEE);
  EXPECT_TRUE(LoadBlendTable(table.data(), "FULL.DAT"));
  EXPECT_EQ(table[kBlendTableSize - 1], 0xFF);
  DDRelease();
  ASSERT_TRUE(effect_test::StartDevice(Mode::Direct3D32));
  std::fill(table.begin(), table.end(), 0xEE);
  EXPECT_TRUE(LoadBlendTable(table.data(), "full.dat"));
  EXPECT_EQ(table[0], 0xEE);
  DDRelease();
  std::filesystem::current_path(oldPath);
  std::filesystem::remove_all(folder);
}

}  // namespace

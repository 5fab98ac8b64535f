// DirectDraw blits at 8 and 32 bits, Direct3D quads, clipping, keys, mirrors and stretches.
#include <gtest/gtest.h>

#include "tests/graphics/effect_test_support.h"
#include "graphics/blits/blit.h"
#include "graphics/device/device.h"
#include "graphics/blits/fill.h"
#include "graphics/images/palette.h"

using effect_test::Mode;
using effect_test::TestSurface;

namespace {

class BlitTest : public effect_test::DeviceTest {};

// Source: column index + 1 in every pixel (opaque in every mode).
void FillColumns(TestSurface& s, effect_test::DeviceTest& t) {
  (void)t;
  for (int y = 0; y < s.sd.nHeight; ++y)
    for (int x = 0; x < s.sd.nWidth; ++x) s.Set(x, y, (x + 1) | (lpDTCon ? 0xFF000000u : 0));
}

std::uint32_t Column(std::uint32_t v) { return v & 0xFF; }

TEST_P(BlitTest, NegativeXCopiesTheRightPartOfTheSource) {
  TestSurface dst(64, 48), src(32, 32);
  dst.Fill(Opaque(0));
  FillColumns(src, *this);
  DDBlt(&dst.sd, -10, 0, 32, 32, &src.sd, 0, 0, 0);
  EXPECT_EQ(Column(dst.Get(0, 0)), 11u);   // source column 10
  EXPECT_EQ(Column(dst.Get(21, 31)), 32u); // source column 31
  EXPECT_EQ(Column(dst.Get(22, 0)), 0u);
}

TEST_P(BlitTest, BlitEntirelyOutsideDrawsNothing) {
  TestSurface dst(64, 48), src(32, 32);
  dst.Fill(Opaque(5));
  FillColumns(src, *this);
  EXPECT_EQ(DDBlt(&dst.sd, 64, 0, 32, 32, &src.sd, 0, 0, 0), 0);
  DDBlt(&dst.sd, 0, -32, 32, 32, &src.sd, 0, 0, 0);
  DDBlt(&dst.sd, 0, 0, 0, 32, &src.sd, 0, 0, 0);
  DDBlt(&dst.sd, 0, 0, -4, 32, &src.sd, 0, 0, 0);
  for (int y = 0; y < 48; y += 7)
    for (int x = 0; x < 64; x += 5) ASSERT_EQ(Column(dst.Get(x, y)), 5u);
}

TEST_P(BlitTest, SourcePartlyOutsideKeepsSourceAndDestinationAligned) {
  TestSurface dst(64, 48), src(32, 32);
  dst.Fill(Opaque(0));
  FillColumns(src, *this);
  DDBlt(&dst.sd, 10, 10, 16, 4, &src.sd, -4, 0, 0);
  EXPECT_EQ(Column(dst.Get(13, 10)), 0u);  // left of the source: untouched
  EXPECT_EQ(Column(dst.Get(14, 10)), 1u);  // source column 0 lands 4 to the right
  DDBlt(&dst.sd, 40, 20, 16, 4, &src.sd, 24, 0, 0);
  EXPECT_EQ(Column(dst.Get(47, 20)), 32u);
  EXPECT_EQ(Column(dst.Get(48, 20)), 0u);  // right of the source: untouched
}

TEST_P(BlitTest, KeyedBlitSkipsTheTransparentColour) {
  TestSurface dst(16, 16), src(4, 1);
  dst.Fill(Opaque(7));
  if (Is8()) {
    g_DDState.dwColorKey = 0;
    src.Set(0, 0, 0);
    src.Set(1, 0, 3);
  } else {
    DDSetTransmit(0, 255, 0);
    src.Set(0, 0, IsD3D() ? 0 : 0x00FF00);  // loaded keyed textures hold transparent black
    src.Set(1, 0, Opaque(3));
  }
  src.Set(2, 0, Opaque(4));
  src.Set(3, 0, Opaque(5));
  DDBlt(&dst.sd, 0, 0, 4, 1, &src.sd, 0, 0, 1);
  EXPECT_EQ(dst.Get(0, 0), Opaque(7));
  EXPECT_EQ(dst.Get(1, 0), Opaque(3));
  DDBlt(&dst.sd, 0, 1, 4, 1, &src.sd, 0, 0, 0);
  // An opaque copy carries the transparent pixel (Direct3D clears it to transparent black).
  EXPECT_EQ(dst.Get(0, 1), Is8() ? 0u : (IsD3D() ? 0u : 0x00FF00u));
}

TEST_P(BlitTest, StretchDoublesEachPixel) {
  TestSurface dst(64, 48), src(4, 2);
  dst.Fill(Opaque(0));
  FillColumns(src, *this);
  DDBltStretch(&dst.sd, 0, 0, 8, 4, &src.sd, 0, 0, 4, 2, 0);
  const std::uint32_t expected[8] = {1, 1, 2, 2, 3, 3, 4, 4};
  for (int x = 0; x < 8; ++x) EXPECT_EQ(Column(dst.Get(x, 3)), expected[x]) << x;
  EXPECT_EQ(Column(dst.Get(8, 0)), 0u);
  // Shrinking by two takes every second column, from the centre of each pair.
  DDBltStretch(&dst.sd, 0, 10, 2, 1, &src.sd, 0, 0, 4, 1, 0);
  EXPECT_EQ(Column(dst.Get(0, 10)), 2u);
  EXPECT_EQ(Column(dst.Get(1, 10)), 4u);
}

TEST_P(BlitTest, StretchPartlyOffTheDestinationIsClipped) {
  TestSurface dst(16, 16), src(4, 4);
  dst.Fill(Opaque(0));
  FillColumns(src, *this);
  DDBltStretch(&dst.sd, 12, -4, 8, 8, &src.sd, 0, 0, 4, 4, 0);
  EXPECT_EQ(Column(dst.Get(12, 0)), 1u);
  EXPECT_EQ(Column(dst.Get(15, 3)), 2u);
  EXPECT_EQ(Column(dst.Get(11, 0)), 0u);
}

TEST_P(BlitTest, StretchWithTheSourcePartlyOutsideShrinksTheDestinationInProportion) {
  TestSurface dst(16, 2), src(4, 1);
  dst.Fill(Opaque(0));
  FillColumns(src, *this);
  // Source columns -2..1 doubled: the half outside the source is cut, and
  // the rest keeps its place at x 4..7.
  DDBltStretch(&dst.sd, 0, 0, 8, 1, &src.sd, -2, 0, 4, 1, 0);
  EXPECT_EQ(Column(dst.Get(3, 0)), 0u);
  EXPECT_EQ(Column(dst.Get(4, 0)), 1u);
  EXPECT_EQ(Column(dst.Get(7, 0)), 2u);
  EXPECT_EQ(Column(dst.Get(8, 0)), 0u);
}

TEST_P(BlitTest, CutStretchSizeIsTheDestinationTimesTheKeptShareTruncated) {
  TestSurface dst(4, 1), src(1, 1);
  dst.Fill(Opaque(0));
  FillColumns(src, *this);
  // 49 source columns of which 1 exists: 98 * (1 / 49.0) is just below 2.
  DDBltStretch(&dst.sd, 0, 0, 98, 1, &src.sd, 0, 0, 49, 1, 0);
  EXPECT_EQ(Column(dst.Get(0, 0)), 1u);
  EXPECT_EQ(Column(dst.Get(1, 0)), 0u);
}

TEST_P(BlitTest, OverlappingCopyWithinOneSurfaceReadsTheOldPixels) {
  TestSurface s(16, 4);
  FillColumns(s, *this);
  DDBlt(&s.sd, 1, 0, 8, 4, &s.sd, 0, 0, 1);
  for (int x = 1; x <= 8; ++x) EXPECT_EQ(Column(s.Get(x, 2)), std::uint32_t(x)) << x;
}

TEST_P(BlitTest, FillsAreClippedOnEveryEdgeAndRefuseBadNumbers) {
  TestSurface s(8, 8);
  s.Fill(Opaque(0));
  g_PalEntries[9] = {1, 2, 3, 0};
  DDFillRect(&s.sd, -2, -2, 4, 4, 9);
  DDFillRect(&s.sd, 6, 6, 10, 10, 9);
  DDFillRect(&s.sd, 3, 3, -1, 5, 9);
  DDFillRect(&s.sd, 3, 3, 2, 2, 256);
  const std::uint32_t nine = Is8() ? 9u : (IsD3D() ? 0xFF010203u : 0x010203u);
  EXPECT_EQ(s.Get(0, 0), nine);
  EXPECT_EQ(s.Get(1, 1), nine);
  EXPECT_EQ(s.Get(2, 2), Opaque(0));
  EXPECT_EQ(s.Get(7, 7), nine);
  EXPECT_EQ(s.Get(3, 3), Opaque(0));
}

INSTANTIATE_TEST_SUITE_P(Modes, BlitTest,
                         testing::Values(Mode::DirectDraw8, Mode::DirectDraw32, Mode::Direct3D32),
                         effect_test::ModeName);

class Direct3DBlitTest : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(effect_test::StartDevice(Mode::Direct3D32)); }
  void TearDown() override { DDRelease(); }
};

TEST_F(Direct3DBlitTest, QuadBlendsAtAlpha0And128And255) {
  TestSurface dst(4, 1), src(3, 1);
  dst.Fill(0xFF000000);
  src.Set(0, 0, 0x00FFFFFF);
  src.Set(1, 0, 0x80FFFFFF);
  src.Set(2, 0, 0xFFFFFFFF);
  DDBlt(&dst.sd, 0, 0, 3, 1, &src.sd, 0, 0, 1);
  EXPECT_EQ(dst.Get(0, 0), 0xFF000000u);
  // 255 * 128 / 255 = 128; alpha: (128 * 128 + 255 * 127) / 255 = 191.25 -> 191
  EXPECT_EQ(dst.Get(1, 0), 0xBF808080u);
  EXPECT_EQ(dst.Get(2, 0), 0xFFFFFFFFu);
}

TEST_F(Direct3DBlitTest, DrawColourModulatesAndHalfAlphaBlends) {
  TestSurface dst(2, 1), src(1, 1);
  dst.Fill(0xFF000000);
  src.Set(0, 0, 0xFFFFFFFF);
  const std::uint32_t red[2] = {0xFFFF0000, 4};
  DDBltColor(&dst.sd, 0, 0, 1, 1, &src.sd, 0, 0, 1, red);
  EXPECT_EQ(dst.Get(0, 0), 0xFFFF0000u);
  DDSetAlphaOp(4);
  DDSetDrawColor(0x80FFFFFF);
  DDBlt(&dst.sd, 1, 0, 1, 1, &src.sd, 0, 0, 1);
  DDResetAlphaOp();
  DDResetDrawColor();
  EXPECT_EQ(dst.Get(1, 0), 0xBF808080u);
  EXPECT_EQ(lpDTCon->dwDrawColor, 0xFFFFFFFFu);
  EXPECT_EQ(lpDTCon->dwColorOp, 4u);
}

TEST_F(Direct3DBlitTest, MirroredAliasFlipsWithinEachCell) {
  DDSURFACEDATA alias;
  alias.lpAlias = &alias;  // any owner
  alias.nMirrorW = 32;
  int x = 64, y = 0, w = 32, h = 32;
  MirrorAliasSource(&alias, &x, &y, &w, &h);
  EXPECT_EQ(x, 96);
  EXPECT_EQ(w, -32);
  x = 70;
  w = 16;
  MirrorAliasSource(&alias, &x, &y, &w, &h);
  EXPECT_EQ(x, 90);
  EXPECT_EQ(w, -16);
  EXPECT_EQ(h, 32);
}

TEST_F(Direct3DBlitTest, BlitFromAMirroredAliasDrawsTheOwnerFlipped) {
  TestSurface owner(8, 1), dst(8, 1);
  for (int x = 0; x < 8; ++x) owner.Set(x, 0, 0xFF000000u | std::uint32_t(x));
  DDSURFACEDATA alias;
  alias.lpAlias = &owner.sd;
  alias.nMirrorW = 4;
  DDBlt(&dst.sd, 0, 0, 8, 1, &alias, 0, 0, 0);
  // Wider than a cell: drawn as it stands.
  EXPECT_EQ(dst.Get(0, 0), 0xFF000000u);
  DDBlt(&dst.sd, 0, 0, 4, 1, &alias, 4, 0, 0);
  const std::uint32_t expected[4] = {7, 6, 5, 4};
  for (int x = 0; x < 4; ++x) EXPECT_EQ(dst.Get(x, 0), 0xFF000000u | expected[x]);
}

TEST_F(Direct3DBlitTest, SoftwarePathCopiesRawTexelsAndMirrorsNegativeWidths) {
  TestSurface dst(8, 1, true), src(8, 1);
  dst.Fill(0xFF111111);
  for (int x = 0; x < 8; ++x) src.Set(x, 0, (x == 2 ? 0u : 0x80000000u) | std::uint32_t(x));
  DDBltStretch(&dst.sd, 0, 0, 4, 1, &src.sd, 4, 0, -4, 1, 1);
  // Read backwards from sx - 1; the alpha is copied as it stands.
  EXPECT_EQ(dst.Get(0, 0), 0x80000003u);
  EXPECT_EQ(dst.Get(1, 0), 0xFF111111u);  // alpha 0 skipped under the key
  EXPECT_EQ(dst.Get(3, 0), 0x80000000u);
}

TEST_F(Direct3DBlitTest, ColourKeyedOpaqueCopyLeavesTransparentBlack) {
  TestSurface dst(2, 1), src(2, 1);
  dst.Fill(0xFF123456);
  src.Set(0, 0, 0);
  src.Set(1, 0, 0xFF00FF00);
  DDBlt(&dst.sd, 0, 0, 2, 1, &src.sd, 0, 0, 0);
  EXPECT_EQ(dst.Get(0, 0), 0u);
  EXPECT_EQ(dst.Get(1, 0), 0xFF00FF00u);
}

TEST_F(Direct3DBlitTest, PaletteNumberZeroIsTransparentBlack) {
  g_PalEntries[0] = {10, 20, 30, 0};
  g_PalEntries[1] = {10, 20, 30, 0};
  EXPECT_EQ(PalNumToRGB(0), 0u);
  EXPECT_EQ(PalNumToRGB(1), 0xFF0A141Eu);
  EXPECT_EQ(PalNumToRGB(300), 0u);
}

TEST_F(Direct3DBlitTest, FillBatchDrawsQueuedFillsInOrderWithTheirAlpha) {
  TestSurface a(2, 1), b(2, 1);
  a.Fill(0xFF000000);
  b.Fill(0xFF000000);
  DDBeginFillBatch();
  DDFillRectRGB(&a.sd, 0, 0, 1, 1, 0xFFFF0000);
  DDFillRectRGB(&a.sd, 0, 0, 1, 1, 0x800000FF);
  DDFillRectRGB(&b.sd, 1, 0, 1, 1, 0xFF00FF00);
  DDFillRectRGB(&a.sd, 1, 0, 1, 1, 0x00FFFFFF);
  EXPECT_EQ(a.Get(0, 0), 0xFF000000u);  // queued, not drawn yet
  DDEndFillBatch();
  EXPECT_FALSE(DDFillBatchOpen());
  EXPECT_EQ(a.Get(0, 0), 0xBF7F0080u);  // the alpha channel blends too
  EXPECT_EQ(b.Get(1, 0), 0xFF00FF00u);
  EXPECT_EQ(a.Get(1, 0), 0xFF000000u);  // alpha 0 draws nothing
}

}  // namespace

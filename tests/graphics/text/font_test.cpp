#include "graphics/text/font.h"

#include <gtest/gtest.h>

#include "tests/graphics/effect_test_support.h"
#include "graphics/blits/fill.h"
#include "graphics/text/font_setup.h"
#include "graphics/images/palette.h"
#include "foundation/sjis.h"
#include "graphics/text/text_cp932_table.h"
#include "platform/fonts/font_rasterizer.h"
#include "platform/text_encoding.h"

namespace {

using effect_test::DeviceTest;
using effect_test::Mode;
using effect_test::TestSurface;

constexpr int kText = 241;

class FontTest : public DeviceTest {
 protected:
  void SetUp() override {
    DeviceTest::SetUp();
    g_PalEntries[kText] = {0xFF, 0xFF, 0xFF, 0};
    g_PalEntries[0] = {0, 0, 0, 0};
    // Other suites of this binary leave their own transparent colour behind.
    g_DDState.dwColorKey = 0;
  }
  std::unique_ptr<Font> MakeFont(int cell, int line, int caches, DDSURFACEDATA* box = nullptr,
                                 DDSURFACEDATA* letters = nullptr) {
    auto font = std::make_unique<Font>();
    font->Create(g_FontDefs[0].szFace, 0, line, cell, line, kText, box, 1, kText, letters, caches);
    return font;
  }
  std::uint32_t Background() const { return Opaque(0x102030); }
  // The box around every pixel that differs from the background; empty
  // (left > right) when nothing was drawn.
  struct Drawn {
    int left = 1 << 20, top = 1 << 20, right = -1, bottom = -1;
  };
  Drawn DrawnArea(TestSurface& s) {
    Drawn d;
    for (int y = 0; y < s.sd.nHeight; ++y)
      for (int x = 0; x < s.sd.nWidth; ++x)
        if (s.Get(x, y) != Background()) {
          d.left = std::min(d.left, x);
          d.top = std::min(d.top, y);
          d.right = std::max(d.right, x);
          d.bottom = std::max(d.bottom, y);
        }
    return d;
  }
  void ExpectDrawnInside(TestSurface& s, int left, int top, int right, int bottom) {
    const Drawn d = DrawnArea(s);
    ASSERT_LE(d.left, d.right) << "nothing drawn";
    EXPECT_GE(d.left, left);
    EXPECT_GE(d.top, top);
    EXPECT_LT(d.right, right);
    EXPECT_LT(d.bottom, bottom);
  }
};

TEST_P(FontTest, CachesHoldEveryByteInItsCellAndTheSetInOrder) {
  auto font = MakeFont(10, 10, 1);
  ASSERT_NE(font->m_lpFastFont_Half, nullptr);
  ASSERT_NE(font->m_lpFastFont_FullAdd, nullptr);
  const GlyphCache& half = *font->m_lpFastFont_Half;
  EXPECT_EQ(half.Capacity(), 256);
  // Codes 1..255 without the line feed and the 60 lead bytes.
  EXPECT_EQ(half.Count(), 254 - 60);
  const GlyphCache::Entry* a = half.Find("A");
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a->x, 10);
  EXPECT_EQ(a->y, 40);
  EXPECT_EQ(half.Find("\n"), nullptr);
  EXPECT_EQ(half.Find("\x82"), nullptr);
  const GlyphCache& full = *font->m_lpFastFont_FullAdd;
  // Direct3D sheets are up to 1024 pixels; DirectDraw ones screen-sized (64 x 48 here).
  EXPECT_EQ(full.Capacity(), IsD3D() ? 32 * 32 : 6 * 4);
  const std::string zero = platform::Cp932FromUtf8("０"), one = platform::Cp932FromUtf8("１");
  ASSERT_NE(full.Find(zero), nullptr);
  EXPECT_EQ(full.Find(zero)->index, 0);
  EXPECT_EQ(full.Find(one)->x, 10);
  // The set of 258 characters names one twice; it takes one cell.
  EXPECT_EQ(full.Count(), IsD3D() ? 257 : 24);
}

TEST_P(FontTest, CharactersAreDrawnInsideTheirCells) {
  auto font = MakeFont(16, 16, 1);
  TestSurface dst(64, 48);
  dst.Fill(Background());
  font->Draw(&dst.sd, 4, 2, "  A");  // two spaces only advance
  ExpectDrawnInside(dst, 4 + 32, 2, 4 + 48, 2 + 16);
  dst.Fill(Background());
  font->Draw(&dst.sd, 0, 0, platform::Cp932FromUtf8("\nあ").c_str());
  ExpectDrawnInside(dst, 0, 16, 16, 32);
}

TEST_P(FontTest, TheWorkSurfaceIsMadeWhenTextFirstGoesThroughIt) {
  auto font = MakeFont(16, 16, 1);
  EXPECT_EQ(SurfacePixels(&font->m_WorkSD), nullptr);
  // A system-memory destination is no render target in any mode: the text
  // is drawn on the work surface and copied over with the key.
  TestSurface dst(64, 48, /*systemMemory=*/true);
  dst.Fill(Background());
  font->Draw(&dst.sd, 4, 2, "  A");
  EXPECT_NE(SurfacePixels(&font->m_WorkSD), nullptr);
  ExpectDrawnInside(dst, 4 + 32, 2, 4 + 48, 2 + 16);
  // Drawn again through the same surface, the text lands where it did.
  dst.Fill(Background());
  font->Draw(&dst.sd, 0, 0, platform::Cp932FromUtf8("\nあ").c_str());
  ExpectDrawnInside(dst, 0, 16, 16, 32);
}

TEST_P(FontTest, CachedCharactersSitInTheirCellsLikeDirectOnes) {
  // A cached character is drawn where the same character drawn without
  // caches goes: centred in its cell by its own extent.
  auto cached = MakeFont(16, 16, 1);
  auto direct = MakeFont(16, 16, 0);
  const std::string text = "A" + platform::Cp932FromUtf8("あ") + "i";
  TestSurface a(64, 48), b(64, 48);
  a.Fill(Background());
  b.Fill(Background());
  cached->Draw(&a.sd, 3, 5, text.c_str());
  direct->Draw(&b.sd, 3, 5, text.c_str());
  const Drawn fromCache = DrawnArea(a), drawnDirectly = DrawnArea(b);
  ASSERT_LE(drawnDirectly.left, drawnDirectly.right) << "nothing drawn";
  EXPECT_EQ(fromCache.left, drawnDirectly.left);
  EXPECT_EQ(fromCache.top, drawnDirectly.top);
  EXPECT_EQ(fromCache.right, drawnDirectly.right);
  EXPECT_EQ(fromCache.bottom, drawnDirectly.bottom);
}

TEST_P(FontTest, NewCharactersJoinTheCacheAndAFullCacheDrawsDirectly) {
  auto font = MakeFont(16, 16, 1);
  GlyphCache& full = *font->m_lpFastFont_FullAdd;
  const std::string kanji = platform::Cp932FromUtf8("漢");
  TestSurface dst(64, 48);
  dst.Fill(Background());
  const int before = full.Count();
  font->Draw(&dst.sd, 16, 0, kanji.c_str());
  ExpectDrawnInside(dst, 16, 0, 32, 16);
  if (IsD3D()) {
    EXPECT_EQ(full.Count(), before + 1);
    EXPECT_NE(full.Find(kanji), nullptr);
  } else {
    // 4 x 3 cells of 16 on a 64 x 48 screen: full after the set's first twelve.
    EXPECT_EQ(full.Count(), 12);
    EXPECT_EQ(full.Find(kanji), nullptr);
  }
}

TEST_P(FontTest, WithoutCachesTextIsDrawnDirectly) {
  auto font = MakeFont(10, 10, 0);
  EXPECT_EQ(font->m_lpFastFont_Half, nullptr);
  TestSurface dst(64, 48);
  dst.Fill(Background());
  font->Printf(&dst.sd, 0, 0, "%d", 7);
  ExpectDrawnInside(dst, 0, 0, 10, 10);
  // A font with caches asked for but no cell size stays without caches.
  auto proportional = MakeFont(0, 12, 1);
  EXPECT_EQ(proportional->m_lpFastFont_Half, nullptr);
}

TEST_P(FontTest, MeasuresByCellsOrByTheFace) {
  auto font = MakeFont(10, 10, 0);
  const std::string text = platform::Cp932FromUtf8("ab\nあいう");
  EXPECT_EQ(MeasureTextBlock(font.get(), text.c_str()), (text_layout::TextSize{30, 20}));
  auto proportional = MakeFont(0, 12, 0);
  const text_layout::TextSize size = MeasureTextGDI(proportional.get(), "ii\nWW");
  EXPECT_EQ(size.height, 24);
  EXPECT_GT(size.width, 0);
  EXPECT_EQ(size.width, MeasureTextGDI(proportional.get(), "WW").width);
  // Released, a font measures as one never created: nothing of its face or
  // sizes is left for text measured after a shutdown.
  proportional->Release();
  EXPECT_EQ(MeasureTextGDI(proportional.get(), "ii\nWW"), (text_layout::TextSize{0, 0}));
  font->Release();
  EXPECT_EQ(MeasureTextBlock(font.get(), text.c_str()), (text_layout::TextSize{0, 0}));
}

// Message windows are sized by these measures, so a text must measure the
// same in every drawing mode: only the font's cache setting (which the
// project's defaults choose per mode) picks cells or the face's advances.
TEST_P(FontTest, TheNormalFontMeasuresATextAlikeInEveryDrawingMode) {
  const FONTDEF& def = g_FontDefs[1];
  const std::string text = platform::Cp932FromUtf8("ようこそ！ Run 07");
  auto face = platform::FontFace::Open(platform::Utf8FromCp932(def.szFace), def.nHeight, def.nWidth);
  ASSERT_NE(face, nullptr);
  int advances = 0;
  sjis::ForEachChar(text, [&](std::size_t pos, std::size_t length) {
    advances += face->Advance(text_cp932::ToUnicode(std::string_view(text).substr(pos, length)));
  });
  for (int caches : {0, 1}) {
    Font font;
    font.Create(def.szFace, def.nWidth, def.nHeight, def.nCellWidth, def.nLineHeight, kText, nullptr, 1, kText,
                nullptr, caches);
    EXPECT_EQ(MeasureTextGDI(&font, text.c_str()), (text_layout::TextSize{advances, 16}));
    EXPECT_EQ(MeasureTextBlock(&font, text.c_str()), (text_layout::TextSize{12 * 16, 16}));
  }
}

TEST_P(FontTest, LetterSheetIsLaidOverLowercaseLetters) {
  TestSurface letters(260, 10), dst(64, 48);
  letters.Fill(Opaque(0x0000FF));
  auto font = MakeFont(10, 10, 1, nullptr, &letters.sd);
  EXPECT_EQ(font->m_bUseLetterSheet, 1);  // set when a sheet is given
  EXPECT_EQ(MakeFont(10, 10, 1)->m_bUseLetterSheet, 0);
  dst.Fill(Background());
  font->Draw(&dst.sd, 0, 0, "Ab");
  EXPECT_EQ(dst.Get(15, 5), Opaque(0x0000FF));  // the sheet's cell of 'b'
  dst.Fill(Background());
  font->Draw(&dst.sd, 0, 0, "Ab", 1);  // plain: the letter comes from the font
  EXPECT_NE(dst.Get(15, 5), Opaque(0x0000FF));
  ExpectDrawnInside(dst, 0, 0, 20, 10);
}

TEST_P(FontTest, BoxesCentreAgainstTheBoxImage) {
  TestSurface box(40, 20), dst(64, 48);
  box.Fill(Opaque(0x445566));
  auto font = MakeFont(10, 10, 0, &box.sd);
  dst.Fill(Background());
  font->DrawBox(&dst.sd, 10000, 10000, 20, 10);
  EXPECT_EQ(dst.Get(10, 5), Opaque(0x445566));
  EXPECT_EQ(dst.Get(29, 14), Opaque(0x445566));
  EXPECT_NE(dst.Get(9, 4), Opaque(0x445566));   // the frame
  EXPECT_EQ(dst.Get(8, 3), Background());
  dst.Fill(Background());
  EXPECT_EQ(font->DrawBoxText(&dst.sd, 0, 0, 0, 0, "AB", 4), 1);  // box 24 x 10
  EXPECT_EQ(dst.Get(23, 9), dst.Get(0, 9));
  EXPECT_NE(dst.Get(24, 9), Opaque(0x445566));
}

TEST_P(FontTest, RestoreRendersLostCacheSheetsAgain) {
  auto font = MakeFont(10, 10, 1);
  GlyphCache& half = *font->m_lpFastFont_Half;
  TestSurface probe(64, 48);
  const auto sheetHasInk = [&] {
    cSurfaceLock lock;
    if (!lock.Lock(&half.Sheet())) return false;
    const GlyphCache::Entry* a = half.Find("A");
    for (int y = a->y; y < a->y + 10; ++y)
      for (int x = a->x; x < a->x + 10; ++x) {
        const std::uint32_t p = lock.BitsPerPixel() == 8 ? lock.Row8(y)[x] : lock.Row32(y)[x];
        if (p == glyph_painter::TextPixel(kText) || (IsD3D() && (p >> 24) != 0)) return true;
      }
    return false;
  };
  EXPECT_TRUE(sheetHasInk());
  half.Sheet().bLost = 1;
  DDFillSurface(&half.Sheet(), 0);
  EXPECT_FALSE(sheetHasInk());
  font->Restore();
  EXPECT_TRUE(sheetHasInk());
  EXPECT_EQ(half.Sheet().bLost, 0);
}

TEST_P(FontTest, DigitStripsHoldTheTenDigits) {
  Font fonts[1];
  CreateFonts(fonts, g_FontDefs, 1);
  BMPFILEDATA entry;
  entry.bColorKey = 1;
  DDSURFACEDATA strip;
  CreateNumberSurfaces(&strip, &entry, 1, fonts, g_FontDefs);
  EXPECT_EQ(strip.nWidth, 100);
  EXPECT_EQ(strip.nHeight, 10);
  DDReleaseSurface(&strip);
}

INSTANTIATE_TEST_SUITE_P(Modes, FontTest, testing::Values(Mode::DirectDraw8, Mode::DirectDraw32, Mode::Direct3D32),
                         effect_test::ModeName);

}  // namespace

#include "platform/fonts/font_rasterizer.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "platform/fonts/font_file.h"
#include "tests/support/test_fonts.h"

namespace {

namespace fs = std::filesystem;

TEST(FontRasterizer, MapsJapaneseFaceNamesToIpaGothic) {
  EXPECT_EQ(platform::FontFamilyForFaceName("ＭＳ ゴシック"), "IPAGothic");
  EXPECT_EQ(platform::FontFamilyForFaceName("ＭＳ Ｐゴシック"), "IPAPGothic");
  EXPECT_EQ(platform::FontFamilyForFaceName(""), "IPAGothic");
  EXPECT_EQ(platform::FontFamilyForFaceName("Sans"), "Sans");
  EXPECT_NE(platform::FindFontFile("IPAGothic"), "");
  // The report log names the face by its file's own name.
  auto face = platform::FontFace::Open("ＭＳ ゴシック", 16);
  ASSERT_NE(face, nullptr);
  EXPECT_EQ(face->FamilyName(), "IPAGothic");
  EXPECT_TRUE(face->DrawsJapanese());
}

TEST(FontRasterizer, MonochromeGlyphsAreFullyOnOrOff) {
  auto face = platform::FontFace::Open("ＭＳ ゴシック", 16);
  ASSERT_NE(face, nullptr);
  EXPECT_EQ(face->LineHeight(), 16);
  const platform::GlyphBitmap glyph = face->Render(U'あ', platform::GlyphRendering::Monochrome);
  ASSERT_GT(glyph.width, 0);
  ASSERT_GT(glyph.height, 0);
  EXPECT_TRUE(std::all_of(glyph.coverage.begin(), glyph.coverage.end(), [](auto v) { return v == 0 || v == 255; }));
  EXPECT_TRUE(std::any_of(glyph.coverage.begin(), glyph.coverage.end(), [](auto v) { return v == 255; }));
  // The glyph lies inside its line: between the top of the line and its bottom.
  EXPECT_GE(face->Ascent() + glyph.top, 0);
  EXPECT_LE(face->Ascent() + glyph.top + glyph.height, face->LineHeight());
}

TEST(FontRasterizer, CoverageGlyphsHaveIntermediateAlphaAndFixedAdvances) {
  auto face = platform::FontFace::Open("ＭＳ ゴシック", 30);
  ASSERT_NE(face, nullptr);
  const platform::GlyphBitmap glyph = face->Render(U'永', platform::GlyphRendering::Coverage);
  EXPECT_TRUE(std::any_of(glyph.coverage.begin(), glyph.coverage.end(), [](auto v) { return v > 0 && v < 255; }));
  // The fixed face gives full-width characters twice the advance of ASCII.
  EXPECT_EQ(face->Advance(U'永'), 2 * face->Advance(U'A'));
  auto proportional = platform::FontFace::Open("ＭＳ Ｐゴシック", 30);
  ASSERT_NE(proportional, nullptr);
  EXPECT_LT(proportional->Advance(U'i'), proportional->Advance(U'W'));
}

// Faces of one file read one mapping of it, which lasts while any face
// holds it: a face still draws after the others from its file are gone.
TEST(FontRasterizer, FacesOfOneFileShareOneMappingThatOutlivesTheOthers) {
  const std::string path = platform::FindFontFile("IPAGothic");
  auto first = platform::FontFile::Map(path);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(platform::FontFile::Map(path), first);
  EXPECT_EQ(platform::FontFile::Map(path + ".missing"), nullptr);
  auto small = platform::FontFace::Open("ＭＳ ゴシック", 12);
  auto large = platform::FontFace::Open("ＭＳ ゴシック", 24);
  ASSERT_NE(small, nullptr);
  ASSERT_NE(large, nullptr);
  EXPECT_EQ(first.use_count(), 3);
  first.reset();
  small.reset();
  const platform::GlyphBitmap glyph = large->Render(U'永', platform::GlyphRendering::Coverage);
  EXPECT_TRUE(std::any_of(glyph.coverage.begin(), glyph.coverage.end(), [](auto v) { return v == 255; }));
}

// A Japanese face whose line is taller than its em (Noto Sans CJK's is
// 1.45 em) stands in for the game's font with the game's height as its em,
// as IPAGothic's is, and its em box where the game's line is: its
// characters come out at the size and in the place IPAGothic gives them.
TEST(FontRasterizer, AFaceWithATallerLineDrawsAtTheIpaFacesSizeAndPlace) {
  const fs::path folder = fs::temp_directory_path() / ("font_rasterizer_" + std::to_string(::getpid()));
  const fs::path tallFile = WriteTallLineFace(folder);
  ASSERT_FALSE(tallFile.empty());
  {
    const auto oneEm = platform::GameFontLine::OneEm;
    auto ipa = platform::FontFace::Open({platform::FindFontFile("IPAGothic"), 0, true}, oneEm, 30);
    auto tall = platform::FontFace::Open({tallFile.string(), 0, true}, oneEm, 30);
    ASSERT_NE(ipa, nullptr);
    ASSERT_NE(tall, nullptr);
    EXPECT_EQ(tall->FamilyName(), kTallLineFamily);
    EXPECT_EQ(tall->Ascent(), ipa->Ascent());
    for (char32_t character : {U'オ', U'永', U'g'}) {
      const platform::GlyphBitmap& expected = ipa->Render(character, platform::GlyphRendering::Monochrome);
      const platform::GlyphBitmap& drawn = tall->Render(character, platform::GlyphRendering::Monochrome);
      EXPECT_EQ(drawn.height, expected.height) << static_cast<unsigned>(character);
      EXPECT_EQ(drawn.top, expected.top) << static_cast<unsigned>(character);
      EXPECT_EQ(drawn.coverage, expected.coverage) << static_cast<unsigned>(character);
    }
  }
  fs::remove_all(folder);
}

TEST(FontRasterizer, RefusesImpossibleSizes) {
  EXPECT_EQ(platform::FontFace::Open("ＭＳ ゴシック", 0), nullptr);
  EXPECT_EQ(platform::FontFace::Open("ＭＳ ゴシック", 12, -1), nullptr);
}

}  // namespace

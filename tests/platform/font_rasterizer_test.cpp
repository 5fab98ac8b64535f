#include "platform/fonts/font_rasterizer.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

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
    auto ipa = platform::FontFace::Open({platform::FindFontFile("IPAGothic"), 0, true, "IPAGothic"}, oneEm, 30);
    auto tall = platform::FontFace::Open({tallFile.string(), 0, true, "IPAGothic"}, oneEm, 30);
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

// A scratch folder of the test's own, removed with it.
class FontFolder {
 public:
  explicit FontFolder(const std::string& name)
      : path_(fs::temp_directory_path() / (name + "_" + std::to_string(::getpid()))) {}
  ~FontFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }
  const fs::path& Path() const { return path_; }

 private:
  fs::path path_;
};

bool HasInk(const platform::GlyphBitmap& glyph) {
  return std::any_of(glyph.coverage.begin(), glyph.coverage.end(), [](auto v) { return v != 0; });
}

// A face with the kana and kanji only, beside DejaVu Sans (as Droid Sans
// Fallback is the only Japanese face on some desktops): every printable
// ASCII character is drawn by DejaVu Sans at the face's em, as DejaVu Sans
// draws it at that em, never as the face's missing-glyph box; the face
// still draws its own characters.
TEST(FontRasterizer, CharactersTheFaceLacksAreDrawnByTheFaceFontconfigGivesForThem) {
  FontFolder folder("font_stand_in");
  const fs::path kanaKanji = WriteKanaKanjiFace(folder.Path());
  ASSERT_FALSE(kanaKanji.empty()) << "fontTools could not cut the face (Debian: apt-get install python3-fonttools)";
  ASSERT_TRUE(fs::exists(kLatinFontFile)) << "no Latin font here (Debian: apt-get install fonts-dejavu-core)";
  const auto oneEm = platform::GameFontLine::OneEm;
  // DejaVu Sans's typographic line is its em: opened alone, its em is 16 pixels too.
  auto latin = platform::FontFace::Open({kLatinFontFile, 0, false, kLatinFontFamily}, oneEm, 16);
  auto face = platform::FontFace::Open({kanaKanji.string(), 0, true, kLatinFontFamily}, oneEm, 16);
  ASSERT_NE(latin, nullptr);
  ASSERT_NE(face, nullptr);
  EXPECT_EQ(face->FamilyName(), kKanaKanjiFamily);
  EXPECT_EQ(face->FamilyNameFor(U'A'), kLatinFontFamily);
  EXPECT_EQ(face->FamilyNameFor(U'永'), kKanaKanjiFamily);
  for (const auto rendering : {platform::GlyphRendering::Monochrome, platform::GlyphRendering::Coverage}) {
    for (char32_t character = U'!'; character <= U'~'; ++character) {
      const platform::GlyphBitmap& expected = latin->Render(character, rendering);
      const platform::GlyphBitmap& drawn = face->Render(character, rendering);
      EXPECT_TRUE(HasInk(drawn)) << static_cast<char>(character);
      EXPECT_EQ(drawn.coverage, expected.coverage) << static_cast<char>(character);
      EXPECT_EQ(drawn.left, expected.left) << static_cast<char>(character);
      EXPECT_EQ(drawn.advance, expected.advance) << static_cast<char>(character);
      EXPECT_EQ(face->Advance(character), latin->Advance(character)) << static_cast<char>(character);
    }
    // On the face's baseline: a letter's top lies as far above it as DejaVu Sans puts it.
    EXPECT_EQ(face->Render(U'H', rendering).top, latin->Render(U'H', rendering).top);
    EXPECT_TRUE(HasInk(face->Render(U'あ', rendering)));
  }
}

// The underscore shows in each face that draws the game's text: its ink
// lies inside the line, at the sizes of the game's texts and dialogs, drawn
// monochrome or anti-aliased. The fixed IPA face's anti-aliased hinting
// rounds it to nothing up to 16 pixels; DejaVu Sans, standing in for a face
// without Latin letters, puts it below that face's line.
TEST(FontRasterizer, TheUnderscoreDrawsInsideTheLineInEveryFace) {
  FontFolder folder("font_underscore");
  const fs::path kanaKanji = WriteKanaKanjiFace(folder.Path());
  const fs::path tall = WriteTallLineFace(folder.Path());
  ASSERT_FALSE(kanaKanji.empty());
  ASSERT_FALSE(tall.empty());
  const std::vector<platform::FontChoice> faces = {
      {platform::FindFontFile("IPAGothic"), 0, true, "IPAGothic"},
      {platform::FindFontFile("IPAPGothic"), 0, true, "IPAPGothic"},
      {tall.string(), 0, true, "IPAGothic"},
      {kanaKanji.string(), 0, true, kLatinFontFamily}};
  for (const platform::FontChoice& choice : faces) {
    for (const int size : {12, 16, 26}) {
      auto face = platform::FontFace::Open(choice, platform::GameFontLine::OneEm, size);
      ASSERT_NE(face, nullptr);
      for (const auto rendering : {platform::GlyphRendering::Monochrome, platform::GlyphRendering::Coverage}) {
        const platform::GlyphBitmap& glyph = face->Render(U'_', rendering);
        const std::string where = choice.path + " at " + std::to_string(size) +
                                  (rendering == platform::GlyphRendering::Coverage ? " anti-aliased" : "");
        EXPECT_TRUE(HasInk(glyph)) << where;
        EXPECT_GE(face->Ascent() + glyph.top, 0) << where;
        EXPECT_LE(face->Ascent() + glyph.top + glyph.height, face->LineHeight()) << where;
      }
    }
  }
}

TEST(FontRasterizer, RefusesImpossibleSizes) {
  EXPECT_EQ(platform::FontFace::Open("ＭＳ ゴシック", 0), nullptr);
  EXPECT_EQ(platform::FontFace::Open("ＭＳ ゴシック", 12, -1), nullptr);
}

}  // namespace

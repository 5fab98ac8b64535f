#include "platform/fonts/font_rasterizer.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <map>
#include <utility>

#include "platform/fonts/font_file.h"

namespace platform {
namespace {

// The part of a face's design that the game's line of text covers, in font
// units above the baseline (top) and below it (bottom, negative).
struct DesignLine {
  long top = 0;
  long bottom = 0;
};

std::string FamilyNameOf(FT_Face face) { return face->family_name ? face->family_name : ""; }

DesignLine GameLineIn(FT_Face face, GameFontLine line) {
  const long ascender = face->ascender;
  const long descender = face->descender;
  const long em = face->units_per_EM;
  if (line == GameFontLine::FaceLine || ascender - descender <= em) return {ascender, descender};
  // A line taller than the em (Noto Sans CJK's is 1.45 em): the game's line
  // is the em, placed where the typographic metrics put the em box (as a
  // Japanese face's do), else in the middle of the face's line.
  const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
  if (os2 && os2->version != 0xFFFF && os2->sTypoAscender - os2->sTypoDescender == em)
    return {os2->sTypoAscender, os2->sTypoDescender};
  const long top = ascender - (ascender - descender - em) / 2;
  return {top, top - em};
}

// A face read from a mapped font file, which outlives it.
struct LoadedFace {
  std::shared_ptr<const FontFile> file;
  FT_Face face = nullptr;
};

LoadedFace LoadFace(FT_Library library, const FontChoice& font) {
  LoadedFace loaded{FontFile::Map(font.path), nullptr};
  if (loaded.file && FT_New_Memory_Face(library, loaded.file->Data(), static_cast<FT_Long>(loaded.file->Size()),
                                        font.index, &loaded.face) != 0)
    loaded.face = nullptr;
  return loaded;
}

// A character as FreeType renders it in a face, monochrome or anti-aliased;
// empty where the face cannot load it.
GlyphBitmap RenderGlyph(FT_Face face, char32_t codePoint, bool mono) {
  GlyphBitmap glyph;
  const FT_Int32 flags = FT_LOAD_RENDER | (mono ? FT_LOAD_TARGET_MONO : FT_LOAD_NO_BITMAP);
  if (FT_Load_Char(face, codePoint, flags) != 0) return glyph;
  const FT_GlyphSlot slot = face->glyph;
  const FT_Bitmap& bitmap = slot->bitmap;
  glyph.width = static_cast<int>(bitmap.width);
  glyph.height = static_cast<int>(bitmap.rows);
  glyph.left = slot->bitmap_left;
  glyph.top = -slot->bitmap_top;
  glyph.advance = static_cast<int>((slot->advance.x + 32) >> 6);
  glyph.coverage.assign(static_cast<std::size_t>(glyph.width) * glyph.height, 0);
  for (int y = 0; y < glyph.height; ++y) {
    const unsigned char* row = bitmap.buffer + static_cast<std::ptrdiff_t>(y) * bitmap.pitch;
    for (int x = 0; x < glyph.width; ++x) {
      std::uint8_t value = 0;
      if (bitmap.pixel_mode == FT_PIXEL_MODE_MONO)
        value = (row[x >> 3] & (0x80 >> (x & 7))) ? 255 : 0;
      else if (bitmap.pixel_mode == FT_PIXEL_MODE_GRAY)
        value = static_cast<std::uint8_t>(row[x] * 255 / std::max(1, bitmap.num_grays - 1));
      if (mono && value) value = 255;
      glyph.coverage[static_cast<std::size_t>(y) * glyph.width + x] = value;
    }
  }
  return glyph;
}

}  // namespace

struct FontFace::Impl {
  FT_Library library = nullptr;
  LoadedFace chosen;
  std::string family;
  FT_UInt emWidth = 0, emHeight = 0;
  // The faces that draw characters the chosen face lacks, by file and index,
  // at the chosen face's em so that they come out at its size; and which of
  // them draws each such character (the chosen face where none has it).
  std::map<std::pair<std::string, int>, LoadedFace> standIns;
  std::unordered_map<char32_t, FT_Face> standInFor;

  ~Impl() {
    for (auto& standIn : standIns)
      if (standIn.second.face) FT_Done_Face(standIn.second.face);
    if (chosen.face) FT_Done_Face(chosen.face);
    if (library) FT_Done_FreeType(library);
  }

  FT_Face FaceFor(char32_t codePoint) {
    if (FT_Get_Char_Index(chosen.face, codePoint) != 0) return chosen.face;
    auto [found, added] = standInFor.try_emplace(codePoint, chosen.face);
    if (added) {
      const FontChoice font = ChooseFontForCharacter(family, codePoint);
      if (!font.path.empty()) found->second = StandIn(font);
    }
    return found->second;
  }

 private:
  FT_Face StandIn(const FontChoice& font) {
    auto [found, added] = standIns.try_emplace({font.path, font.index});
    if (added) {
      found->second = LoadFace(library, font);
      if (found->second.face && FT_Set_Pixel_Sizes(found->second.face, emWidth, emHeight) != 0) {
        FT_Done_Face(found->second.face);
        found->second.face = nullptr;
      }
    }
    return found->second.face ? found->second.face : chosen.face;
  }
};

FontFace::FontFace(std::unique_ptr<Impl> impl, const FontChoice& font, int lineHeight, int ascent)
    : impl_(std::move(impl)),
      filePath_(font.path),
      familyName_(FamilyNameOf(impl_->chosen.face)),
      drawsJapanese_(font.drawsJapanese),
      lineHeight_(lineHeight),
      ascent_(ascent) {}

FontFace::~FontFace() = default;

std::unique_ptr<FontFace> FontFace::Open(std::string_view faceNameUtf8, int pixelHeight, int pixelWidth) {
  const FontChoice font = ChooseFont(FontFamilyForFaceName(faceNameUtf8));
  // The game names a Latin face and a Latin face draws it.
  const bool latinFace = IsLatinFaceName(faceNameUtf8) && !font.drawsJapanese;
  return Open(font, latinFace ? GameFontLine::FaceLine : GameFontLine::OneEm, pixelHeight, pixelWidth);
}

std::unique_ptr<FontFace> FontFace::Open(const FontChoice& font, GameFontLine line, int pixelHeight,
                                         int pixelWidth) {
  if (pixelHeight < 1 || pixelWidth < 0 || font.path.empty()) return nullptr;
  auto impl = std::make_unique<Impl>();
  if (FT_Init_FreeType(&impl->library) != 0) return nullptr;
  impl->chosen = LoadFace(impl->library, font);
  if (!impl->chosen.face) return nullptr;
  impl->family = font.family;
  FT_Face face = impl->chosen.face;
  // A Windows font height is the height of the whole line, not the em
  // square: scale the em so that the game's line comes out at pixelHeight.
  const DesignLine gameLine = GameLineIn(face, line);
  const long lineUnits = gameLine.top - gameLine.bottom;
  FT_UInt emHeight = static_cast<FT_UInt>(pixelHeight);
  if (FT_IS_SCALABLE(face) && lineUnits > 0)
    emHeight =
        static_cast<FT_UInt>(std::max(1L, static_cast<long>(pixelHeight) * face->units_per_EM / lineUnits));
  // A Windows font width is the average character width, half an em in the
  // Japanese faces.
  const FT_UInt emWidth = static_cast<FT_UInt>(pixelWidth * 2);
  if (FT_Set_Pixel_Sizes(face, emWidth, emHeight) != 0) return nullptr;
  impl->emWidth = emWidth;
  impl->emHeight = emHeight;
  const int ascent = lineUnits > 0
                         ? static_cast<int>((2L * pixelHeight * gameLine.top + lineUnits) / (2 * lineUnits))
                         : static_cast<int>((face->size->metrics.ascender + 63) >> 6);
  return std::unique_ptr<FontFace>(new FontFace(std::move(impl), font, pixelHeight, ascent));
}

const GlyphBitmap& FontFace::Render(char32_t codePoint, GlyphRendering rendering) const {
  auto& glyphs = glyphs_[rendering == GlyphRendering::Monochrome ? 0 : 1];
  auto found = glyphs.find(codePoint);
  if (found == glyphs.end()) found = glyphs.emplace(codePoint, RenderNew(codePoint, rendering)).first;
  return found->second;
}

GlyphBitmap FontFace::RenderNew(char32_t codePoint, GlyphRendering rendering) const {
  FT_Face face = impl_->FaceFor(codePoint);
  const bool mono = rendering == GlyphRendering::Monochrome;
  GlyphBitmap glyph = RenderGlyph(face, codePoint, mono);
  if (!mono && glyph.coverage.empty()) {
    // Anti-aliased hinting can round a stroke thinner than a pixel to no row
    // at all (the underscore of the fixed IPA and Takao faces from 9 to 16
    // pixels); the monochrome hinting keeps it a row high, on the line.
    const int advance = glyph.advance;
    glyph = RenderGlyph(face, codePoint, true);
    glyph.advance = advance;
  }
  // A glyph wholly below the game's line (a stand-in face's underscore,
  // where that face's line reaches deeper) is raised onto the line's last
  // rows: drawn where it is, it would be cut off whole.
  if (glyph.height > 0 && ascent_ + glyph.top >= lineHeight_) glyph.top = lineHeight_ - ascent_ - glyph.height;
  return glyph;
}

int FontFace::Advance(char32_t codePoint) const {
  if (const auto found = advances_.find(codePoint); found != advances_.end()) return found->second;
  int advance = 0;
  FT_Face face = impl_->FaceFor(codePoint);
  if (FT_Load_Char(face, codePoint, FT_LOAD_DEFAULT) == 0) advance = static_cast<int>((face->glyph->advance.x + 32) >> 6);
  advances_.emplace(codePoint, advance);
  return advance;
}

std::string FontFace::FamilyNameFor(char32_t codePoint) const { return FamilyNameOf(impl_->FaceFor(codePoint)); }

}  // namespace platform

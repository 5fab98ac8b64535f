#include "platform/font_rasterizer.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cstdlib>
#include <mutex>

#include "platform/font_file.h"

namespace platform {
namespace {

constexpr std::string_view kFullWidthP = "Ｐ";
constexpr const char* kFixedFamily = "IPAGothic";
constexpr const char* kProportionalFamily = "IPAPGothic";

bool IsAscii(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// Fontconfig keeps global state that is not safe to initialise or query from
// two threads at once; lookups are rare (one per font creation).
std::mutex& FontconfigMutex() {
  static std::mutex mutex;
  return mutex;
}

}  // namespace

std::string FontFamilyForFaceName(std::string_view faceNameUtf8) {
  if (faceNameUtf8.find(kFullWidthP) != std::string_view::npos) return kProportionalFamily;
  if (faceNameUtf8.empty() || !IsAscii(faceNameUtf8)) return kFixedFamily;
  return std::string(faceNameUtf8);
}

// Fontconfig's global configuration, loaded on first use and freed at exit;
// called with FontconfigMutex held. A lookup may still run on another thread
// when the process ends (the report's text-face line): the clean-up waits for it.
bool InitFontconfig() {
  static const bool ready = [] {
    if (!FcInit()) return false;
    std::atexit([] {
      std::lock_guard lock(FontconfigMutex());
      FcFini();
    });
    return true;
  }();
  return ready;
}

std::string FindFontFile(std::string_view familyUtf8) {
  std::lock_guard lock(FontconfigMutex());
  if (!InitFontconfig()) return {};
  const std::string family(familyUtf8);
  FcPattern* pattern = FcPatternCreate();
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
  // Text is Japanese whatever the face: let fontconfig prefer faces that cover it.
  FcPatternAddString(pattern, FC_LANG, reinterpret_cast<const FcChar8*>("ja"));
  FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  FcPattern* match = FcFontMatch(nullptr, pattern, &result);
  std::string path;
  FcChar8* file = nullptr;
  if (match && FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch) path = reinterpret_cast<const char*>(file);
  if (match) FcPatternDestroy(match);
  FcPatternDestroy(pattern);
  return path;
}

struct FontFace::Impl {
  // Outlives the face read from it.
  std::shared_ptr<const FontFile> file;
  FT_Library library = nullptr;
  FT_Face face = nullptr;

  ~Impl() {
    if (face) FT_Done_Face(face);
    if (library) FT_Done_FreeType(library);
  }
};

FontFace::FontFace(std::unique_ptr<Impl> impl, std::string filePath, int lineHeight)
    : impl_(std::move(impl)), filePath_(std::move(filePath)), lineHeight_(lineHeight) {
  const FT_Face face = impl_->face;
  const long cellUnits = static_cast<long>(face->ascender) - face->descender;
  ascent_ = cellUnits > 0 ? static_cast<int>((2L * lineHeight * face->ascender + cellUnits) / (2 * cellUnits))
                          : static_cast<int>((face->size->metrics.ascender + 63) >> 6);
}

FontFace::~FontFace() = default;

std::unique_ptr<FontFace> FontFace::Open(std::string_view faceNameUtf8, int pixelHeight, int pixelWidth) {
  if (pixelHeight < 1 || pixelWidth < 0) return nullptr;
  std::string path = FindFontFile(FontFamilyForFaceName(faceNameUtf8));
  if (path.empty()) return nullptr;
  auto impl = std::make_unique<Impl>();
  impl->file = FontFile::Map(path);
  if (!impl->file || FT_Init_FreeType(&impl->library) != 0) return nullptr;
  if (FT_New_Memory_Face(impl->library, impl->file->Data(), static_cast<FT_Long>(impl->file->Size()), 0,
                         &impl->face) != 0)
    return nullptr;
  FT_Face face = impl->face;
  // A Windows font height is the height of the whole cell (ascent + descent),
  // not the em square: scale the em so that the cell comes out at pixelHeight.
  FT_UInt emHeight = static_cast<FT_UInt>(pixelHeight);
  const long cellUnits = static_cast<long>(face->ascender) - face->descender;
  if (FT_IS_SCALABLE(face) && cellUnits > 0)
    emHeight = static_cast<FT_UInt>(std::max(1L, static_cast<long>(pixelHeight) * face->units_per_EM / cellUnits));
  // A Windows font width is the average character width, half an em in the
  // Japanese faces.
  const FT_UInt emWidth = static_cast<FT_UInt>(pixelWidth * 2);
  if (FT_Set_Pixel_Sizes(face, emWidth, emHeight) != 0) return nullptr;
  return std::unique_ptr<FontFace>(new FontFace(std::move(impl), std::move(path), pixelHeight));
}

const GlyphBitmap& FontFace::Render(char32_t codePoint, GlyphRendering rendering) const {
  auto& glyphs = glyphs_[rendering == GlyphRendering::Monochrome ? 0 : 1];
  auto found = glyphs.find(codePoint);
  if (found == glyphs.end()) found = glyphs.emplace(codePoint, RenderNew(codePoint, rendering)).first;
  return found->second;
}

GlyphBitmap FontFace::RenderNew(char32_t codePoint, GlyphRendering rendering) const {
  GlyphBitmap glyph;
  FT_Face face = impl_->face;
  const bool mono = rendering == GlyphRendering::Monochrome;
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

int FontFace::Advance(char32_t codePoint) const {
  if (const auto found = advances_.find(codePoint); found != advances_.end()) return found->second;
  int advance = 0;
  if (FT_Load_Char(impl_->face, codePoint, FT_LOAD_DEFAULT) == 0)
    advance = static_cast<int>((impl_->face->glyph->advance.x + 32) >> 6);
  advances_.emplace(codePoint, advance);
  return advance;
}

}  // namespace platform

#pragma once
// Glyph rendering for the game's text: a face is found through fontconfig and
// rendered with FreeType. The game's data names Japanese Windows faces; they
// map to the IPA Gothic faces that Debian ships (the proportional one for
// names that contain the full-width letter "Ｐ").

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace platform {

// Monochrome keeps every pixel fully on or off (colour-keyed 8-bit and
// DirectDraw-style surfaces need exact colours); Coverage gives anti-aliased
// alpha for blending.
enum class GlyphRendering { Monochrome, Coverage };

// One rendered glyph. The bitmap is width x height coverage bytes, 0 (empty)
// to 255 (full), row by row; in Monochrome rendering only 0 and 255 occur.
// (left, top) place the bitmap's top-left corner relative to the pen position
// on the baseline, y growing downward (top is usually negative).
struct GlyphBitmap {
  int width = 0;
  int height = 0;
  int left = 0;
  int top = 0;
  int advance = 0;
  std::vector<std::uint8_t> coverage;

  std::uint8_t At(int x, int y) const { return coverage[static_cast<std::size_t>(y) * width + x]; }
};

// The fontconfig family that a face name of the data stands for.
std::string FontFamilyForFaceName(std::string_view faceNameUtf8);

// The font file fontconfig chooses for a family; empty when none is found.
std::string FindFontFile(std::string_view familyUtf8);

class FontFace {
 public:
  // Opens the face that faceNameUtf8 maps to, scaled so that a line of text
  // (ascent + descent) is pixelHeight high; pixelWidth 0 keeps the natural
  // width. Null when no usable font file is found.
  static std::unique_ptr<FontFace> Open(std::string_view faceNameUtf8, int pixelHeight, int pixelWidth = 0);

  ~FontFace();
  FontFace(const FontFace&) = delete;
  FontFace& operator=(const FontFace&) = delete;

  // Renders one Unicode character; a character the face lacks renders as the
  // face's missing-glyph box. Glyphs are kept once rendered (text is drawn
  // anew every frame), so the reference lives as long as the face.
  const GlyphBitmap& Render(char32_t codePoint, GlyphRendering rendering) const;

  // Horizontal advance of a character in pixels.
  int Advance(char32_t codePoint) const;

  // Distance from the top of a line to the baseline, and the line's height.
  int Ascent() const { return ascent_; }
  int LineHeight() const { return lineHeight_; }
  const std::string& FilePath() const { return filePath_; }

 private:
  struct Impl;
  FontFace(std::unique_ptr<Impl> impl, std::string filePath, int lineHeight);

  GlyphBitmap RenderNew(char32_t codePoint, GlyphRendering rendering) const;

  std::unique_ptr<Impl> impl_;
  mutable std::unordered_map<char32_t, GlyphBitmap> glyphs_[2];  // by GlyphRendering
  mutable std::unordered_map<char32_t, int> advances_;
  std::string filePath_;
  int lineHeight_ = 0;
  int ascent_ = 0;
};

}  // namespace platform

#pragma once
// Glyph rendering for the game's text: a face is found through fontconfig
// (platform/fonts/font_lookup.h) and rendered with FreeType.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/fonts/font_lookup.h"

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

// What the game's font height measures. The Japanese faces Windows games
// name have a line (ascent + descent) of one em, so the height is one em of
// whichever face draws the text: a face with a taller line keeps its extra
// room outside the game's line, and the text keeps its size and place. A
// Latin face keeps its own line as the game's (the Latin faces of Windows
// and the faces made to their measure share theirs).
enum class GameFontLine { OneEm, FaceLine };

class FontFace {
 public:
  // Opens the face that faceNameUtf8 maps to, scaled so that the game's line
  // of text is pixelHeight high; pixelWidth 0 keeps the natural width. Null
  // when no usable font file is found.
  static std::unique_ptr<FontFace> Open(std::string_view faceNameUtf8, int pixelHeight, int pixelWidth = 0);
  // The same for a face already chosen, whose line is taken as `line` says.
  static std::unique_ptr<FontFace> Open(const FontChoice& font, GameFontLine line, int pixelHeight,
                                        int pixelWidth = 0);

  ~FontFace();
  FontFace(const FontFace&) = delete;
  FontFace& operator=(const FontFace&) = delete;

  // Renders one Unicode character. A character the face lacks is drawn by
  // the face fontconfig gives for it, at this face's em and on its baseline;
  // one that no installed face has renders as the face's missing-glyph box. Glyphs are kept once rendered (text is drawn
  // anew every frame), so the reference lives as long as the face.
  const GlyphBitmap& Render(char32_t codePoint, GlyphRendering rendering) const;

  // Horizontal advance of a character in pixels.
  int Advance(char32_t codePoint) const;

  // Distance from the top of a line to the baseline, and the line's height.
  int Ascent() const { return ascent_; }
  int LineHeight() const { return lineHeight_; }
  const std::string& FilePath() const { return filePath_; }
  // The face's family as its file names it (the report log names it so).
  const std::string& FamilyName() const { return familyName_; }
  bool DrawsJapanese() const { return drawsJapanese_; }
  // The family of the face that draws a character: this face's own, or that
  // of the face standing in for it.
  std::string FamilyNameFor(char32_t codePoint) const;

 private:
  struct Impl;
  FontFace(std::unique_ptr<Impl> impl, const FontChoice& font, int lineHeight, int ascent);

  GlyphBitmap RenderNew(char32_t codePoint, GlyphRendering rendering) const;

  std::unique_ptr<Impl> impl_;
  mutable std::unordered_map<char32_t, GlyphBitmap> glyphs_[2];  // by GlyphRendering
  mutable std::unordered_map<char32_t, int> advances_;
  std::string filePath_;
  std::string familyName_;
  bool drawsJapanese_ = false;
  int lineHeight_ = 0;
  int ascent_ = 0;
};

}  // namespace platform

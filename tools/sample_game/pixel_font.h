#pragma once
// A 5 x 7 dot font of the printable ASCII characters, drawn for the sample
// game's own letter sheets (Debug.bmp, Symbol.bmp, Word.bmp and the title).
// Each glyph sits in a 6 x 8 box: one dot of spacing right and below.

#include <cstdint>
#include <string_view>

#include "tools/sample_game/indexed_image.h"

namespace sample_game {

inline constexpr int kGlyphWidth = 5;
inline constexpr int kGlyphHeight = 7;

// Whether dot (x, y) of the glyph of `c` is ink; characters outside 0x20..0x7E are blank.
bool GlyphDot(char c, int x, int y);

struct TextStyle {
  std::uint8_t ink = 0;
  std::uint8_t shadow = 0;  // 0: none; else one dot right and below each ink dot
  int scale = 1;            // each dot becomes scale x scale
};

// Draws one line of text with its top-left at (x, y); returns the x after it.
int DrawText(IndexedImage& image, int x, int y, std::string_view text, const TextStyle& style);
// Width in dots of a line of text at a scale.
int TextWidth(std::string_view text, int scale);

}  // namespace sample_game

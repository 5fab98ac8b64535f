#pragma once
// Where each character of a font's text goes. Text is CP932 bytes; "\n"
// starts a line, every other character takes one cell (a double-byte
// character counts as one). Kept apart from the drawing so the placement
// rules can be checked without surfaces.

#include <cstdarg>
#include <cstddef>
#include <string>
#include <string_view>

#include "foundation/sjis.h"

namespace text_layout {

struct TextSize {
  int width = 0;
  int height = 0;
  bool operator==(const TextSize&) const = default;
};

// Bytes before the first "\n" or the end.
std::size_t LineLength(std::string_view text);

// Characters in the longest line times the cell width, lines times the line
// height; a text ending in "\n" has an empty last line.
TextSize MeasureCells(std::string_view text, int cellWidth, int lineHeight);

struct LayoutRules {
  int cellWidth = 0;
  int lineHeight = 0;
  // The proportional face draws round and curly brackets a quarter cell to
  // the right so that they sit centred in a fixed cell.
  bool bracketShift = false;
  // Lowercase ASCII letters are left empty for the letter-sheet overlay.
  bool letterSheet = false;
};

// One character that is drawn: its bytes and the top-left of its cell
// relative to the text's origin.
struct PlacedChar {
  std::string_view character;
  int x = 0;
  int y = 0;
};

bool NeedsBracketShift(std::string_view character);
bool IsOnlyAdvanced(std::string_view character, bool letterSheet);

// Calls visit(PlacedChar) for every character that is drawn. advance(char)
// gives the advance when the rules have no cell width.
template <typename Advance, typename Visit>
void ForEachPlacedChar(std::string_view text, const LayoutRules& rules, Advance&& advance, Visit&& visit) {
  int x = 0;
  int y = 0;
  sjis::ForEachChar(text, [&](std::size_t pos, std::size_t length) {
    const std::string_view character = text.substr(pos, length);
    if (character == "\n") {
      x = 0;
      y += rules.lineHeight;
      return;
    }
    const int step = rules.cellWidth > 0 ? rules.cellWidth : advance(character);
    if (!IsOnlyAdvanced(character, rules.letterSheet)) {
      const int shift = rules.bracketShift && NeedsBracketShift(character) ? rules.cellWidth / 4 : 0;
      visit(PlacedChar{character, x + shift, y});
    }
    x += step;
  });
}

// Calls visit(x, y, letterIndex) for each lowercase ASCII letter of the text,
// placed cell by cell like the text itself (letterIndex 0 is 'a').
template <typename Visit>
void ForEachSheetLetter(std::string_view text, int cellWidth, int lineHeight, Visit&& visit) {
  int x = 0;
  int y = 0;
  sjis::ForEachChar(text, [&](std::size_t pos, std::size_t length) {
    const char c = text[pos];
    if (length == 1 && c == '\n') {
      x = 0;
      y += lineHeight;
      return;
    }
    if (length == 1 && c >= 'a' && c <= 'z') visit(x, y, c - 'a');
    x += cellWidth;
  });
}

// Cuts a text to at most maxBytes bytes without splitting a double-byte
// character.
std::string_view CutToWholeChars(std::string_view text, std::size_t maxBytes);

// printf-style formatting into a buffer of `capacity` bytes (the terminating
// zero included): the result holds at most capacity - 1 bytes and ends on a
// whole character.
std::string FormatBounded(std::size_t capacity, const char* format, std::va_list args);

}  // namespace text_layout

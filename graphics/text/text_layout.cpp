#include "graphics/text/text_layout.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace text_layout {

std::size_t LineLength(std::string_view text) {
  const std::size_t end = text.find('\n');
  return end == std::string_view::npos ? text.size() : end;
}

TextSize MeasureCells(std::string_view text, int cellWidth, int lineHeight) {
  int lines = 1;
  int inLine = 0;
  int widest = 0;
  sjis::ForEachChar(text, [&](std::size_t pos, std::size_t length) {
    if (length == 1 && text[pos] == '\n') {
      ++lines;
      inLine = 0;
      return;
    }
    widest = std::max(widest, ++inLine);
  });
  return {widest * cellWidth, lines * lineHeight};
}

bool NeedsBracketShift(std::string_view character) {
  static constexpr std::string_view kShifted[] = {"(", ")", "{", "}", "\x81\x69", "\x81\x6A", "\x81\x6F", "\x81\x70"};
  return std::find(std::begin(kShifted), std::end(kShifted), character) != std::end(kShifted);
}

bool IsOnlyAdvanced(std::string_view character, bool letterSheet) {
  if (character == " " || character == "\x81\x40") return true;
  return letterSheet && character.size() == 1 && character[0] >= 'a' && character[0] <= 'z';
}

std::string_view CutToWholeChars(std::string_view text, std::size_t maxBytes) {
  std::size_t end = 0;
  sjis::ForEachChar(text, [&](std::size_t pos, std::size_t length) {
    if (end == pos && pos + length <= maxBytes) end = pos + length;
  });
  return text.substr(0, end);
}

std::string FormatBounded(std::size_t capacity, const char* format, std::va_list args) {
  if (capacity == 0) return {};
  std::va_list copy;
  va_copy(copy, args);
  const int needed = std::vsnprintf(nullptr, 0, format, copy);
  va_end(copy);
  if (needed <= 0) return {};
  std::vector<char> buffer(static_cast<std::size_t>(needed) + 1);
  std::vsnprintf(buffer.data(), buffer.size(), format, args);
  return std::string(CutToWholeChars(std::string_view(buffer.data(), static_cast<std::size_t>(needed)), capacity - 1));
}

}  // namespace text_layout

#pragma once
// The one place that knows how Shift-JIS (code page 932) bytes pair up.
// Lead bytes 0x81-0x9F and 0xE0-0xFC start a two-byte character whose trail
// byte is 0x40-0x7E or 0x80-0xFC; a trail byte may be 0x5C ('\\'), so paths
// and texts are never split by scanning bytes without these tests.

#include <cstddef>
#include <string_view>

namespace sjis {

constexpr bool IsLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

constexpr bool IsTrailByte(unsigned char c) { return (c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xFC); }

// Byte length of the character that starts at `pos`: 2 for a lead byte that
// is followed by a trail byte, otherwise 1 (a lone lead byte counts as one).
constexpr std::size_t CharLength(std::string_view text, std::size_t pos) {
  if (pos + 1 < text.size() && IsLeadByte(static_cast<unsigned char>(text[pos])) &&
      IsTrailByte(static_cast<unsigned char>(text[pos + 1])))
    return 2;
  return 1;
}

// Calls visit(position, length) for each character of the text in order.
template <typename Visit>
constexpr void ForEachChar(std::string_view text, Visit&& visit) {
  for (std::size_t pos = 0; pos < text.size();) {
    std::size_t length = CharLength(text, pos);
    visit(pos, length);
    pos += length;
  }
}

}  // namespace sjis

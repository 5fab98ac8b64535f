#pragma once
// The Unicode character of each CP932 character, looked up when text is
// rendered through FreeType. The table is built as it is first used, from
// the same iconv conversion that the rest of the program uses.

#include <string_view>

namespace text_cp932 {

// The Unicode code point of the character starting at text[0] (one or two
// bytes, by the Shift-JIS byte rules); 0 when the bytes name no character.
char32_t ToUnicode(std::string_view character);

// The same for a single byte or a lead/trail pair.
char32_t SingleByteToUnicode(unsigned char code);
char32_t DoubleByteToUnicode(unsigned char lead, unsigned char trail);

}  // namespace text_cp932

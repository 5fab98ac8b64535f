#include "graphics/text/text_cp932_table.h"

#include <array>
#include <memory>
#include <mutex>
#include <string>

#include "foundation/sjis.h"
#include "platform/text_encoding.h"

namespace text_cp932 {
namespace {

// Decodes one UTF-8 character; 0 for anything but exactly one character.
char32_t DecodeSingleUtf8(const std::string& utf8) {
  if (utf8.empty()) return 0;
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(utf8[i]); };
  const unsigned char first = byte(0);
  std::size_t length = first < 0x80 ? 1 : (first >> 5) == 0x6 ? 2 : (first >> 4) == 0xE ? 3 : (first >> 3) == 0x1E ? 4 : 0;
  if (length == 0 || utf8.size() != length) return 0;
  char32_t code = length == 1 ? first : first & (0x7F >> length);
  for (std::size_t i = 1; i < length; ++i) code = (code << 6) | (byte(i) & 0x3F);
  return code;
}

char32_t Convert(const std::string& cp932) {
  const auto utf8 = platform::TryUtf8FromCp932(cp932);
  return utf8 ? DecodeSingleUtf8(*utf8) : 0;
}

// The single bytes, built on first use; the pairs a lead byte at a time, as
// text first uses that lead byte (a title uses a handful of them).
struct Table {
  using Row = std::array<char32_t, 256>;

  Row single{};
  std::array<std::once_flag, 256> pairsBuilt;
  std::array<std::unique_ptr<Row>, 256> pairs;

  Table() {
    for (int code = 1; code < 256; ++code) {
      if (sjis::IsLeadByte(static_cast<unsigned char>(code))) continue;
      single[code] = Convert(std::string(1, static_cast<char>(code)));
    }
  }

  // Indexed by trail byte; nullptr for a byte that leads no pair.
  const Row* Pairs(unsigned char lead) {
    if (!sjis::IsLeadByte(lead)) return nullptr;
    std::call_once(pairsBuilt[lead], [&] {
      auto row = std::make_unique<Row>();
      for (int trail = 0x40; trail <= 0xFC; ++trail) {
        if (!sjis::IsTrailByte(static_cast<unsigned char>(trail))) continue;
        const char pair[2] = {static_cast<char>(lead), static_cast<char>(trail)};
        (*row)[trail] = Convert(std::string(pair, 2));
      }
      pairs[lead] = std::move(row);
    });
    return pairs[lead].get();
  }
};

Table& TheTable() {
  static Table table;
  return table;
}

}  // namespace

char32_t SingleByteToUnicode(unsigned char code) { return TheTable().single[code]; }

char32_t DoubleByteToUnicode(unsigned char lead, unsigned char trail) {
  const Table::Row* pairs = TheTable().Pairs(lead);
  return pairs ? (*pairs)[trail] : 0;
}

char32_t ToUnicode(std::string_view character) {
  if (character.empty()) return 0;
  const auto first = static_cast<unsigned char>(character[0]);
  if (sjis::CharLength(character, 0) == 2) return DoubleByteToUnicode(first, static_cast<unsigned char>(character[1]));
  return SingleByteToUnicode(first);
}

}  // namespace text_cp932

#include "tests/support/test_fonts.h"

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>

#include "platform/fonts/font_lookup.h"

namespace fs = std::filesystem;

namespace {

// Noto Sans CJK's line in IPAGothic's units (2048 to the em): 1.16 em above
// the baseline and 0.288 em below.
constexpr int kTallAscender = 2376;
constexpr int kTallDescender = -590;

struct TableSpan {
  std::size_t offset = 0;
  std::size_t length = 0;
};

unsigned ReadBigEndian(const std::string& bytes, std::size_t at, int size) {
  unsigned value = 0;
  for (int i = 0; i < size; ++i) value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
  return value;
}

void WriteBigEndian16(std::string& bytes, std::size_t at, int value) {
  bytes[at] = static_cast<char>((value >> 8) & 0xFF);
  bytes[at + 1] = static_cast<char>(value & 0xFF);
}

// A table of a TrueType file, from its table directory.
std::optional<TableSpan> FindTable(const std::string& font, std::string_view tag) {
  if (font.size() < 12) return std::nullopt;
  const unsigned tables = ReadBigEndian(font, 4, 2);
  for (unsigned i = 0; i < tables; ++i) {
    const std::size_t record = 12 + 16 * static_cast<std::size_t>(i);
    if (record + 16 > font.size()) return std::nullopt;
    if (std::string_view(font).substr(record, 4) != tag) continue;
    const TableSpan span{ReadBigEndian(font, record + 8, 4), ReadBigEndian(font, record + 12, 4)};
    if (span.offset + span.length > font.size()) return std::nullopt;
    return span;
  }
  return std::nullopt;
}

// Replaces text inside the table by text of the same length.
void ReplaceAll(std::string& bytes, const TableSpan& span, std::string_view from, std::string_view to) {
  const std::size_t end = span.offset + span.length;
  for (std::size_t at = bytes.find(from, span.offset); at != std::string::npos && at + from.size() <= end;
       at = bytes.find(from, at + from.size()))
    bytes.replace(at, from.size(), to);
}

std::string Utf16BigEndian(std::string_view ascii) {
  std::string text;
  for (char c : ascii) text.append({'\0', c});
  return text;
}

}  // namespace

fs::path WriteTallLineFace(const fs::path& folder) {
  std::ifstream in(platform::FindFontFile("IPAGothic"), std::ios::binary);
  std::string font((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const std::optional<TableSpan> hhea = FindTable(font, "hhea");
  const std::optional<TableSpan> os2 = FindTable(font, "OS/2");
  const std::optional<TableSpan> name = FindTable(font, "name");
  if (!hhea || !os2 || !name || os2->length < 78) return {};
  // The line that FreeType and fontconfig read (hhea), and Windows' (usWin*);
  // the typographic metrics keep the em box.
  WriteBigEndian16(font, hhea->offset + 4, kTallAscender);
  WriteBigEndian16(font, hhea->offset + 6, kTallDescender);
  WriteBigEndian16(font, os2->offset + 74, kTallAscender);
  WriteBigEndian16(font, os2->offset + 76, -kTallDescender);
  // "IPAGothic" and "IPAゴシック" become "AltGothic" and "Altゴシック".
  ReplaceAll(font, *name, "IPA", "Alt");
  ReplaceAll(font, *name, Utf16BigEndian("IPA"), Utf16BigEndian("Alt"));
  fs::create_directories(folder);
  const fs::path file = folder / (std::string(kTallLineFamily) + ".ttf");
  std::ofstream(file, std::ios::binary | std::ios::trunc) << font;
  return file;
}

fs::path WriteFontConfiguration(const fs::path& folder, const fs::path& fontFolder) {
  fs::create_directories(folder);
  const fs::path file = folder / "fonts.conf";
  std::ofstream(file, std::ios::trunc) << "<?xml version=\"1.0\"?>\n"
                                          "<!DOCTYPE fontconfig SYSTEM \"fonts.dtd\">\n"
                                          "<fontconfig>\n"
                                          "  <dir>"
                                       << fontFolder.string()
                                       << "</dir>\n"
                                          "  <cachedir>"
                                       << (folder / "font_cache").string()
                                       << "</cachedir>\n"
                                          "</fontconfig>\n";
  return file;
}

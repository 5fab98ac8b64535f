#include "tests/support/test_fonts.h"

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>

#include "platform/fonts/font_lookup.h"
#include "tests/support/spawned_program.h"

namespace fs = std::filesystem;

namespace {

// Noto Sans CJK's line in IPAGothic's units (2048 to the em): 1.16 em above
// the baseline and 0.288 em below.
constexpr int kTallAscender = 2376;
constexpr int kTallDescender = -590;

// How long cutting a face out of IPAGothic may take on a loaded machine.
constexpr int kFaceCutWaitMs = 120000;

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

std::string ReadFile(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// Renames a face in its name table, in its ASCII and UTF-16 names alike; the
// new name has the old one's length.
void Rename(std::string& font, std::string_view from, std::string_view to) {
  if (const std::optional<TableSpan> name = FindTable(font, "name")) {
    ReplaceAll(font, *name, from, to);
    ReplaceAll(font, *name, Utf16BigEndian(from), Utf16BigEndian(to));
  }
}

void WriteFace(const fs::path& file, const std::string& font) {
  fs::create_directories(file.parent_path());
  std::ofstream(file, std::ios::binary | std::ios::trunc) << font;
}

// IPAGothic with its kana (U+3000-30FF) and kanji (U+4E00-9FFF) only, renamed;
// empty when fontTools cannot cut it out. Cutting takes seconds: it is done
// once per test program.
std::string KanaKanjiFace() {
  const fs::path work = fs::temp_directory_path() / ("kana_kanji_face_" + std::to_string(::getpid()));
  fs::create_directories(work);
  const fs::path cut = work / "cut.ttf";
  SpawnedProgram subset({{"/usr/bin/python3", "-m", "fontTools.subset", platform::FindFontFile("IPAGothic"),
                          "--unicodes=U+3000-30FF,U+4E00-9FFF", "--output-file=" + cut.string()},
                         work,
                         {}});
  std::string font;
  if (subset.EndsWithin(kFaceCutWaitMs) && subset.ExitCode() == 0) font = ReadFile(cut);
  std::error_code ignored;
  fs::remove_all(work, ignored);
  if (!font.empty()) Rename(font, "IPAGothic", kKanaKanjiFamily);
  return font;
}

}  // namespace

fs::path WriteKanaKanjiFace(const fs::path& folder) {
  static const std::string font = KanaKanjiFace();
  if (font.empty()) return {};
  const fs::path file = folder / (std::string(kKanaKanjiFamily) + ".ttf");
  WriteFace(file, font);
  return file;
}

fs::path WriteTallLineFace(const fs::path& folder) {
  std::string font = ReadFile(platform::FindFontFile("IPAGothic"));
  const std::optional<TableSpan> hhea = FindTable(font, "hhea");
  const std::optional<TableSpan> os2 = FindTable(font, "OS/2");
  if (!hhea || !os2 || !FindTable(font, "name") || os2->length < 78) return {};
  // The line that FreeType and fontconfig read (hhea), and Windows' (usWin*);
  // the typographic metrics keep the em box.
  WriteBigEndian16(font, hhea->offset + 4, kTallAscender);
  WriteBigEndian16(font, hhea->offset + 6, kTallDescender);
  WriteBigEndian16(font, os2->offset + 74, kTallAscender);
  WriteBigEndian16(font, os2->offset + 76, -kTallDescender);
  // "IPAGothic" and "IPAゴシック" become "AltGothic" and "Altゴシック".
  Rename(font, "IPA", "Alt");
  const fs::path file = folder / (std::string(kTallLineFamily) + ".ttf");
  WriteFace(file, font);
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

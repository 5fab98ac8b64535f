#include "graphics/text/text_layout.h"

#include <gtest/gtest.h>

#include <cstdarg>
#include <vector>

#include "graphics/text/text_cp932_table.h"

namespace {

using text_layout::LayoutRules;
using text_layout::PlacedChar;

struct Placed {
  std::string character;
  int x, y;
  bool operator==(const Placed&) const = default;
};

std::vector<Placed> Place(std::string_view text, const LayoutRules& rules) {
  std::vector<Placed> placed;
  text_layout::ForEachPlacedChar(
      text, rules, [](std::string_view) { return 7; },
      [&](const PlacedChar& c) { placed.push_back({std::string(c.character), c.x, c.y}); });
  return placed;
}

TEST(TextLayout, MeasuresCellsPerLongestLineAndLines) {
  // Two letters, a line break and three hiragana ("あいう").
  EXPECT_EQ(text_layout::MeasureCells("ab\n\x82\xA0\x82\xA2\x82\xA4", 10, 10), (text_layout::TextSize{30, 20}));
  EXPECT_EQ(text_layout::MeasureCells("abc\n", 10, 16), (text_layout::TextSize{30, 32}));
  EXPECT_EQ(text_layout::MeasureCells("", 10, 16), (text_layout::TextSize{0, 16}));
  EXPECT_EQ(text_layout::LineLength("ab\ncd"), 2u);
  EXPECT_EQ(text_layout::LineLength("abcd"), 4u);
}

TEST(TextLayout, PlacesOneCellPerCharacterAndSkipsSpaces) {
  // "A", space, full-width "Ａ", full-width space, "B", newline, "C".
  const std::vector<Placed> expected = {{"A", 0, 0}, {"\x82\x60", 20, 0}, {"B", 40, 0}, {"C", 0, 16}};
  EXPECT_EQ(Place("A \x82\x60\x81\x40" "B\nC", {10, 16, false, false}), expected);
}

TEST(TextLayout, ShiftsBracketsAndLeavesLettersToTheSheet) {
  const LayoutRules rules{16, 16, true, true};
  // "(", "a", full-width "（", "X".
  const std::vector<Placed> expected = {{"(", 4, 0}, {"\x81\x69", 36, 0}, {"X", 48, 0}};
  EXPECT_EQ(Place("(a\x81\x69X", rules), expected);
  std::vector<Placed> letters;
  text_layout::ForEachSheetLetter("(a\x81\x69z\nb", 16, 16,
                                  [&](int x, int y, int index) { letters.push_back({std::string(1, 'a' + index), x, y}); });
  EXPECT_EQ(letters, (std::vector<Placed>{{"a", 16, 0}, {"z", 48, 0}, {"b", 0, 16}}));
}

TEST(TextLayout, ProportionalTextAdvancesByTheGlyph) {
  EXPECT_EQ(Place("AB", {0, 12, false, false}), (std::vector<Placed>{{"A", 0, 0}, {"B", 7, 0}}));
}

std::string Format(std::size_t capacity, const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::string text = text_layout::FormatBounded(capacity, format, args);
  va_end(args);
  return text;
}

TEST(TextLayout, BoundedFormattingCutsOnWholeCharacters) {
  EXPECT_EQ(Format(256, "%s=%d", "x", 5), "x=5");
  EXPECT_EQ(Format(4, "abcdef"), "abc");
  // "aあ" into 3 bytes: the two-byte character does not fit and is dropped whole.
  EXPECT_EQ(Format(3, "a\x82\xA0"), "a");
  EXPECT_EQ(Format(4, "a\x82\xA0"), "a\x82\xA0");
  // A lead byte at the very end of the text counts as one single-byte character.
  EXPECT_EQ(Format(8, "ab\x82"), "ab\x82");
  EXPECT_EQ(Format(6000, "%5000d", 1).size(), 5000u);
}

TEST(TextCp932Table, MapsSingleAndDoubleByteCharacters) {
  EXPECT_EQ(text_cp932::ToUnicode("A"), U'A');
  EXPECT_EQ(text_cp932::ToUnicode("\xB1"), U'ｱ');
  EXPECT_EQ(text_cp932::ToUnicode("\x82\xA0"), U'あ');
  EXPECT_EQ(text_cp932::ToUnicode("\x81\x5F"), U'＼');
  EXPECT_EQ(text_cp932::ToUnicode("\x95\x5C"), U'表');
  EXPECT_EQ(text_cp932::DoubleByteToUnicode(0x81, 0x7F), 0u);
  EXPECT_EQ(text_cp932::DoubleByteToUnicode(0xE0, 0x3F), 0u);  // no trail byte
  EXPECT_EQ(text_cp932::DoubleByteToUnicode(0xA0, 0x80), 0u);  // no lead byte
  EXPECT_EQ(text_cp932::DoubleByteToUnicode(0xFC, 0x40), U'\u9ADC');  // the last row's first pair
  EXPECT_EQ(text_cp932::ToUnicode(""), 0u);
}

}  // namespace

// The variable escapes of message texts: which forms are read, which stay
// as written, and how a value is laid out.
#include "stage/show/message_escapes.h"

#include <gtest/gtest.h>

#include <climits>
#include <map>

namespace {

struct Variables {
  std::map<int, std::int32_t> common{{5, 42}, {6, -7}, {7, 0}, {8, INT_MIN}, {1000, 9}};
  std::map<int, std::int32_t> stage{{12, 3}};
  std::vector<std::pair<int, int>> reads;

  EscapeVariables Reader() {
    return [this](int source, int number) -> std::optional<std::int32_t> {
      reads.emplace_back(source, number);
      const auto& list = source == kEscapeCommon ? common : stage;
      const auto found = list.find(number);
      if (found == list.end()) return std::nullopt;
      return found->second;
    };
  }
};

std::string Expand(const std::string& text) {
  Variables variables;
  return ExpandMessageEscapes(text, variables.Reader());
}

TEST(MessageEscapes, EachFormShowsItsVariable) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"#C5", "42"},          {"#c5", "42"},          {"#C5_4", "  42"},       {"#C5_4Z", "0042"},
      {"#C5_4z", "0042"},     {"#C5_P", "+42"},       {"#C5_p4", "+  42"},     {"#C5_3", " 42"},
      {"#C6_3", "-  7"},      {"#C6_3Z", "-007"},     {"#C6_P", "-7"},         {"#C7_3", "  0"},
      {"#C7_P", "+0"},        {"#C7", "0"},           {"#C8", "-2147483648"},  {"#C8_P", "-2147483648"},
      {"#S12.", "3"},         {"#S12a", "3a"},        {"#s12", "3"},           {"#S12.5", "35"},
      {"#C5_12", "42"},       {"#C5_19", "       42"},
      {"#C1000", "9"},        {"#C5_", "42"},         {"#SC5", "42"},          {"#C5 #S12", "42 3"},
      {"a#C5b", "a42b"},      {"#C5#C5", "4242"},     {"#C05", "42"},
      // Leading zeros do not count, however many.
      {"#C00005", "42"},      {"#C00000000000000000005", "42"},              {"#C0001000", "9"},
  };
  for (const auto& [text, shown] : cases) EXPECT_EQ(Expand(text), shown) << text;
}

TEST(MessageEscapes, EscapesWithoutAVariableStayAsWritten) {
  for (const std::string text : {"#C", "#C0", "#C1001", "#S", "#_4", "#", "##", "#Z5", "#C00001001",
                                 "#C99999999999", "#C99999999999999999999999", "#S13", "#C1001."})
    EXPECT_EQ(Expand(text), text) << text;
  // The text goes on after an escape that stays.
  EXPECT_EQ(Expand("#C#C5"), "#C42");
  EXPECT_EQ(Expand("#C0 #C5"), "#C0 42");
}

TEST(MessageEscapes, DoubleByteCharactersAreSkippedWhole) {
  // 0x83 0x5F is one character; a lead byte without a valid trail byte is one byte.
  EXPECT_EQ(Expand("\x83\x5F#C5"), "\x83\x5F" "42");
  EXPECT_EQ(Expand("\x83#C5"), "\x83" "42");
  EXPECT_EQ(Expand("#C5\x83"), "42\x83");
}

TEST(MessageEscapes, CommonWinsWhenBothMarksArePresentAndOnlyNamedVariablesAreRead) {
  Variables variables;
  EXPECT_EQ(ExpandMessageEscapes("#S5C #C1001 #C0", variables.Reader()), "42 #C1001 #C0");
  EXPECT_EQ(variables.reads, (std::vector<std::pair<int, int>>{{kEscapeCommon, 5}}));
}

TEST(MessageEscapes, ValuesAreLaidOutInAtLeastTheirWidth) {
  EXPECT_EQ(FormatEscapeValue(INT_MIN, 0, false, false), "-2147483648");
  EXPECT_EQ(FormatEscapeValue(INT_MAX, 0, false, true), "+2147483647");
  EXPECT_EQ(FormatEscapeValue(5, 9, false, false), "        5");
  EXPECT_EQ(FormatEscapeValue(0, 0, true, false), "0");
  EXPECT_EQ(FormatEscapeValue(-1, 3, true, true), "-001");
}

}  // namespace

#include "foundation/text_format.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

namespace {

TEST(Format, GrowsPastAnyFixedSizeAndMayReadItsOwnOutput) {
  std::string out(6000, 'x');
  Format(out, "<%s>", out.c_str());
  EXPECT_EQ(out.size(), 6002u);
  EXPECT_EQ(out.front(), '<');
  AppendFormat(out, "%d%%", 42);
  EXPECT_EQ(out.substr(out.size() - 4), ">42%");
}

TEST(MidStr, ClampsStartAndCount) {
  EXPECT_EQ(MidStr("abcdef", 2, 3), "cde");
  EXPECT_EQ(MidStr("abcdef", 7, 1), "");
  EXPECT_EQ(MidStr("abcdef", 6, 1), "");
  EXPECT_EQ(MidStr("abcdef", 1, 0), "");
  EXPECT_EQ(MidStr("abcdef", 4, 10), "ef");
  EXPECT_EQ(MidStr("abcdef", -2, 4), "ab");  // a negative start shortens the count
  EXPECT_EQ(MidStr("abcdef", -5, 3), "");
}

TEST(Numbers, DigitCountsAndFixedWidthText) {
  const std::pair<int, int> digitCounts[] = {{0, 1},    {9, 1},           {10, 2},
                                             {-123, 3}, {2147483647, 10}, {-2147483647 - 1, 10}};
  for (auto [value, digits] : digitCounts) EXPECT_EQ(GetDigitCount(value), digits) << value;

  struct Case {
    int value, minDigits, zeroFill, plusSign;
    const char* text;
  };
  const Case cases[] = {
      {5, 3, 0, 0, "  5"},     {5, 3, 1, 0, "005"},     {-5, 3, 0, 0, "-  5"},
      {0, 3, 0, 1, "+  0"},    {1234, 2, 0, 0, "1234"}, {0, 0, 0, 0, "0"},
      {-50, 4, 1, 1, "-0050"}, {100, 3, 0, 0, "100"},   {-2147483647 - 1, 0, 0, 0, "-2147483648"}};
  for (const Case& c : cases) {
    std::string out = "old";
    NumToStr(out, c.value, c.minDigits, c.zeroFill, c.plusSign);
    EXPECT_EQ(out, c.text) << c.value << " " << c.minDigits;
  }
}

TEST(Random, FollowsTheCRuntimeSequenceAfterSeedOne) {
  SeedRand(1);
  EXPECT_EQ(Rand(), 41);
  EXPECT_EQ(Rand(), 18467);
  EXPECT_EQ(Rand(), 6334);
  EXPECT_EQ(Rand(), 26500);
}

TEST(Random, GetRandStaysWithinEitherOrderOfBounds) {
  SeedRand(7);
  for (int i = 0; i < 200; ++i) {
    int value = GetRand(7, 3);
    EXPECT_GE(value, 3);
    EXPECT_LE(value, 7);
    EXPECT_EQ(GetRand(4, 4), 4);
  }
  // The full int range must not overflow when the span is computed.
  for (int i = 0; i < 50; ++i) GetRand(-2147483647 - 1, 2147483647);
}

TEST(Random, EachThreadHasItsOwnState) {
  SeedRand(1);
  Rand();
  int other = 0;
  std::thread([&] {
    SeedRand(1);
    other = Rand();
  }).join();
  EXPECT_EQ(other, 41);
  EXPECT_EQ(Rand(), 18467);  // the other thread's seed did not reach this one
}

TEST(ShiftJis, CharacterCountsAndPairs) {
  EXPECT_EQ(GetCharCount(""), 0);
  EXPECT_EQ(GetCharCount("ab\n\xB1"), 3);  // half-width katakana counts one
  EXPECT_EQ(GetCharCount("\x82\xA0\x95\x5C"
                         "a"),
            3);                          // two kana-kanji pairs, one with a '\' trail
  EXPECT_EQ(GetCharCount("\x82\n"), 1);  // a lone lead byte counts, the line feed not
  const char pair[] = "\x82\xA0";
  EXPECT_EQ(IsSjisPair(pair), 1);
  EXPECT_EQ(IsSjisPair(pair + 1), 0);
  EXPECT_EQ(IsSjisPair("\x82"), 0);
}

TEST(Constants, SquareRootOfTwo) {
  EXPECT_DOUBLE_EQ(g_dSqrt2 * g_dSqrt2, 2.0);
  EXPECT_DOUBLE_EQ(g_dSqrt2 * g_dInvSqrt2, 1.0);
}

}  // namespace

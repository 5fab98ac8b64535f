// Operator levels, left-to-right reduction, numbers as atoi reads them,
// 32-bit wrap-around, groups against plain-text parentheses, and rand.

#include <climits>
#include <set>

#include "foundation/text_format.h"
#include "tests/evaluator/evaluator_test_support.h"

namespace {

struct Case {
  const char* text;
  std::int32_t value;
};

TEST_F(EvaluatorTest, OperatorLevelsReduceLeftToRight) {
  const Case cases[] = {
      {"1 + 2 * 3", 7},      {"(1 + 2) * 3", 9},    {"3 * (1 + 2)", 9},     {"10 - 3 - 2", 5},
      {"100 / 10 / 5", 2},   {"2 * 3 % 4", 2},      {"7 / 2", 3},           {"-7 / 2", -3},
      {"-7 % 2", -1},        {"7 % -2", 1},         {"8 - 2 * 3 + 1", 3},   {"", 0},
      {"   ", 0},            {"5 7", 7},            {"1\n+\t2", 3},         {"2 * 3 * 4 / 5", 4},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Value(c.text), c.value) << c.text;
    EXPECT_FALSE(g_CodeError) << c.text;
  }
}

TEST_F(EvaluatorTest, WordsAreNumbersAsAtoiReadsThem) {
  const Case cases[] = {
      {"12ab", 12},
      {"abc", 0},
      {"1+2", 1},  // no blanks: one word
      {"+5 + 1", 6},
      {"-0", 0},
      {"2147483647", INT_MAX},
      {"99999999999999999999", INT_MAX},  // saturates instead of wrapping
      {"-2147483648", INT_MIN},
      {"-99999999999", INT_MIN},
  };
  for (const Case& c : cases) EXPECT_EQ(Value(c.text), c.value) << c.text;
}

TEST_F(EvaluatorTest, ArithmeticWrapsIn32Bits) {
  const Case cases[] = {
      {"2147483647 + 1", INT_MIN},     {"-2147483648 - 1", INT_MAX}, {"65536 * 65536", 0},
      {"-2147483648 / -1", INT_MIN},   {"-2147483648 % -1", 0},      {"-2147483648 * -1", INT_MIN},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Value(c.text), c.value) << c.text;
    EXPECT_FALSE(g_CodeError) << c.text;
  }
}

TEST_F(EvaluatorTest, GroupsOnlyAtTheStartOrAfterABlank) {
  const Case cases[] = {
      {"3*(1 + 2)", 5},          // "3*(1" "+" "2)": the parenthesis is text
      {"x(1 + 2)", 2},           // no function called x
      {"(1 + (2 * 3)) * 2", 14},
      {"((2))", 2},
      {"(2)(3)", 2},             // the second "(" follows a digit: text
      {"(2) (3)", 3},
      {"()", 0},
      {"-(5)", 0},               // "-(5)" is one word: atoi gives 0
      {"10 - (2 - 3)", 11},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Value(c.text), c.value) << c.text;
    EXPECT_FALSE(g_CodeError) << c.text;
  }
}

TEST_F(EvaluatorTest, RandDrawsFromTheGameGeneratorInEitherOrder) {
  SeedRand(7);
  std::set<std::int32_t> seen;
  for (int i = 0; i < 300; ++i) {
    ASSERT_EQ(Exec("v1 = rand(1, 6)"), 1);
    seen.insert(me.stats[0]);
    ASSERT_EQ(Exec("v2 = rand(6, 1)"), 1);
    ASSERT_GE(me.stats[1], 1);
    ASSERT_LE(me.stats[1], 6);
  }
  EXPECT_EQ(seen, (std::set<std::int32_t>{1, 2, 3, 4, 5, 6}));

  // The same draws as GetRand from the same seed, groups and blanks inside
  // the arguments included, and empty arguments left out.
  SeedRand(99);
  const int expected[] = {GetRand(1, 6), GetRand(-5, 5), GetRand(3, 3), GetRand(10, 10), GetRand(10, 20)};
  SeedRand(99);
  EXPECT_EQ(Value("rand(1, 6)"), expected[0]);
  EXPECT_EQ(Value("rand((0 - 5), 2 + 3)"), expected[1]);
  EXPECT_EQ(Value("rand(3,,3)"), expected[2]);
  EXPECT_EQ(Value("rand( rand(10, 10) , 20 )"), expected[4]);  // the inner call draws first
}

TEST_F(EvaluatorTest, RandCoversTheFull32BitRange) {
  SeedRand(5);
  const int expected = GetRand(INT_MIN, INT_MAX);
  SeedRand(5);
  EXPECT_EQ(Value("rand(-2147483648, 2147483647)"), expected);
  EXPECT_FALSE(g_CodeError);
  EXPECT_EQ(Value("rand(2147483647, 2147483647)"), INT_MAX);
  EXPECT_EQ(Value("rand(-2147483648, -2147483648)"), INT_MIN);
}

TEST_F(EvaluatorTest, RandIsACallOnlyWhenItsNameStartsTheWord) {
  SeedRand(3);
  EXPECT_EQ(Value("xrand(4, 4)"), 4);  // "xrand(4," "4)": text
  EXPECT_EQ(Value("rand (4, 5)"), 5);   // the word "rand", then the group "(4, 5)": "4," "5"
  EXPECT_FALSE(g_CodeError);
}

TEST_F(EvaluatorTest, TheWorkingTextIsCutWhenAValueIsSpliced) {
  // After the splice the text is cut to 5119 bytes, which drops the "+ 1"
  // at the far end; without a group the text is evaluated whole.
  const std::string padding(5200, ' ');
  EXPECT_EQ(Value("(5)" + padding + "+ 1"), 5);
  EXPECT_EQ(Value("5" + padding + "+ 1"), 6);
}

TEST_F(EvaluatorTest, OperatorsSideBySideReduceWithTheOperatorAsZero) {
  EXPECT_EQ(Value("1 + * 2"), 0);  // "+" * 2 first, then nothing is left to add
  EXPECT_FALSE(g_CodeError);
  me.stats[0] = 9;
  EXPECT_EQ(Exec("v1 = = 3"), 1);  // v1 := the second "=" (0); 3 is left over
  EXPECT_EQ(me.stats[0], 0);
}

}  // namespace

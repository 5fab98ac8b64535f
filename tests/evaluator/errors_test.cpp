// Every error of the evaluator: the message texts byte for byte, the
// reported faults that replaced closing the program, and what still runs.

#include "tests/evaluator/evaluator_test_support.h"

namespace {

TEST_F(EvaluatorTest, EachErrorShowsItsOwnText) {
  const struct {
    const char* text;
    const char* message;
  } cases[] = {
      {"v1 = (1 + 2", "\")\"が見つかりません！"},
      {"v1 = f(", "\")\"が見つかりません！"},  // after a name that is no function too
      {"v1 = rand(1, 2", "関数 rand で\")\"が見つかりません！"},
      {"v1 = rand(1)", "関数 rand の引数が不正です！"},
      {"v1 = rand(1, 2, 3)", "関数 rand の引数が不正です！"},
      {"v1 = rand()", "関数 rand の引数が不正です！"},
      {"bad.hp = 1", "オブジェクト \"bad.\" が認識できません！"},
      {"3 = 1", "代入先が不正です！"},
      {"v1 = 7 / (2 - 2)", "0除算が行われました！(v1 = 7 / 0)"},
      {"v1 = 7 % 0", "0除算が行われました！(v1 = 7 % 0)"},
  };
  for (const auto& c : cases) {
    me.stats[0] = 11;
    EXPECT_EQ(Exec(c.text), 0) << c.text;
    EXPECT_TRUE(g_CodeError) << c.text;
    EXPECT_EQ(Boxes(), std::vector<std::string>{c.message}) << c.text;
    EXPECT_EQ(me.stats[0], 11) << c.text;
  }
}

TEST_F(EvaluatorTest, AnOperatorAtAnEdgeIsReportedInsteadOfClosing) {
  for (const char* text : {"+ 1", "v1 = 1 +", "=", "v1 = 4 * 2 -"}) {
    EXPECT_EQ(Exec(text), 0) << text;
    EXPECT_TRUE(Boxes().empty()) << text;
  }
  EXPECT_EQ(me.stats[0], 0);
  EXPECT_NE(ReportText().find("Code text: operator \"+\" has no value on one side (+ 1)"), std::string::npos);
  EXPECT_EQ(Exec("v1 = (2 *) v2 = 3"), 0);  // inside a group: 0 spliced, the text goes on
  EXPECT_EQ(me.stats[1], 3);
}

TEST_F(EvaluatorTest, NestingBeyondTheLimitIsReportedAndSplicesZero) {
  const auto nested = [](int depth) {
    return std::string(static_cast<std::size_t>(depth), '(') + "5" + std::string(static_cast<std::size_t>(depth), ')');
  };
  EXPECT_EQ(Exec("v1 = " + nested(kMaxCodeNesting)), 1);
  EXPECT_EQ(me.stats[0], 5);
  EXPECT_EQ(Exec("v1 = " + nested(kMaxCodeNesting + 1) + " v2 = 8"), 0);
  EXPECT_EQ(me.stats[0], 0);
  EXPECT_EQ(me.stats[1], 8);
  EXPECT_NE(ReportText().find("nest deeper than 64"), std::string::npos);
  // Calls count as levels too.
  std::string calls = "5";
  for (int i = 0; i < kMaxCodeNesting + 1; ++i) calls = "rand(" + calls + ", 5)";
  EXPECT_EQ(Exec("v3 = " + calls), 0);
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(EvaluatorTest, TheTextEndsAtItsFirstNulByte) {
  const std::string text("v1 = 4\0 v2 = 5", 14);
  EXPECT_EQ(Exec(text), 1);
  EXPECT_EQ(me.stats[0], 4);
  EXPECT_EQ(me.stats[1], 0);
}

}  // namespace

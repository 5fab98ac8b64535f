// Assignment: the targets that have storage, each status's clamp, the
// variables and their index checks, and the after-effects.

#include <climits>

#include "tests/evaluator/evaluator_test_support.h"

namespace {

TEST_F(EvaluatorTest, EveryCharacterStatusClampsToItsRange) {
  me.stats[10] = 500;  // mhp
  me.stats[11] = 50;   // msp
  const struct {
    const char* word;
    int stat;
    std::int32_t low, high;
  } rows[] = {
      {"v1", 0, -999999, 999999}, {"v8", 7, -999999, 999999}, {"hp", 8, 0, 500},
      {"sp", 9, 0, 50},           {"mhp", 10, 1, 999999},     {"msp", 11, 1, 999999},
      {"cid", 12, 0, 99},         {"z", 13, 0, 7},            {"mark", 14, 0, 119},
      {"sight", 15, 0, 40},       {"power", 16, -999999, 999999}, {"imp", 17, -20, 20},
      {"def", 18, 0, 999999},     {"impd", 19, 0, 20},        {"stop", 20, 0, 200},
      {"getsc", 21, -999999, 999999},
  };
  for (const auto& row : rows) {
    const std::string word = std::string("tg.") + row.word;
    target.stats[10] = 500;
    target.stats[11] = 50;
    EXPECT_EQ(Exec(word + " = 2147483647"), 1) << row.word;
    EXPECT_EQ(target.stats[static_cast<std::size_t>(row.stat)], row.high) << row.word;
    EXPECT_EQ(Exec(word + " = -2147483648"), 1) << row.word;
    EXPECT_EQ(target.stats[static_cast<std::size_t>(row.stat)], row.low) << row.word;
  }
  EXPECT_EQ(Exec("hp = 99999"), 1);
  EXPECT_EQ(me.stats[8], 500);
  EXPECT_EQ(Exec("cid = 150"), 1);
  EXPECT_EQ(me.stats[12], 99);
}

TEST_F(EvaluatorTest, VariablesAreAddressedByTheirFirstLetterAndNumber) {
  game.common[3] = 41;
  EXPECT_EQ(Exec("C3 = C3 + 1"), 1);
  EXPECT_EQ(game.common[3], 42);
  EXPECT_EQ(Exec("Cabc = 7"), 1);  // no digits: variable 0
  EXPECT_EQ(game.common[0], 7);
  EXPECT_EQ(Exec("S1000 = 5000000"), 1);
  EXPECT_EQ(game.stage[1000], 999999);
  EXPECT_EQ(Exec("Score = -5000000"), 1);  // the first letter alone decides
  EXPECT_EQ(game.stage[0], -999999);

  // An index outside the list is reported and the text stops; a text run
  // on every frame is reported once.
  for (const char* text : {"C1001 = 1", "S-1 = 1", "C99999999999 = 1"}) {
    for (int frame = 0; frame < 3; ++frame) EXPECT_EQ(Exec(text), 0) << text;
  }
  EXPECT_EQ(ReportText(),
            "Code text: variable C1001 does not exist (0..1000)\n"
            "Code text: variable S-1 does not exist (0..1000)\n"
            "Code text: variable C2147483647 does not exist (0..1000)\n");
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(EvaluatorTest, OnlyStoragesCanBeAssigned) {
  EXPECT_EQ(Exec("v1 = v2 = 5"), 0);  // the second "=" finds a value on its left
  EXPECT_EQ(me.stats[0], 0);
  EXPECT_EQ(Boxes(), std::vector<std::string>{"代入先が不正です！"});
  EXPECT_EQ(Exec("5 = 3"), 0);
  EXPECT_EQ(Exec("(v1) = 3"), 0);  // a group is a value
  EXPECT_EQ(Exec("v1 + 1 = 3"), 0);
  EXPECT_EQ(Boxes().size(), 3u);
  EXPECT_EQ(Exec("v1 = 2 + 3 * 4"), 1);  // "=" is applied last
  EXPECT_EQ(me.stats[0], 14);
}

TEST_F(EvaluatorTest, TheSystemStatusesAndUnlimitedLives) {
  EXPECT_EQ(Exec("time = 5000 scrlx = -600 scrly = 600 score = -1 life = 100"), 1);
  EXPECT_EQ(game.sys, (std::array<std::int32_t, 5>{999, -480, 480, 0, 99}));
  EXPECT_EQ(game.scrollRestarts, (std::vector<std::pair<int, std::int32_t>>{{0, -480}, {1, 480}}));

  game.sys[4] = 999999;  // unlimited
  EXPECT_EQ(Exec("v1 = life life = 3"), 1);
  EXPECT_EQ(me.stats[0], 100);
  EXPECT_EQ(game.sys[4], 999999);
  game.livesReadAsZero = true;
  EXPECT_EQ(Exec("v1 = life"), 1);
  EXPECT_EQ(me.stats[0], 0);
}

TEST_F(EvaluatorTest, AssignmentsApplyTheirAfterEffects) {
  // HP of another character at 0 asks for the death check; the running
  // character's own does not.
  EXPECT_EQ(Exec("tg.hp = 0"), 1);
  EXPECT_EQ(game.hpChecks, 1);
  EXPECT_EQ(Exec("tg.hp = 1 hp = 0"), 1);
  EXPECT_EQ(game.hpChecks, 1);

  // A new maximum pulls the current value into 1..maximum.
  target.stats[8] = 300;
  EXPECT_EQ(Exec("tg.mhp = 200"), 1);
  EXPECT_EQ(target.stats[8], 200);
  target.stats[8] = 0;
  EXPECT_EQ(Exec("tg.mhp = 200"), 1);
  EXPECT_EQ(target.stats[8], 1);
  target.stats[9] = 40;
  EXPECT_EQ(Exec("tg.msp = 0"), 1);  // clamped to 1 first
  EXPECT_EQ(target.stats[11], 1);
  EXPECT_EQ(target.stats[9], 1);

  // The view range follows "sight" unless the character ignores it.
  EXPECT_EQ(Exec("pl.sight = 50"), 1);
  EXPECT_EQ(hero.viewRanges, std::vector<std::int32_t>{40});
  target.ignoresSight = true;
  EXPECT_EQ(Exec("tg.sight = 3"), 1);
  EXPECT_EQ(target.stats[15], 3);
  EXPECT_TRUE(target.viewRanges.empty());
}

TEST_F(EvaluatorTest, ExecCodeShowsTheGaugesOfTheRunningCharacterOnlyWithoutError) {
  me.stats[8] = 200;
  me.stats[9] = 30;
  EXPECT_EQ(Exec("hp = hp - 50 sp = sp + 5 tg.hp = 1"), 1);
  EXPECT_EQ(me.hpGauges, std::vector<std::int32_t>{-50});
  EXPECT_EQ(me.spGauges, std::vector<std::int32_t>{5});
  EXPECT_TRUE(target.hpGauges.empty());

  EXPECT_EQ(Exec("hp = 10 v1 = (1 / 0)"), 0);  // written, but no gauge after an error
  EXPECT_EQ(me.stats[8], 10);
  EXPECT_EQ(me.hpGauges.size(), 1u);
  EXPECT_FALSE(Boxes().empty());

  EXPECT_EQ(Exec("hp = hp"), 1);  // no change, no gauge
  EXPECT_EQ(me.hpGauges.size(), 1u);
}

}  // namespace

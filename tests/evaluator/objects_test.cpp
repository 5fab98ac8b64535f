// Whose status a word names: the prefixes, empty slots and a missing hero
// (silent errors), "sys.", and unknown prefixes before and after a token.

#include "tests/evaluator/evaluator_test_support.h"

namespace {

TEST_F(EvaluatorTest, PrefixesNameTheRunningCharacterItsTargetsAndTheHero) {
  FakeChara second, third, fourth;
  me.targets = {&target, &second, &third, &fourth};
  me.stats[16] = 1;
  target.stats[16] = 10;
  second.stats[16] = 20;
  third.stats[16] = 30;
  fourth.stats[16] = 40;
  hero.stats[16] = 50;
  const struct {
    const char* text;
    std::int32_t value;
  } cases[] = {
      {"power", 1},     {"my.power", 1},  {"tg.power", 10}, {"tg1.power", 10},
      {"tg2.power", 20}, {"tg3.power", 30}, {"tg4.power", 40}, {"pl.power", 50},
      // The object holds for one word only.
      {"tg2.power + power", 21},
      // System statuses ignore the object.
      {"sys.score", 777}, {"tg3.score", 777}, {"score", 777},
  };
  game.sys[3] = 777;
  for (const auto& c : cases) {
    EXPECT_EQ(Value(c.text), c.value) << c.text;
    EXPECT_FALSE(g_CodeError) << c.text;
  }
  EXPECT_EQ(Exec("tg4.v8 = pl.v1 + 3"), 1);
  EXPECT_EQ(fourth.stats[7], 3);
}

TEST_F(EvaluatorTest, AMissingCharacterIsASilentError) {
  me.targets[0] = nullptr;
  target.stats[8] = 100;
  // An empty slot fails whatever the word, without a message and without
  // writing; the rest of the text does not run.
  for (const char* text : {"tg1.hp = 0", "tg.C1 = 5", "tg2.5", "v1 = 4 tg.time"}) {
    EXPECT_EQ(Exec(text), 0) << text;
    EXPECT_EQ(game.common[1], 0);
  }
  EXPECT_EQ(me.stats[0], 0);
  game.hero = nullptr;
  EXPECT_EQ(Exec("pl.hp = 1"), 0);
  EXPECT_EQ(Exec("sys.hp = 1"), 0);  // the system has no character statuses
  EXPECT_EQ(Exec("sys.v1"), 0);
  EXPECT_TRUE(Boxes().empty());
  EXPECT_EQ(Exec("sys.C2 = 9"), 1);  // but it does have the variables
  EXPECT_EQ(game.common[2], 9);
}

TEST_F(EvaluatorTest, AnErrorInAGroupSplicesZeroAndTheTextGoesOn) {
  me.targets[0] = nullptr;
  EXPECT_EQ(Exec("v1 = (tg.hp) v2 = 3"), 0);  // the group gives 0
  EXPECT_EQ(me.stats[0], 0);
  EXPECT_EQ(me.stats[1], 3);
  me.stats[0] = 5;
  EXPECT_EQ(Exec("v1 = (1 / 0) + 2 v3 = (rand(1)) + 4"), 0);
  EXPECT_EQ(me.stats[0], 2);
  EXPECT_EQ(me.stats[2], 4);
  EXPECT_EQ(Boxes().size(), 2u);
}

TEST_F(EvaluatorTest, AnUnknownPrefixFailsBeforeTheFirstTokenAndIsDroppedAfterIt) {
  EXPECT_EQ(Exec("foo.hp = 1"), 0);
  EXPECT_EQ(Boxes(), std::vector<std::string>{"オブジェクト \"foo.\" が認識できません！"});
  EXPECT_EQ(Exec("tg.foo.hp = 1"), 0);  // right after another prefix
  EXPECT_EQ(Boxes(), std::vector<std::string>{"オブジェクト \"foo.\" が認識できません！"});
  EXPECT_EQ(Exec("1.5"), 0);
  EXPECT_EQ(Boxes(), std::vector<std::string>{"オブジェクト \"1.\" が認識できません！"});

  // After a token: dropped without a message; the word is the running
  // character's.
  me.stats[1] = 6;
  target.stats[1] = 60;
  EXPECT_EQ(Exec("v1 = foo.v2"), 1);
  EXPECT_EQ(me.stats[0], 6);
  EXPECT_EQ(Exec("v3 = 2 tg.foo.v2"), 0);  // "foo." follows "tg.": an error again
  EXPECT_EQ(Boxes().size(), 1u);
}

}  // namespace

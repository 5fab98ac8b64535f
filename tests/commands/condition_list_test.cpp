// Condition lists on a running stage: variable conditions with every
// comparison, the two modes, the once latch of characters and flows, the
// status condition through the commands, and the play and limit timers.
#include <gtest/gtest.h>

#include "commands/install.h"
#include "definitions/save_data/save_data.h"
#include "shell/game/timers.h"
#include "stage/chara/hero.h"
#include "stage/chara/stage_chara.h"
#include "stage/scene/condition_lists.h"
#include "stage/scene/stage_hooks.h"
#include "tests/stage/stage_fixture.h"
#include "tests/support/scratch_report.h"

namespace {

cCond VarCond(int kind, int index, int compare, std::int32_t value) {
  cCond cond;
  cond.m_nKind = static_cast<std::uint8_t>(kind);
  cond.m_nLeftIndex = static_cast<std::int16_t>(index);
  cond.m_nCompare = static_cast<std::uint8_t>(compare);
  cond.m_nValue = value;
  return cond;
}

class ConditionListTest : public testing::Test {
 protected:
  ConditionListTest() : run((InstallCommands(), builder)) { hero = run.harness.Hero(); }

  std::int32_t& StageVar(int index) { return run.harness.Scene().m_vStageVars[index]; }

  StageBuilder builder{20, 15, 2, 10};
  StageRun run;
  cHero* hero = nullptr;
};

// A condition on a variable the lists do not hold (stage variable 1000 of
// 0..999), tested on every frame, fails and is reported once.
TEST_F(ConditionListTest, AConditionOnAVariableBeyondTheListIsReportedOnce) {
  const ScratchReport report;
  ASSERT_TRUE(report.Opened());
  cCond beyond = VarCond(kCondStageVar, 1000, 0, 0);
  for (int frame = 0; frame < 120; ++frame) EXPECT_EQ(TestCondition(beyond, *hero), 0);
  EXPECT_EQ(report.LinesWith("err V[1000] ( 1000 , 4 )"), 1);
}

TEST_F(ConditionListTest, VariableConditionsCompareByEveryOperator) {
  StageVar(4) = -6;
  const std::pair<int, int> cases[] = {{0, 0}, {1, 1}, {2, 0}, {3, 1}, {4, 0}, {5, 1}, {8, 0}};
  for (auto [compare, expected] : cases) {
    cCond cond = VarCond(kCondStageVar, 4, compare, 3);
    EXPECT_EQ(TestCondition(cond, *hero), expected) << compare;
  }
  cCond multiple = VarCond(kCondStageVar, 4, 6, 3);
  EXPECT_EQ(TestCondition(multiple, *hero), 1);
  cCond byZero = VarCond(kCondStageVar, 4, 6, 0);
  EXPECT_EQ(TestCondition(byZero, *hero), 1);
  cCond notByZero = VarCond(kCondStageVar, 4, 7, 0);
  EXPECT_EQ(TestCondition(notByZero, *hero), 0);
  g_SaveData.m_vVar[9] = 5;
  cCond common = VarCond(kCondCommonVar, 9, 0, 5);
  EXPECT_EQ(TestCondition(common, *hero), 1);
  hero->vars[2] = 8;
  cCond own = VarCond(kCondCharaVar, 2, 4, 7);
  EXPECT_EQ(TestCondition(own, *hero), 1);
  cCond badIndex = VarCond(kCondCharaVar, 20, 0, 0);
  EXPECT_EQ(TestCondition(badIndex, *hero), 0);
  cCond badKind = VarCond(9, 0, 0, 0);
  EXPECT_EQ(TestCondition(badKind, *hero), 0);
}

TEST_F(ConditionListTest, ModesAndTheStatusConditionThroughTheCommands) {
  StageVar(1) = 1;
  const cVector<cCond> list = {VarCond(kCondStageVar, 1, 0, 1), VarCond(kCondStageVar, 1, 0, 2)};
  EXPECT_EQ(TestConditionListFor(list, kCondAll, *hero), 0);
  EXPECT_EQ(TestConditionListFor(list, kCondAny, *hero), 1);
  EXPECT_EQ(TestConditionListFor({}, kCondAll, *hero), 1);
  EXPECT_EQ(TestConditionListFor({}, kCondAny, *hero), 0);
  EXPECT_EQ(TestConditionListFor(list, 2, *hero), 0);
  cCond status;
  status.m_nKind = kCondStatus;
  status.m_nLeftItem = 1;  // HP
  status.m_nCompare = 0;
  status.m_nValue = hero->hp + 1;
  EXPECT_EQ(TestCondition(status, *hero), 0);
  status.m_nValue = hero->hp;
  EXPECT_EQ(TestCondition(status, *hero), 1);
}

TEST_F(ConditionListTest, OnceListsKeepHolding) {
  hero->def.m_vConds = {VarCond(kCondStageVar, 2, 0, 1)};
  hero->def.m_bCondOnce = 1;
  EXPECT_EQ(TestCharaConds(*hero), 0);
  StageVar(2) = 1;
  EXPECT_EQ(TestCharaConds(*hero), 1);
  StageVar(2) = 0;
  EXPECT_EQ(TestCharaConds(*hero), 1);
  hero->def.m_bCondOnce = 0;
  EXPECT_EQ(TestCharaConds(*hero), 0);
  cEdFlow flow;
  flow.m_vConds = {VarCond(kCondStageVar, 2, 0, 1)};
  flow.m_bCondOnce = 1;
  cFlowState state;
  state.flow = &flow;
  EXPECT_EQ(TestFlowConds(*hero, state), 0);
  StageVar(2) = 1;
  EXPECT_EQ(TestFlowConds(*hero, state), 1);
  StageVar(2) = 0;
  EXPECT_EQ(TestFlowConds(*hero, state), 1);
}

TEST_F(ConditionListTest, PlayTimeStopsAtItsEndAndTheLimitCountsWholeSeconds) {
  cStageScene& scene = run.harness.Scene();
  scene.m_nPlayFrames = 359993;
  scene.m_nPlayTime = 599988;
  for (int i = 0; i < 20; ++i) CountPlayTime(scene);
  EXPECT_EQ(scene.m_nPlayTime, 599999);
  const int frames = scene.m_nPlayFrames;
  CountPlayTime(scene);
  EXPECT_EQ(scene.m_nPlayFrames, frames);

  scene.m_bTimeStopped = 0;
  scene.m_nTimeLeft = 1;
  FrameSkipCount(0, 60);
  int ended = 0;
  int frame = 0;
  while (!ended && frame < 200) {
    ended = CountTimeLimit(scene, -1);
    ++frame;
  }
  EXPECT_EQ(frame, 60);
  EXPECT_EQ(scene.m_nTimeLeft, 0);
  scene.m_nTimeLeft = 998;
  FrameSkipCount(0, 60);
  for (int i = 0; i < 120; ++i) CountTimeLimit(scene, 5);
  EXPECT_EQ(scene.m_nTimeLeft, 999);
  scene.m_bTimeStopped = 1;
  EXPECT_EQ(CountTimeLimit(scene, -1000), 0);
}

}  // namespace

// The flow runtime on a character: instant and blocking entries, pausing,
// ending and stopping, the flow that runs before the stage, the queue of
// bindings, flows started by the stage itself and a death flow.
#include <gtest/gtest.h>

#include "commands/flows/flow_install.h"
#include "commands/flows/flow_runtime.h"
#include "commands/install.h"
#include "definitions/param_table.h"
#include "definitions/save_data/save_data.h"
#include "stage/chara/hero.h"
#include "stage/chara/stage_chara.h"
#include "stage/chara/stage_lists.h"
#include "stage/objects/stage_space.h"
#include "tests/stage/stage_fixture.h"

namespace {

using commands::EndFlow;
using commands::PauseFlow;
using commands::ResumeFlow;
using commands::RunFlow;
using commands::StartFlow;
using commands::StopFlowForever;

cEdCmd Command(int kind, int tenths, bool instant = false) {
  cEdCmd command;
  command.m_nKind = static_cast<std::uint8_t>(kind);
  command.m_vParams.assign(static_cast<std::size_t>(std::max(CmdParamCount(kFamilyChara, kind), 0)), 0);
  command.m_nTime = static_cast<std::int16_t>(tenths);
  command.m_bInstant = instant ? 1 : 0;
  return command;
}

// "ステータスの操作" adding `n` to stage variable `index`.
cEdCmd AddToStageVar(int index, int n, int tenths = 0, bool instant = false) {
  cEdCmd command = Command(kCmdStatus, tenths, instant);
  command.m_vParams[0] = 1;
  command.m_vParams[1] = 1;
  command.m_vParams[2] = index;
  command.m_vParams[5] = 1;
  command.m_vParams[7] = n;
  return command;
}

cEdFlow Flow(std::initializer_list<cEdCmd> commands, int trigger = kTriggerAlways) {
  cEdFlow flow;
  flow.m_nTrigger = static_cast<std::uint8_t>(trigger);
  flow.m_vCmds = commands;
  return flow;
}

class FlowRuntimeTest : public testing::Test {
 protected:
  FlowRuntimeTest() : run((InstallCommands(), BuildParamTable(), builder)) {}

  cFlowState& Install(cEdFlow flow) {
    SetFlowList(chara, {flow}, kReplaceFlows, -1, 1);
    return chara.flows[0];
  }
  std::int32_t StageVar(int index) { return run.harness.Scene().m_vStageVars[index]; }

  StageBuilder builder{20, 15, 2, 10};
  StageRun run;
  cStageChara chara;
};

TEST_F(FlowRuntimeTest, InstantEntriesStartTogetherAndTheFlowEndsWithTheLast) {
  cFlowState& flow = Install(Flow({AddToStageVar(1, 1, 1, true), AddToStageVar(2, 1, 2, true)}));
  ASSERT_EQ(flow.entries.size(), 2u);
  EXPECT_EQ(flow.entries[1].duration, 12 * g_StageSpace.level);
  StartFlow(chara, flow);
  int steps = 1;
  while (!RunFlow(chara, flow)) ++steps;
  EXPECT_EQ(steps, flow.entries[1].duration);
  EXPECT_EQ(StageVar(1), flow.entries[0].duration);
  EXPECT_EQ(StageVar(2), flow.entries[1].duration);
}

TEST_F(FlowRuntimeTest, ABlockingEntryHoldsTheNextUntilTheFollowingStep) {
  cFlowState& flow = Install(Flow({AddToStageVar(1, 1), AddToStageVar(2, 1)}));
  StartFlow(chara, flow);
  EXPECT_EQ(RunFlow(chara, flow), 0);
  EXPECT_EQ(StageVar(1), 1);
  EXPECT_EQ(StageVar(2), 0);
  EXPECT_EQ(RunFlow(chara, flow), 1);
  EXPECT_EQ(StageVar(2), 1);
}

TEST_F(FlowRuntimeTest, PausingKeepsProgressAndEndingAndStoppingRaiseLettersOnce) {
  cEdFlow definition = Flow({Command(kCmdWait, 1), AddToStageVar(1, 1)});
  definition.m_nFlag = 3;
  cFlowState& flow = Install(definition);
  StartFlow(chara, flow);
  EXPECT_EQ(chara.flagSets[0][3], 1);
  RunFlow(chara, flow);
  const int remaining = flow.entries[0].remaining;
  PauseFlow(flow);
  EXPECT_EQ(flow.entries[0].remaining, remaining);
  ResumeFlow(flow);
  RunFlow(chara, flow);
  EXPECT_EQ(flow.entries[0].remaining, remaining - 1);
  EndFlow(chara, flow);
  EXPECT_EQ(flow.active, 0);
  EXPECT_EQ(chara.flagSets[1][3], 1);
  chara.flagSets[1][3] = 0;
  EndFlow(chara, flow);
  EXPECT_EQ(chara.flagSets[1][3], 0);
  StopFlowForever(chara, flow);
  EXPECT_EQ(flow.stoppedForGood, 1);
  EXPECT_EQ(chara.flagSets[1][3], 0);
}

// The end of a triggered flow with a key sequence forgets that the keys are
// still held, unless the project keeps the key latch.
TEST_F(FlowRuntimeTest, TheEndOfATriggeredFlowClearsItsKeyLatchUnlessTheProjectKeepsIt) {
  cEdFlow definition = Flow({AddToStageVar(1, 1)}, kTriggerDamaged);
  definition.m_vKeySteps.push_back(cKeyStep());
  const auto latchAfterTheEnd = [&] {
    cFlowState& flow = Install(definition);
    const int installed = flow.keyLatchB;
    StartFlow(chara, flow);
    EndFlow(chara, flow);
    return std::make_pair(installed, static_cast<int>(flow.keyLatchB));
  };
  EXPECT_EQ(latchAfterTheEnd(), std::make_pair(1, 0));
  {
    const SystemSwitch keep(&cSystem::m_nCompat875, 1);
    EXPECT_EQ(latchAfterTheEnd(), std::make_pair(1, 1));
  }
  EXPECT_EQ(latchAfterTheEnd(), std::make_pair(1, 0));
}

TEST_F(FlowRuntimeTest, TheFlowBeforeTheStageRunsOnlyInstantLaterKindsAtOnce) {
  cFlowState& flow = Install(Flow({AddToStageVar(1, 5, 0, true), AddToStageVar(2, 5), Command(kCmdStopMove, 0, true)},
                                  kTriggerBeforeStage));
  chara.vx = 3;
  StartFlow(chara, flow);
  EXPECT_EQ(StageVar(1), 5);
  EXPECT_EQ(StageVar(2), 0);
  EXPECT_EQ(chara.vx, 3);
  EXPECT_EQ(flow.active, 0);
}

TEST_F(FlowRuntimeTest, ArrangeEntriesQueueForTheNextCommand) {
  g_SaveData.m_vVar[4] = 7;
  cEdCmd arrange = Command(kCmdArrange, 0, true);
  arrange.m_vParams = {kCmdStatus, 0, 0, 0, 4};  // both random bounds of the next status operation
  cEdCmd arrange2 = arrange;
  arrange2.m_vParams = {kCmdStatus, 1, 1, 0, 4};
  cEdCmd random = AddToStageVar(3, 0);
  random.m_vParams[6] = 1;
  cFlowState& flow = Install(Flow({arrange, arrange2, random}));
  StartFlow(chara, flow);
  RunFlow(chara, flow);
  EXPECT_EQ(StageVar(3), 7);
  EXPECT_TRUE(flow.arranges.empty());
  EXPECT_EQ(chara.def.m_vFlows[0].m_vCmds[2].m_vParams[8], 7);
  EXPECT_EQ(chara.def.m_vFlows[0].m_vCmds[2].m_vParams[9], 7);
}

TEST_F(FlowRuntimeTest, UnrunnableKindsDoNothing) {
  cEdCmd loop = Command(kCmdWait, 0);
  loop.m_nKind = kCmdLoop;
  cEdCmd negative = Command(kCmdWait, 0);
  negative.m_nKind = 200;
  cFlowState& flow = Install(Flow({AddToStageVar(1, 1)}));
  flow.entries[0].cmd = &loop;
  StartFlow(chara, flow);
  EXPECT_EQ(RunFlow(chara, flow), 1);
  flow.entries[0].cmd = &negative;
  StartFlow(chara, flow);
  EXPECT_EQ(RunFlow(chara, flow), 1);
  EXPECT_EQ(StageVar(1), 0);
}

TEST_F(FlowRuntimeTest, SetFlowListModesAndLoops) {
  cEdCmd loop = Command(kCmdWait, 0);
  loop.m_nKind = kCmdLoop;
  loop.m_vParams = {3, 1};
  SetFlowList(chara, {Flow({loop, Command(kCmdWait, 1)})}, kReplaceFlows, -1, 0);
  ASSERT_EQ(chara.flows.size(), 1u);
  EXPECT_EQ(chara.flows[0].entries.size(), 3u);
  SetFlowList(chara, {Flow({Command(kCmdFacing, 1)})}, kAddFlows, 0, 0);
  SetFlowList(chara, {Flow({Command(kCmdStatus, 1)})}, kAddFlows, 99, 0);
  ASSERT_EQ(chara.flows.size(), 3u);
  EXPECT_EQ(chara.flows[0].entries[0].cmd->m_nKind, kCmdFacing);
  EXPECT_EQ(chara.flows[1].entries.size(), 3u);
  EXPECT_EQ(chara.flows[2].entries[0].cmd->m_nKind, kCmdStatus);
  for (std::size_t i = 0; i < 3; ++i) EXPECT_EQ(chara.flows[i].index, static_cast<int>(i));
  EXPECT_NE(chara.flows[0].serial, chara.flows[1].serial);
  SetFlowList(chara, {Flow({})}, kReplaceFlows, -1, 0);
  EXPECT_EQ(chara.flows.size(), 1u);
}

class StageFlowTest : public testing::Test {
 protected:
  void SetUp() override { InstallCommands(); }

  static StageBuilder Counting() {
    StageBuilder builder(20, 15, 2, 10);
    cEdChara& counter = builder.Chara(5, 10);
    counter.m_vFlows = {Flow({AddToStageVar(1, 1), Command(kCmdWait, 1)})};
    return builder;
  }
};

TEST_F(StageFlowTest, AnAlwaysFlowRunsOnTheStageAndRestarts) {
  StageRun run(Counting());
  const int level = g_StageSpace.level;
  for (int frame = 0; frame < 14; ++frame) run.harness.Step(0, 0);
  // Each run: one sub-step of the status operation, 6 x level of the wait.
  const int runs = (14 * level + 6 * level) / (1 + 6 * level);
  EXPECT_EQ(run.harness.Scene().m_vStageVars[1], runs);
}

// A death flow runs when its character dies, as far as its first command
// that takes time; a dead character's flows are not stepped while its death
// plays out (the hero's lasts a second), so what follows never runs.
TEST_F(StageFlowTest, ADeathFlowStopsAtItsFirstWait) {
  StageBuilder builder(20, 15, 2, 10);
  builder.Hero().m_vFlows = {Flow({AddToStageVar(1, 1), Command(kCmdWait, 1), AddToStageVar(2, 1)}, kTriggerDied)};
  StageRun run(builder);
  g_SaveData.m_nLife = 3;
  run.harness.Hero()->hp = 0;
  run.harness.Step(0, 0);
  ASSERT_EQ(run.harness.Hero()->dead, 1);
  EXPECT_EQ(run.harness.Scene().m_vStageVars[1], 1);
  for (int frame = 0; frame < 50 && run.harness.Scene().Phase() == kPhasePlay; ++frame) run.harness.Step(0, 0);
  EXPECT_EQ(run.harness.Hero()->dead, 1);
  EXPECT_EQ(run.harness.Scene().m_vStageVars[1], 1);
  EXPECT_EQ(run.harness.Scene().m_vStageVars[2], 0);
  g_SaveData.Reset();
}

TEST_F(StageFlowTest, TwoRunsWithOneSeedHashAlike) {
  std::vector<std::uint64_t> hashes[2];
  for (auto& list : hashes) {
    StageRun run(Counting(), 11);
    for (int frame = 0; frame < 30; ++frame) {
      run.harness.Step(static_cast<std::uint16_t>(frame % 3), 0);
      list.push_back(run.harness.Hash());
    }
  }
  EXPECT_EQ(hashes[0], hashes[1]);
}

}  // namespace

namespace {

TEST(BeforeStageFlowTest, SetUpRunsTheHeroFirstThenEachCharacter) {
  InstallCommands();
  StageBuilder builder(20, 15, 2, 10);
  // Stage variable 1 := 1 by the hero, then 10 x itself by the character:
  // the order shows in the result.
  cEdCmd set = AddToStageVar(1, 1, 0, true);
  set.m_vParams[5] = 0;
  cEdCmd times = AddToStageVar(1, 10, 0, true);
  times.m_vParams[5] = 3;
  builder.Hero().m_vFlows = {Flow({set}, kTriggerBeforeStage)};
  builder.Chara(5, 10).m_vFlows = {Flow({times}, kTriggerBeforeStage)};
  StageRun run(builder);
  EXPECT_EQ(run.harness.Scene().m_vStageVars[1], 10);
}

}  // namespace

// Flow lists that change while their character's flows are being walked: a
// flow deleted from another character's flow that ran inside the walk, and
// the actor that nested trigger checks hand back to the walk, and a flow
// operation whose started flow changes the list it picked from.
#include <gtest/gtest.h>

#include "commands/flow_ops/flow_control.h"
#include "commands/flows/flow_install.h"
#include "commands/install.h"
#include "definitions/param_table.h"
#include "stage/chara/stage_chara.h"
#include "stage/chara/stage_lists.h"
#include "stage/scene/current_actor.h"
#include "tests/commands/command_builders.h"
#include "tests/stage/stage_fixture.h"

namespace {

cEdFlow Flow(std::initializer_list<cEdCmd> commands, int id, int trigger) {
  cEdFlow flow;
  flow.m_nId = static_cast<std::uint8_t>(id);
  flow.m_nTrigger = static_cast<std::uint8_t>(trigger);
  flow.m_vCmds = commands;
  return flow;
}

cEdCmd Instant(cEdCmd command) {
  command.m_bInstant = 1;
  return command;
}

class FlowRetirementTest : public testing::Test {
 protected:
  FlowRetirementTest() : run((InstallCommands(), BuildParamTable(), Stage())) {
    g_CharaList.ForEach([&](cStageChara& chara) { charas.push_back(&chara); });
  }
  static StageBuilder Stage() {
    StageBuilder builder(20, 15, 2, 10);
    builder.Chara(5, 10);
    builder.Chara(8, 10);
    return builder;
  }

  StageRun run;
  std::vector<cStageChara*> charas;
};

// A's running flow (ID 5) starts B's flow of trigger "ステージ開始前", which
// deletes A's flows of ID 5 at once: the running flow itself goes while A
// walks it. The rest of the walk must not write into the flow that took its
// place, nor into freed states.
TEST_F(FlowRetirementTest, AFlowDeletedDuringItsOwnWalkLeavesTheOthersAlone) {
  cStageChara& a = *charas[0];
  cStageChara& b = *charas[1];
  const cEdCmd startB = CharaCmd(kCmdFlowControl, {{0, kFlowOpStart}, {1, kScopeFlowId}, {2, 7}, {3, 1}});
  const cEdCmd deleteA = CharaCmd(kCmdFlowControl, {{0, kFlowOpDelete}, {1, kScopeFlowId}, {2, 5}, {3, 1}});
  SetFlowList(a,
              {Flow({Instant(startB), CharaCmd(kCmdWait, {})}, 5, kTriggerAlways),
               Flow({CharaCmd(kCmdWait, {})}, 6, kTriggerDamaged)},
              kReplaceFlows, -1, 1);
  SetFlowList(b, {Flow({Instant(deleteA)}, 7, kTriggerBeforeStage)}, kReplaceFlows, -1, 1);
  SetTarget(a, 0, &b, 1);
  SetTarget(b, 0, &a, 1);

  a.RunTriggeredFlows(kTriggerAlways, nullptr, 0);
  ASSERT_EQ(a.flows[0].active, 1);
  a.RunFlows(0);

  ASSERT_EQ(a.flows.size(), 1u);
  EXPECT_EQ(a.flows[0].flow->m_nId, 6);
  EXPECT_EQ(a.flows[0].active, 0);
  EXPECT_EQ(a.flows[0].progress, 0);
  EXPECT_EQ(a.flows[0].entries[0].remaining, 0);
  EXPECT_EQ(a.flows[0].entries[0].cmd, &a.def.m_vFlows[0].m_vCmds[0]);
}

// The same, deleting another flow of A: the running flow survives in the
// new list with what its step did (its instant entry done, its wait begun),
// so the instant entry does not run a second time.
TEST_F(FlowRetirementTest, TheRunningFlowKeepsItsStepWhenAnotherFlowIsDeleted) {
  cStageChara& a = *charas[0];
  cStageChara& b = *charas[1];
  const cEdCmd startB = CharaCmd(kCmdFlowControl, {{0, kFlowOpStart}, {1, kScopeFlowId}, {2, 7}, {3, 1}});
  const cEdCmd deleteA = CharaCmd(kCmdFlowControl, {{0, kFlowOpDelete}, {1, kScopeFlowId}, {2, 6}, {3, 1}});
  cEdCmd wait = CharaCmd(kCmdWait, {});
  wait.m_nTime = 1;
  SetFlowList(a, {Flow({CharaCmd(kCmdWait, {})}, 6, kTriggerDamaged), Flow({Instant(startB), wait}, 5, kTriggerAlways)},
              kReplaceFlows, -1, 1);
  SetFlowList(b, {Flow({Instant(deleteA)}, 7, kTriggerBeforeStage)}, kReplaceFlows, -1, 1);
  SetTarget(a, 0, &b, 1);
  SetTarget(b, 0, &a, 1);

  a.RunTriggeredFlows(kTriggerAlways, nullptr, 0);
  a.RunFlows(0);

  ASSERT_EQ(a.flows.size(), 1u);
  const cFlowState& flow = a.flows[0];
  EXPECT_EQ(flow.flow, &a.def.m_vFlows[0]);
  EXPECT_EQ(flow.active, 1);
  EXPECT_EQ(flow.entries[0].done, 1);
  EXPECT_EQ(flow.progress, 1);
  EXPECT_EQ(flow.stepCount, 1);
  EXPECT_EQ(flow.entries[1].remaining, flow.entries[1].duration - 1);
  EXPECT_EQ(flow.entries[1].cmd, &a.def.m_vFlows[0].m_vCmds[1]);
  EXPECT_TRUE(a.retiredFlows.empty());  // freed once the walk is over
}

// A trigger check run inside another character's walk gives the walk its
// actor back: the commands after it still know whose flow runs.
TEST_F(FlowRetirementTest, ANestedTriggerCheckHandsTheActorBack) {
  cStageChara& a = *charas[0];
  cStageChara& b = *charas[1];
  SetFlowList(a, {Flow({CharaCmd(kCmdWait, {})}, 1, kTriggerAlways)}, kReplaceFlows, -1, 1);
  SetFlowList(b, {Flow({CharaCmd(kCmdWait, {})}, 1, kTriggerDamaged)}, kReplaceFlows, -1, 1);
  g_CurrentActor.chara = &a;
  g_CurrentActor.flow = &a.flows[0];
  b.RunTriggeredFlows(kTriggerDamaged, nullptr, 0);
  EXPECT_EQ(b.flows[0].active, 1);
  EXPECT_EQ(g_CurrentActor.chara, &a);
  EXPECT_EQ(g_CurrentActor.flow, &a.flows[0]);
  g_CurrentActor.Clear();
}

}  // namespace

namespace {

// "フローの操作" starting B's flows of ID 7: the first one's run-through has
// C delete B's flow of ID 9 at once, so B's list shrinks before the second
// ID-7 flow is reached. That flow is still the one started.
TEST(FlowControlPicks, AFlowListChangedByAStartedFlowStillStartsThePickedFlows) {
  InstallCommands();
  BuildParamTable();
  StageBuilder builder(20, 15, 2, 10);
  builder.Chara(5, 10);
  builder.Chara(8, 10);
  builder.Chara(11, 10);
  StageRun run(builder);
  std::vector<cStageChara*> charas;
  g_CharaList.ForEach([&](cStageChara& chara) { charas.push_back(&chara); });
  cStageChara& a = *charas[0];
  cStageChara& b = *charas[1];
  cStageChara& c = *charas[2];
  const cEdCmd startC = CharaCmd(kCmdFlowControl, {{0, kFlowOpStart}, {1, kScopeFlowId}, {2, 3}, {3, 1}});
  const cEdCmd deleteB = CharaCmd(kCmdFlowControl, {{0, kFlowOpDelete}, {1, kScopeFlowId}, {2, 9}, {3, 1}});
  SetFlowList(b,
              {Flow({Instant(startC)}, 7, kTriggerBeforeStage), Flow({CharaCmd(kCmdWait, {})}, 9, kTriggerDamaged),
               Flow({CharaCmd(kCmdWait, {})}, 7, kTriggerDamaged)},
              kReplaceFlows, -1, 1);
  SetFlowList(c, {Flow({Instant(deleteB)}, 3, kTriggerBeforeStage)}, kReplaceFlows, -1, 1);
  SetTarget(a, 0, &b, 1);
  SetTarget(b, 0, &c, 1);
  SetTarget(c, 0, &b, 1);

  ControlFlows(a, CharaCmd(kCmdFlowControl, {{0, kFlowOpStart}, {1, kScopeFlowId}, {2, 7}, {3, 1}}));

  ASSERT_EQ(b.flows.size(), 2u);
  EXPECT_EQ(b.flows[1].flow->m_nId, 7);
  EXPECT_EQ(b.flows[1].active, 1);
  g_CurrentActor.Clear();
}

}  // namespace

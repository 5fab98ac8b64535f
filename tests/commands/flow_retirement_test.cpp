// Flow lists that change while their character's flows are being walked: a
// flow deleted from another character's flow that ran inside the walk, and
// the actor that nested trigger checks hand back to the walk, a flow
// operation whose started flow changes the list it picked from, and removed
// flows that free their flag letter as flows that end do.
#include <gtest/gtest.h>

#include "commands/flow_ops/flow_control.h"
#include "commands/flows/flow_install.h"
#include "commands/install.h"
#include "commands/items/change_flow.h"
#include "commands/items/item_commands.h"
#include "definitions/param_table.h"
#include "stage/chara/hero.h"
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

namespace {

// Two always-flows of a character sharing flag letter "a": the first (ID 5)
// runs and holds the letter, the second (ID 6) waits for it. A removed flow
// is ended first, so the letter is freed as when the flow ends by itself.
constexpr int kFirstId = 5;
constexpr int kSecondId = 6;
constexpr int kFrameLimit = 60;

cEdCmd Wait(int tenths) {
  cEdCmd wait = CharaCmd(kCmdWait, {});
  wait.m_nTime = static_cast<std::int16_t>(tenths);
  return wait;
}

cEdFlow LetterFlow(std::initializer_list<cEdCmd> commands, int id) {
  cEdFlow flow = Flow(commands, id, kTriggerAlways);
  flow.m_nFlag = 1;
  return flow;
}

// The first flow ends by itself after a wait of a tenth, for good, so that
// it does not take its letter again.
cEdFlow EndingFirst() {
  return LetterFlow({Wait(1), Instant(CharaCmd(kCmdFlowControl, {{0, kFlowOpStopForever}, {1, kScopeThisFlow}}))},
                    kFirstId);
}
cEdFlow LongFirst() { return LetterFlow({Wait(100)}, kFirstId); }

bool FlowActive(const cChara& chara, int id) {
  for (const cFlowState& state : chara.flows)
    if (state.active && !state.stoppedForGood && state.flow->m_nId == id) return true;
  return false;
}

class RemovedFlowsTest : public testing::Test {
 protected:
  RemovedFlowsTest() {
    InstallCommands();
    BuildParamTable();
  }

  // The stage: a floor, an acting character (placed first, so it steps
  // before the owner) and the owner of the two flows.
  static StageBuilder Stage(const cEdFlow& first, bool heroOwns) {
    StageBuilder builder(20, 15, 2, 10);
    for (int column = 0; column < 20; ++column) builder.Block(column, 11);
    builder.Chara(5, 10);
    const cVector<cEdFlow> flows{first, LetterFlow({Wait(100)}, kSecondId)};
    if (heroOwns) builder.Hero().m_vFlows = flows;
    else builder.Chara(8, 10).m_vFlows = flows;
    return builder;
  }
  static cChara* Owner(StageRun& run, bool heroOwns) {
    return heroOwns ? static_cast<cChara*>(run.harness.Hero()) : run.harness.CharaBySerial(2);
  }

  // The frame in which the second flow starts (past the limit when it never
  // does); `act` runs before the step of frame `actAt`.
  template <typename Act>
  static int SecondStart(const StageBuilder& builder, bool heroOwns, int actAt, Act act) {
    StageRun run(builder);
    cChara* owner = Owner(run, heroOwns);
    for (int frame = 1; frame <= kFrameLimit; ++frame) {
      if (frame == actAt) act(run, *owner);
      run.harness.Step(0, 0);
      if (FlowActive(*owner, kSecondId)) return frame;
    }
    return kFrameLimit + 1;
  }
  // The frame in which the first flow ends by itself, and the one in which
  // the second then starts.
  static std::pair<int, int> EndedByItself(bool heroOwns) {
    StageRun run(Stage(EndingFirst(), heroOwns));
    cChara* owner = Owner(run, heroOwns);
    int ended = 0;
    for (int frame = 1; frame <= kFrameLimit; ++frame) {
      run.harness.Step(0, 0);
      if (ended == 0 && !FlowActive(*owner, kFirstId)) ended = frame;
      if (FlowActive(*owner, kSecondId)) return {ended, frame};
    }
    return {ended, kFrameLimit + 1};
  }
};

TEST_F(RemovedFlowsTest, AnItemsFlowChangeFreesTheRemovedFlowsLetter) {
  const auto [ended, started] = EndedByItself(true);
  ASSERT_LE(started, kFrameLimit);
  const auto change = [](int mode, int id) {
    return [mode, id](StageRun&, cChara& hero) {
      cEdCmd command = ItemCmd(kItemCmdChangeFlow, {{0, mode}, {1, id}});
      command.m_vFlows = {LetterFlow({Wait(100)}, kSecondId)};
      cVector<cEdCmd> commands{command};
      RunItemCmds(hero, commands);
    };
  };
  EXPECT_LE(SecondStart(Stage(LongFirst(), true), true, ended, change(kFlowChangeRemove, kFirstId)), started);
  // ID 0 replaces every flow: the new one waits for the letter as well.
  EXPECT_LE(SecondStart(Stage(LongFirst(), true), true, ended, change(kFlowChangeReplace, 0)), started);
}

TEST_F(RemovedFlowsTest, AFlowDeletingItselfFreesItsLetter) {
  const auto [ended, started] = EndedByItself(false);
  ASSERT_LE(started, kFrameLimit);
  const cEdCmd deleteSelf = CharaCmd(kCmdFlowControl, {{0, kFlowOpDelete}, {1, kScopeThisFlow}});
  const cEdFlow first = LetterFlow({Wait(1), Instant(deleteSelf), Wait(100)}, kFirstId);
  EXPECT_LE(SecondStart(Stage(first, false), false, 0, [](StageRun&, cChara&) {}), started);
}

TEST_F(RemovedFlowsTest, AFlowDeletedByAnotherCharacterFreesItsLetter) {
  const auto [ended, started] = EndedByItself(false);
  ASSERT_LE(started, kFrameLimit);
  const cEdCmd deleteFirst = CharaCmd(kCmdFlowControl, {{0, kFlowOpDelete}, {1, kScopeFlowId}, {2, kFirstId}, {3, 1}});
  StageBuilder builder = Stage(LongFirst(), false);
  builder.stage.m_vChara[1].m_vFlows = {Flow({Wait(1), Instant(deleteFirst), Wait(100)}, 1, kTriggerAlways)};
  const auto aim = [](StageRun& run, cChara& owner) { SetTarget(*run.harness.CharaBySerial(1), 0, &owner, 1); };
  EXPECT_LE(SecondStart(builder, false, 1, aim), started);
}

}  // namespace

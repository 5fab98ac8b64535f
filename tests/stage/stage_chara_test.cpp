// The stage character on hand-made stages: the step codes and what the
// frame step does with them, waking up by the screen, a wake-up group or a
// jump, the idle pattern, keeping pace with the auto-scroll, a flow loop
// that ends when HP reaches 0, and the conditions on a character's own
// state.
#include <gtest/gtest.h>

#include <algorithm>

#include "definitions/condition_records.h"
#include "stage/chara/flow_runtime_slot.h"
#include "stage/chara/hero.h"
#include "stage/chara/stage_chara.h"
#include "stage/chara/stage_lists.h"
#include "stage/chara/state_conditions.h"
#include "stage/core/stage_rules.h"
#include "stage/objects/stage_space.h"
#include "stage/scene/condition_lists.h"
#include "tests/stage/stage_fixture.h"

namespace {

constexpr int kEverywhere = 3;  // active range "全範囲": always seen

cEdChara& ActiveChara(StageBuilder& builder, int column, int row, int flight = 0) {
  cEdChara& chara = builder.Chara(column, row);
  chara.m_nActiveRange = kEverywhere;
  chara.m_nFlight = static_cast<std::uint8_t>(flight);
  return chara;
}

bool Heard(const cStageHarness& harness, int sound) {
  const auto& sounds = harness.Sounds();
  return std::find(sounds.begin(), sounds.end(), sound) != sounds.end();
}

void PutAtBottomEdge(cStageChara& chara) {
  chara.y = g_StageSpace.y.size - chara.hitHeight - 1;
  chara.ClampY();
}

TEST(StageCharaSteps, CodesAtTheStageEdges) {
  StageBuilder builder(30, 10, 2, 4);
  ActiveChara(builder, 10, 4);
  ActiveChara(builder, 12, 4, 1);
  StageRun run(builder);
  cStageChara& walker = *run.harness.CharaBySerial(1);
  cStageChara& flyer = *run.harness.CharaBySerial(2);

  PutAtBottomEdge(walker);
  walker.vy = 3;
  EXPECT_EQ(walker.StepY(), 7);  // bottom edge (6) while walking: fell out
  walker.y = 400;
  walker.vy = 0;
  walker.ClampY();
  EXPECT_EQ(walker.StepY(), 0);

  PutAtBottomEdge(flyer);
  flyer.cmdSpeedY = 4;
  EXPECT_EQ(flyer.StepY(), 8);  // a floating one at the bottom edge
  flyer.y = 1;
  flyer.vy = 0;
  flyer.cmdSpeedY = -4;
  EXPECT_EQ(flyer.StepY(), 8);  // and at the top edge

  walker.x = g_StageSpace.x.size - walker.hitWidth - 1;
  walker.vx = 0;
  walker.cmdSpeedX = 4;
  EXPECT_EQ(walker.StepX(), 4);  // a stage edge sideways
  EXPECT_EQ(walker.x, g_StageSpace.x.size - walker.hitWidth);
}

TEST(StageCharaSteps, FrameStepKillsAFallenWalkerAndRemovesAFlyerAtTheEdge) {
  StageBuilder builder(30, 10, 2, 4);
  ActiveChara(builder, 10, 4);
  ActiveChara(builder, 12, 4, 1);
  ActiveChara(builder, 14, 4, 1);
  StageRun run(builder);
  cStageChara& walker = *run.harness.CharaBySerial(1);
  cStageChara& flyer = *run.harness.CharaBySerial(2);
  cStageChara& sideways = *run.harness.CharaBySerial(3);
  PutAtBottomEdge(walker);
  walker.vy = 3;
  PutAtBottomEdge(flyer);
  flyer.cmdSpeedY = 4;
  run.harness.Step(0, 0);
  EXPECT_EQ(walker.dead, 1);  // code 7 is deadly: its death plays out
  EXPECT_TRUE(Heard(run.harness, 9));
  EXPECT_EQ(flyer.removed, 1);  // code 8 removes it at once

  run.harness.ClearRecords();
  sideways.x = g_StageSpace.x.size - sideways.hitWidth - 1;
  sideways.cmdSpeedX = 4;
  run.harness.Step(0, 0);
  EXPECT_EQ(run.harness.CharaBySerial(3), nullptr);  // code 4: removed
  EXPECT_FALSE(Heard(run.harness, 9));
}

TEST(StageCharaActivation, ScreenGroupFlagAirborneAndJumpWakeCharacters) {
  StageBuilder builder(60, 10, 2, 4);
  cEdChara& caller = builder.Chara(8, 4);  // on the screen: raises group 3
  caller.m_bGroup = 1;
  caller.m_nGroupNo = 3;
  cEdChara& woken = builder.Chara(40, 4);  // far off the screen, group 3
  woken.m_bGroup = 1;
  woken.m_nGroupNo = 3;
  woken.m_nRangeRule = 1;
  cEdChara& asleep = builder.Chara(42, 4);  // group 4: nobody raises it
  asleep.m_bGroup = 1;
  asleep.m_nGroupNo = 4;
  cEdChara& badGroup = builder.Chara(44, 4);  // a group past the scene's flags
  badGroup.m_bGroup = 1;
  badGroup.m_nGroupNo = 500;
  builder.Chara(46, 4);                       // airborne walker
  builder.Chara(48, 4).m_nFlight = 1;         // airborne flyer
  StageRun run(builder);
  run.harness.CharaBySerial(5)->airborne = 1;
  run.harness.CharaBySerial(6)->airborne = 1;
  run.harness.Step(0, 0);
  cStageScene& scene = run.harness.Scene();
  EXPECT_EQ(scene.m_vWakeGroups[3], 1);
  EXPECT_EQ(run.harness.CharaBySerial(1)->seen, 1);
  const cStageChara& woke = *run.harness.CharaBySerial(2);
  EXPECT_EQ(woke.seen, 1);  // rule 1: seen on both axes from its activation on
  EXPECT_EQ(woke.awake, 1);
  EXPECT_EQ(woke.activated, 1);
  EXPECT_EQ(woke.ignoreScreenX, 1);  // rule 1: seen on both axes for good
  EXPECT_EQ(run.harness.CharaBySerial(3)->awake, 0);
  EXPECT_EQ(run.harness.CharaBySerial(4)->awake, 0);
  EXPECT_EQ(run.harness.CharaBySerial(5)->awake, 1);
  EXPECT_EQ(run.harness.CharaBySerial(6)->awake, 0);

  // The caller leaves; the woken one stays seen and keeps its group raised.
  run.harness.CharaBySerial(1)->x = 50 * 32;
  run.harness.Step(0, 0);
  EXPECT_EQ(run.harness.CharaBySerial(1)->seen, 0);
  EXPECT_EQ(scene.m_vWakeGroups[3], 1);
  EXPECT_EQ(run.harness.CharaBySerial(2)->seen, 1);
  EXPECT_EQ(run.harness.CharaBySerial(2)->awake, 1);

  // One that has acted before keeps acting through its jump off the screen.
  cStageChara& jumper = *run.harness.CharaBySerial(3);
  jumper.jumping = 1;
  run.harness.Step(0, 0);
  EXPECT_EQ(jumper.awake, 0);  // never activated
  jumper.activated = 1;
  run.harness.Step(0, 0);
  EXPECT_EQ(jumper.awake, 1);
}

TEST(StageCharaFlows, IdlePatternAndPaceWithTheAutoScroll) {
  StageBuilder builder(60, 10, 2, 4);
  builder.stage.AutoScrollX = 1;
  builder.stage.AutoScrollSpeedX = 20;  // two dots a frame at level 1
  ActiveChara(builder, 8, 2, 1).m_bScrollSync = 1;
  ActiveChara(builder, 10, 2, 1);
  StageRun run(builder);
  cStageChara& synced = *run.harness.CharaBySerial(1);
  cStageChara& still = *run.harness.CharaBySerial(2);
  const double syncedX = synced.x;
  const double stillX = still.x;
  const double scroll = g_StageSpace.scrollX.position;
  for (int i = 0; i < 5; ++i) run.harness.Step(0, 0);
  EXPECT_DOUBLE_EQ(synced.x - syncedX, g_StageSpace.scrollX.position - scroll);
  EXPECT_DOUBLE_EQ(synced.x - syncedX, 10.0);
  EXPECT_EQ(still.x, stillX);
  EXPECT_EQ(still.anime.Pattern(), 2);  // idle and floating
}

TEST(StageCharaFlows, SynchronisationSwitchedOffLeavesTheCharacterBehind) {
  StageBuilder builder(60, 10, 2, 4);
  builder.stage.AutoScrollX = 1;
  builder.stage.AutoScrollSpeedX = 20;
  ActiveChara(builder, 8, 2, 1).m_bScrollSync = 1;
  StageRun run(builder);
  g_StageRules.noScrollSync = 1;
  cStageChara& synced = *run.harness.CharaBySerial(1);
  const double syncedX = synced.x;
  for (int i = 0; i < 5; ++i) run.harness.Step(0, 0);
  g_StageRules.noScrollSync = 0;
  EXPECT_EQ(synced.x, syncedX);
}

int g_RunCalls = 0;
int DrainHp(cChara& chara, cFlowState&) {
  ++g_RunCalls;
  chara.hp = 0;
  return 0;
}

TEST(StageCharaFlows, HpZeroEndsTheFlowLoopUnlessDying) {
  StageBuilder builder(30, 10, 2, 4);
  cEdChara& definition = ActiveChara(builder, 10, 4);
  definition.m_vFlows.resize(3);
  definition.m_vFlows[2].m_nTrigger = kTriggerDied;
  StageRun run(builder);
  cStageChara& chara = *run.harness.CharaBySerial(1);
  const auto saved = g_FlowRuntime.runFlow;
  g_FlowRuntime.runFlow = DrainHp;
  for (cFlowState& state : chara.flows) {
    state.active = 1;
    state.entries.resize(1);
  }
  g_RunCalls = 0;
  EXPECT_EQ(chara.RunFlows(0), 1);
  EXPECT_EQ(g_RunCalls, 1);  // the second flow never ran
  g_RunCalls = 0;
  EXPECT_EQ(chara.RunFlows(1), 1);
  EXPECT_EQ(g_RunCalls, 1);  // dying: only the death flow runs, to its end
  g_FlowRuntime.runFlow = saved;
}

TEST(StageCharaErase, ReleasesLinksLeavesItsGroupListAndIsGoneForLookups) {
  StageBuilder builder(30, 10, 2, 4);
  ActiveChara(builder, 10, 4).m_nFaction = 2;
  ActiveChara(builder, 12, 4);
  StageRun run(builder);
  cStageChara& gone = *run.harness.CharaBySerial(1);
  cStageChara& holder = *run.harness.CharaBySerial(2);
  cHero& hero = *run.harness.Hero();
  holder.SetParent(&gone);
  SetTarget(holder, 1, &gone, 1);
  SetTarget(hero, 3, &gone, 1);
  cStageScene& scene = run.harness.Scene();
  auto& group = scene.m_GroupLists[2];
  ASSERT_NE(std::find(group.begin(), group.end(), &gone), group.end());
  const std::size_t count = g_CharaList.Count();

  scene.RemoveChara(gone);
  EXPECT_EQ(holder.targets[1], nullptr);
  EXPECT_EQ(holder.targets[0], &hero);  // the hero link stays
  EXPECT_EQ(hero.targets[3], nullptr);
  EXPECT_EQ(holder.parent, nullptr);
  EXPECT_EQ(std::find(group.begin(), group.end(), &gone), group.end());
  EXPECT_EQ(g_CharaList.Count(), count - 1);
  EXPECT_EQ(FindCharaById(1), nullptr);
  scene.RemoveChara(gone);  // a second erase changes nothing
  EXPECT_EQ(g_CharaList.Count(), count - 1);
  run.harness.Step(0, 0);
  EXPECT_EQ(run.harness.CharaBySerial(1), nullptr);
  EXPECT_EQ(run.harness.CharaBySerial(2), &holder);
}

cCond StateCond(int kind, int object, int item, int compare, int value = 0) {
  cCond cond;
  cond.m_nKind = static_cast<std::uint8_t>(kind);
  cond.m_nLeftObject = static_cast<std::uint8_t>(object);
  cond.m_nLeftItem = static_cast<std::uint8_t>(item);
  cond.m_nCompare = static_cast<std::uint8_t>(compare);
  cond.m_nLeftIndex = static_cast<std::int16_t>(value);
  return cond;
}

bool Holds(cCond cond, cChara& subject) { return TestCondition(cond, subject) != 0; }

TEST(StateConditions, SpecialStatusesOfTheCharacterTargetsAndSystem) {
  StageBuilder builder(30, 10, 2, 4);
  builder.stage.AutoScrollSpeedX = -15;
  cEdChara& definition = ActiveChara(builder, 10, 4);
  definition.m_nSize = 2;
  definition.m_nInvincible = 1;
  StageRun run(builder);
  cStageChara& chara = *run.harness.CharaBySerial(1);
  EXPECT_TRUE(Holds(StateCond(kCondStatus2, kObjectSelf, kSpecialSize, 2, 2), chara));   // >= 2
  EXPECT_FALSE(Holds(StateCond(kCondStatus2, kObjectSelf, kSpecialSize, 4, 2), chara));  // > 2
  EXPECT_TRUE(Holds(StateCond(kCondStatus2, kObjectSelf, kSpecialInvincible, 0, 1), chara));
  EXPECT_TRUE(Holds(StateCond(kCondStatus2, kObjectSelf, kSpecialFlight, 0, 0), chara));
  EXPECT_TRUE(Holds(StateCond(kCondStatus2, kObjectSystem, 0, 0, -15), chara));  // horizontal scroll speed
  EXPECT_FALSE(Holds(StateCond(kCondStatus2, kObjectSystem, 2, 0, 0), chara));   // no third system status
  EXPECT_FALSE(Holds(StateCond(kCondStatus2, kObjectSelf, 7, 0, 0), chara));     // no eighth special status
  EXPECT_FALSE(Holds(StateCond(kCondStatus2, kObjectTarget1 + 1, kSpecialSize, 1, 5), chara));  // empty slot
  chara.targets[1] = run.harness.Hero();
  EXPECT_TRUE(Holds(StateCond(kCondStatus2, kObjectTarget1 + 1, kSpecialSize, 0, 1), chara));
}

TEST(StateConditions, FacingBlockScreenAndExistence) {
  StageBuilder builder(60, 10, 2, 4);
  for (int column = 0; column < 60; ++column) builder.Block(column, 5);
  ActiveChara(builder, 10, 4).m_nFacing = 1;
  builder.Chara(40, 2);  // off the screen, asleep in the air
  StageRun run(builder);
  cStageChara& chara = *run.harness.CharaBySerial(1);
  cStageChara& far = *run.harness.CharaBySerial(2);
  for (int i = 0; i < 10; ++i) run.harness.Step(0, 0);  // lands on the floor
  EXPECT_FALSE(Holds(StateCond(kCondStatus3, kObjectSelf, kStateFacingLeft, 0), chara));
  EXPECT_TRUE(Holds(StateCond(kCondStatus3, kObjectSelf, kStateFacingRight, 0), chara));
  EXPECT_TRUE(Holds(StateCond(kCondStatus3, kObjectSelf, kStateFacingLeft, 1), chara));  // "でない"
  EXPECT_TRUE(Holds(StateCond(kCondStatus3, kObjectSelf, kStateOnBlock, 0), chara));
  EXPECT_TRUE(Holds(StateCond(kCondStatus3, kObjectSelf, kStateOnScreen, 0), chara));
  EXPECT_TRUE(Holds(StateCond(kCondStatus3, kObjectSelf, kStateExists, 0), chara));

  chara.targets[0] = &far;
  far.falling = 1;  // long in the air
  EXPECT_FALSE(Holds(StateCond(kCondStatus3, kObjectTarget1, kStateOnBlock, 0), chara));
  EXPECT_FALSE(Holds(StateCond(kCondStatus3, kObjectTarget1, kStateOnScreen, 0), chara));
  EXPECT_TRUE(Holds(StateCond(kCondStatus3, kObjectTarget1, kStateExists, 0), chara));

  // An empty slot: it exists nowhere and is in no other state either.
  EXPECT_TRUE(Holds(StateCond(kCondStatus3, kObjectTarget1 + 2, kStateExists, 1), chara));
  EXPECT_FALSE(Holds(StateCond(kCondStatus3, kObjectTarget1 + 2, kStateFacingLeft, 1), chara));
  EXPECT_FALSE(Holds(StateCond(kCondStatus3, kObjectSelf, 5, 0), chara));  // no sixth state
}

}  // namespace

TEST(StageCharaErase, LeavesTheGroupItJoinedEvenAfterItsSideChanged) {
  StageBuilder builder(30, 10, 2, 4);
  ActiveChara(builder, 10, 4).m_nFaction = 2;
  StageRun run(builder);
  cStageChara& turned = *run.harness.CharaBySerial(1);
  cStageScene& scene = run.harness.Scene();
  turned.side = 3;  // joined group 2, now counts for side 3

  scene.RemoveChara(turned);
  for (const auto& group : scene.m_GroupLists) EXPECT_EQ(std::find(group.begin(), group.end(), &turned), group.end());
  run.harness.Step(0, 0);  // the contact passes walk the groups after the purge
}

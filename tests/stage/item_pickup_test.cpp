// The hero taking items on hand-made stages: an item that stays is taken
// once while the hero stands on it and again after it has left, trigger 8
// fires on every frame of contact, an item taken once goes, one that can
// never be taken is not even touched, the results of an item's commands
// end the stage or kill the hero, and a defeated character's drop item
// that brings the hero down kills it only at the hero's next death check.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "definitions/flow_record.h"
#include "stage/chara/flow_runtime_slot.h"
#include "stage/chara/hero.h"
#include "stage/chara/stage_chara.h"
#include "stage/chara/stage_lists.h"
#include "stage/items/stage_item.h"
#include "stage/scene/stage_hooks.h"
#include "tests/stage/stage_fixture.h"

namespace {

int g_ItemRuns = 0;
int g_ItemResult = 0;
int g_ItemTouchFlows = 0;

int CountItemRun(cChara& hero, cVector<cEdCmd>&) {
  ++g_ItemRuns;
  if (g_ItemResult == 2) hero.hp = 0;
  return g_ItemResult;
}

void CountTouchFlow(cChara&, cFlowState& state) {
  if (state.flow->m_nTrigger == kTriggerHitItem) ++g_ItemTouchFlows;
}

// Item commands and flow starts counted; the slots put back afterwards.
class ItemPickupTest : public testing::Test {
 protected:
  void SetUp() override {
    saved = g_FlowRuntime;
    g_FlowRuntime.runItemCmds = CountItemRun;
    g_FlowRuntime.startFlow = CountTouchFlow;
    g_ItemRuns = g_ItemResult = g_ItemTouchFlows = 0;
    for (int column = 0; column < 30; ++column) builder.Block(column, 5);
    cEdFlow touched;
    touched.m_nTrigger = kTriggerHitItem;
    builder.Hero().m_vFlows.push_back(touched);
  }
  void TearDown() override { g_FlowRuntime = saved; }

  cEdItem& Item(int column, int taking) {
    cEdItem item;
    item.m_nColumn = static_cast<std::int16_t>(column);
    item.m_nRow = 4;
    item.m_nGraphicNo = 1;
    item.m_nTaking = static_cast<std::uint8_t>(taking);
    item.m_nSoundNo = 3;
    builder.stage.m_vItem.push_back(item);
    return builder.stage.m_vItem.back();
  }
  void Begin() { run = std::make_unique<StageRun>(builder); }
  void Steps(int n) {
    for (int i = 0; i < n; ++i) run->harness.Step(0, 0);
  }
  cEdChara& ActiveChara(int column, int row) {
    cEdChara& chara = builder.Chara(column, row);
    chara.m_nActiveRange = 3;
    return chara;
  }
  void MoveHeroTo(int column) {
    cHero& hero = *run->harness.Hero();
    hero.SetBlockPosX(column);
  }

  FlowRuntimeSlot saved;
  StageBuilder builder{30, 10, 2, 4};
  std::unique_ptr<StageRun> run;
};

TEST_F(ItemPickupTest, StayingItemIsTakenOnceAndAgainAfterLeavingWithTriggerEightEveryFrame) {
  Item(2, kTakeAgain);
  Begin();
  Steps(5);
  EXPECT_EQ(g_ItemRuns, 1);
  EXPECT_EQ(g_ItemTouchFlows, 5);
  EXPECT_EQ(g_ItemList.Count(), 1u);
  const auto& sounds = run->harness.Sounds();
  EXPECT_EQ(std::count(sounds.begin(), sounds.end(), 16 + 3), 1);

  MoveHeroTo(8);
  Steps(2);
  EXPECT_EQ(g_ItemTouchFlows, 5);
  MoveHeroTo(2);
  Steps(1);
  EXPECT_EQ(g_ItemRuns, 2);
}

TEST_F(ItemPickupTest, ItemTakenOnceGoesAndAnUntakableOneIsNeverTouched) {
  Item(2, kTakeOnce);
  Item(2, kTakeNever);
  Item(2, kTakeAgain).m_nGraphicNo = 0;  // without a graphic: never taken
  Begin();
  Steps(3);
  EXPECT_EQ(g_ItemRuns, 1);
  EXPECT_EQ(g_ItemTouchFlows, 1);
  EXPECT_EQ(g_ItemList.Count(), 2u);
}

TEST_F(ItemPickupTest, ItemResultsEndTheStageOrKillTheHero) {
  Item(2, kTakeOnce);
  Item(2, kTakeOnce);
  g_ItemResult = 1;
  Begin();
  EXPECT_EQ(run->harness.Step(0, 0), FrameEnd::PhaseChanged);
  EXPECT_EQ(run->harness.Scene().Phase(), kPhaseStageEnd);
  EXPECT_EQ(g_ItemRuns, 1);  // the first result stops the pass

  g_ItemResult = 2;
  g_ItemRuns = 0;
  run.reset();
  Begin();
  run->harness.Step(0, 0);
  EXPECT_EQ(run->harness.Hero()->dead, 1);
  EXPECT_EQ(g_ItemRuns, 1);
}

TEST_F(ItemPickupTest, TwoStayingItemsWithOneGraphicAreTakenEachOnce) {
  Item(2, kTakeAgain);
  Item(2, kTakeAgain);  // same graphic, same cell: still two items
  Begin();
  Steps(3);
  EXPECT_EQ(g_ItemRuns, 2);
}

TEST_F(ItemPickupTest, DropItemThatDownsTheHeroKillsItAtTheNextCheckNotInsideTheDeath) {
  ActiveChara(10, 4);
  Begin();
  cStageChara& chara = *run->harness.CharaBySerial(1);
  cEdItem definition;
  definition.m_nGraphicNo = 1;
  chara.dropItem.SetFromDef(definition, 99, 0);
  g_ItemResult = 2;
  cHero& hero = *run->harness.Hero();
  EXPECT_EQ(chara.KillChara(), 0);
  EXPECT_EQ(g_ItemRuns, 1);
  EXPECT_EQ(chara.dead, 1);
  EXPECT_EQ(hero.hp, 0);
  EXPECT_EQ(hero.dead, 0);  // not inside the character's death
  run->harness.Scene().m_bHpCheck = 1;
  run->harness.Step(0, 0);
  EXPECT_EQ(hero.dead, 1);
}

}  // namespace

namespace {

// Items and characters under a hero pushed back and forth for 600 frames:
// the per-frame hashes of two runs match, also when the heap was stirred
// first (nothing may depend on where objects live).
std::vector<std::uint64_t> PlayPickups(const StageBuilder& builder, bool stirHeap) {
  std::vector<std::unique_ptr<char[]>> stir;
  if (stirHeap) stir = StirHeap();
  StageRun run(builder, 99);
  std::vector<std::uint64_t> hashes;
  for (int frame = 0; frame < 600; ++frame) {
    run.harness.Hero()->cmdSpeedX = (frame / 100) % 2 == 0 ? 1.5 : -1.5;
    run.harness.Step(0, 0);
    hashes.push_back(run.harness.Hash());
  }
  return hashes;
}

TEST_F(ItemPickupTest, PickUpsAndCharactersPlayTheSameOnEveryRun) {
  for (int column = 3; column < 20; column += 2) Item(column, column % 3 == 0 ? kTakeAgain : kTakeOnce);
  ActiveChara(12, 2).m_nFlight = 0;
  ActiveChara(16, 3).m_nFlight = 1;
  g_ItemResult = 0;
  const auto first = PlayPickups(builder, false);
  const int runs = g_ItemRuns;
  EXPECT_GT(runs, 6);
  EXPECT_EQ(PlayPickups(builder, false), first);
  EXPECT_EQ(PlayPickups(builder, true), first);
  EXPECT_EQ(g_ItemRuns, 3 * runs);
}

}  // namespace

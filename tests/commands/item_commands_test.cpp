// Item command lists on the hero: the results 0, 1 and 2, bindings queued by
// "アレンジ" and carried to the next item, bindings that stay in the list
// they changed (a stage item's own, the attempt's working copy of a palette
// entry) while the palette stays unchanged, the stage result of a nested
// "アイテムの取得", the nesting limit of items that take items, and
// "フローの変更" with the hero's deferred queue; items taken on the stage and
// dropped by a defeated character run their lists.
#include <gtest/gtest.h>

#include "commands/install.h"
#include "commands/items/change_flow.h"
#include "commands/items/get_item.h"
#include "commands/items/item_commands.h"
#include "definitions/param_table.h"
#include "definitions/stage/stage_record.h"
#include "stage/chara/hero.h"
#include "stage/chara/stage_chara.h"
#include "stage/chara/stage_lists.h"
#include "stage/items/stage_item.h"
#include "stage/scene/current_actor.h"
#include "tests/commands/command_builders.h"
#include "tests/stage/stage_fixture.h"

namespace {

constexpr int kStatusItemKind = kCmdStatus - kItemKindOffset;

// "ステータスの操作" adding n to stage variable `index`.
cEdCmd AddToStageVar(int index, int n) {
  return ItemCmd(kStatusItemKind, {{0, 1}, {1, 1}, {2, index}, {5, 1}, {7, n}});
}
// "ステータスの操作" setting the hero's HP.
cEdCmd SetHeroHp(int hp) { return ItemCmd(kStatusItemKind, {{3, 0}, {4, 1}, {5, 0}, {7, hp}}); }

cEdFlow Flow(int id) {
  cEdFlow flow;
  flow.m_nId = static_cast<std::uint8_t>(id);
  flow.m_vCmds.push_back(CharaCmd(kCmdWait));
  return flow;
}

class ItemCommandsTest : public testing::Test {
 protected:
  ItemCommandsTest() : run((InstallCommands(), BuildParamTable(), Stage())) {
    hero = run.harness.Hero();
    scene = &run.harness.Scene();
    scene->m_vStageVars.resize(10);
  }
  static StageBuilder Stage() {
    StageBuilder builder(20, 15, 2, 10);
    builder.Chara(5, 10);
    builder.stage.m_vBackground.resize(3);
    builder.stage.m_vPaletteItem.resize(4);
    return builder;
  }
  int Var(int index) { return scene->m_vStageVars[index]; }
  int Run(cVector<cEdCmd> list) { return RunItemCmds(*hero, list); }

  StageRun run;
  cHero* hero = nullptr;
  cStageScene* scene = nullptr;
};

TEST_F(ItemCommandsTest, ResultsStopTheListWhenTheHeroIsDown) {
  hero->def.m_nMaxHp = 10;
  hero->hp = 10;
  EXPECT_EQ(Run({AddToStageVar(1, 1), AddToStageVar(1, 1)}), kItemRanAll);
  EXPECT_EQ(Var(1), 2);
  EXPECT_EQ(Run({SetHeroHp(0), AddToStageVar(1, 1)}), kItemHeroDown);
  EXPECT_EQ(Var(1), 2);  // nothing after the command that took the HP
  EXPECT_EQ(Run({}), kItemHeroDown);  // a hero without HP at the end
  hero->hp = 5;
  EXPECT_EQ(Run({ItemCmd(kCmdStageClear - kItemKindOffset), AddToStageVar(1, 1)}), kItemClearedStage);
  EXPECT_EQ(Var(1), 2);  // the list stops at the clear
  hero->hp = 5;
  cEdCmd unknown = ItemCmd(0);
  unknown.m_nKind = 40;  // past the table: nothing
  EXPECT_EQ(Run({unknown, ItemCmd(kCmdLoop - kItemKindOffset)}), kItemRanAll);
}

TEST_F(ItemCommandsTest, ANestedTakeStoresItsResultAsTheStageResultAndTheListGoesOn) {
  hero->hp = 5;
  g_PlayStage.m_vPaletteItem[1].m_vCmds = {ItemCmd(kCmdStageClear - kItemKindOffset)};
  g_PlayStage.m_vPaletteItem[2].m_vCmds = {AddToStageVar(2, 1)};
  EXPECT_EQ(Run({ItemCmd(kCmdTakeItem - kItemKindOffset, {{0, 1}, {1, 1}}), AddToStageVar(1, 1)}), kItemRanAll);
  EXPECT_EQ(scene->m_nStageResult, kItemClearedStage);
  EXPECT_EQ(Var(1), 1);  // the outer list went on
  EXPECT_EQ(Run({ItemCmd(kCmdTakeItem - kItemKindOffset, {{0, 1}, {1, 2}})}), kItemRanAll);
  EXPECT_EQ(scene->m_nStageResult, kItemRanAll);  // a result of 0 is stored too
  EXPECT_EQ(Var(2), 1);
}

// Binds "背景の変更"'s layer number to stage variable 4.
cEdCmd BindLayerToVar4() {
  return ItemCmd(kCmdArrange - kItemKindOffset, {{0, kCmdBackground}, {1, 0}, {2, 0}, {3, 1}, {4, 4}});
}
// "背景の変更" hiding layer `number` (from 1).
cEdCmd HideLayer(int number) { return ItemCmd(kCmdBackground - kItemKindOffset, {{0, number}, {1, 1}}); }

TEST_F(ItemCommandsTest, ABindingStaysInTheAttemptsCopyOfAPaletteEntryAndNeverChangesThePalette) {
  scene->m_vStageVars[4] = 2;
  EXPECT_EQ(Run({AddToStageVar(1, 1), BindLayerToVar4()}), kItemRanAll);
  EXPECT_EQ(hero->itemArranges.size(), 1u);  // still queued after its item
  cEdItem& item = g_PlayStage.m_vPaletteItem[1];
  item.m_vCmds.push_back(HideLayer(1));
  const cEdCmd take = ItemCmd(kCmdTakeItem - kItemKindOffset, {{0, 1}, {1, 1}});
  EXPECT_EQ(GetItem(take), kItemRanAll);
  EXPECT_EQ(g_PlayStage.m_vBackground[1].Show, 0u);  // layer 2 of the binding hidden
  EXPECT_EQ(g_PlayStage.m_vBackground[0].Show, 1u);
  EXPECT_TRUE(hero->itemArranges.empty());
  g_PlayStage.m_vBackground[1].Show = 1;
  EXPECT_EQ(GetItem(take), kItemRanAll);  // a later take, no binding queued
  EXPECT_EQ(g_PlayStage.m_vBackground[1].Show, 0u);
  EXPECT_EQ(g_PlayStage.m_vBackground[0].Show, 1u);
  EXPECT_EQ(item.m_vCmds[0].m_vParams[0], 1);  // the palette's item is as it was
}

TEST_F(ItemCommandsTest, ABindingOnAStageItemChangesThatItemAlone) {
  scene->m_vStageVars[4] = 2;
  cEdItem definition;
  definition.m_vCmds = {HideLayer(1)};
  cStageItem bound;
  cStageItem other;
  bound.SetFromDef(definition, 1, 0);
  other.SetFromDef(definition, 2, 0);
  EXPECT_EQ(Run({BindLayerToVar4()}), kItemRanAll);
  EXPECT_EQ(RunItemCmds(*hero, bound.def.m_vCmds), kItemRanAll);
  EXPECT_EQ(bound.def.m_vCmds[0].m_vParams[0], 2);  // the binding stays in the item
  EXPECT_EQ(other.def.m_vCmds[0].m_vParams[0], 1);
  EXPECT_EQ(definition.m_vCmds[0].m_vParams[0], 1);
}

TEST_F(ItemCommandsTest, LoopsExpandAndItemsThatTakeItemsNestSixteenDeep) {
  cEdItem& item = g_PlayStage.m_vPaletteItem[2];
  cEdCmd loop = ItemCmd(kCmdLoop - kItemKindOffset, {{0, 3}, {1, 1}});
  item.m_vCmds.push_back(AddToStageVar(2, 1));
  item.m_vCmds.push_back(ItemCmd(kCmdTakeItem - kItemKindOffset, {{0, 1}, {1, 2}}));
  cEdCmd get = ItemCmd(kCmdTakeItem - kItemKindOffset, {{0, 1}, {1, 2}});
  EXPECT_EQ(GetItem(get), kItemRanAll);
  EXPECT_EQ(Var(2), kMaxItemNesting);
  EXPECT_EQ(GetItem(ItemCmd(kCmdTakeItem - kItemKindOffset, {{0, 1}, {1, 9}})), 0);  // no such item
  g_PlayStage.m_vPaletteItem[3].m_vCmds = {loop, AddToStageVar(3, 1)};
  EXPECT_EQ(GetItem(ItemCmd(kCmdTakeItem - kItemKindOffset, {{0, 1}, {1, 3}})), kItemRanAll);
  EXPECT_EQ(Var(3), 3);  // count 3 of the one command after the loop
  cStageItem onStage;
  onStage.SetFromDef(g_PlayStage.m_vPaletteItem[3], 1, 0);
  EXPECT_EQ(onStage.def.m_vCmds.size(), 3u);  // a stage item's list expanded when made
}

TEST_F(ItemCommandsTest, TheSecondMessageOfAnItemContinuesTheOpenWindow) {
  cEdCmd message = ItemCmd(kCmdMessage - kItemKindOffset);
  message.m_strCode = "a";
  const auto& messages = scene->m_Draw.shows.messages;
  EXPECT_EQ(Run({message, message}), kItemRanAll);
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_EQ(messages.front().opening, 1);  // only the first opens the window
  EXPECT_EQ(messages.back().opening, 0);
  EXPECT_EQ(Run({message}), kItemRanAll);
  EXPECT_EQ(messages.back().opening, 1);  // a new item opens it again
}

TEST_F(ItemCommandsTest, ChangeFlowAddsReplacesAndRemovesById) {
  cStageChara& chara = *g_CharaList.Find([](cStageChara&) { return true; });
  chara.SetFlows({Flow(1), Flow(2), Flow(1), Flow(3)});
  cEdCmd change = ItemCmd(kItemCmdChangeFlow, {{0, kFlowChangeRemove}, {1, 9}});
  ChangeFlow(chara, change, 1);
  EXPECT_EQ(chara.flows.size(), 4u);  // no flow carries that ID
  change.m_vFlows = {Flow(7)};
  change.m_vParams[0] = kFlowChangeReplace;
  change.m_vParams[1] = 1;
  ChangeFlow(chara, change, 1);
  ASSERT_EQ(chara.flows.size(), 3u);
  EXPECT_EQ(chara.def.m_vFlows[0].m_nId, 7);  // in the place of the first removed flow
  EXPECT_EQ(chara.def.m_vFlows[1].m_nId, 2);
  change.m_vParams[0] = kFlowChangeAdd;
  ChangeFlow(chara, change, 1);
  EXPECT_EQ(chara.def.m_vFlows.back().m_nId, 7);
  change.m_vParams[0] = kFlowChangeReplace;
  change.m_vParams[1] = 0;  // every flow
  ChangeFlow(chara, change, 1);
  ASSERT_EQ(chara.flows.size(), 1u);
  EXPECT_EQ(chara.flows[0].flow, &chara.def.m_vFlows[0]);
}

TEST_F(ItemCommandsTest, AChangeDuringTheHerosOwnFlowsWaitsInItsQueue) {
  hero->SetFlows({Flow(1)});
  cEdCmd change = ItemCmd(kItemCmdChangeFlow, {{0, kFlowChangeRemove}, {1, 1}});
  g_CurrentActor.chara = hero;
  EXPECT_EQ(Run({change}), hero->hp > 0 ? kItemRanAll : kItemHeroDown);
  g_CurrentActor.Clear();
  EXPECT_EQ(hero->flows.size(), 1u);
  ASSERT_EQ(hero->queuedFlowChanges.size(), 1u);
  ChangeFlow(*hero, hero->queuedFlowChanges[0], 1);
  EXPECT_TRUE(hero->flows.empty());
}

// The whole road of a pick-up: the hero stands on an item, the item's list
// runs once through the stage's taking; a defeated character's drop item
// runs its list on the hero too.
TEST(ItemPickupCommands, TakenAndDroppedItemsRunTheirListsOnTheHero) {
  InstallCommands();
  BuildParamTable();
  StageBuilder builder(20, 15, 2, 10);
  for (int column = 0; column < 20; ++column) builder.Block(column, 11);
  cEdItem item;
  item.m_nColumn = 2;
  item.m_nRow = 10;
  item.m_nGraphicNo = 1;
  item.m_vCmds = {AddToStageVar(1, 5)};
  builder.stage.m_vItem.push_back(item);
  builder.Chara(8, 10).m_nActiveRange = 3;
  StageRun run(builder);
  cStageScene& scene = run.harness.Scene();
  for (int i = 0; i < 3; ++i) run.harness.Step(0, 0);
  EXPECT_EQ(scene.m_vStageVars[1], 5);
  EXPECT_EQ(g_ItemList.Count(), 0u);

  cStageChara& chara = *run.harness.CharaBySerial(1);
  item.m_vCmds = {AddToStageVar(1, 2)};
  chara.dropItem.SetFromDef(item, 50, 0);
  EXPECT_EQ(chara.KillChara(), 0);
  EXPECT_EQ(scene.m_vStageVars[1], 7);
}

}  // namespace

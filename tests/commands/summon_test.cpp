// Summons on a small stage: blocks by mode with the hero and character
// guards, characters with their side, parent, facing and attack marks,
// items, bad palette choices and indexes, and the pacing of the commands
// (once per speed level x 6 steps, with the command's sound).
#include <gtest/gtest.h>

#include "commands/firing/fire.h"
#include "commands/flows/flow_install.h"
#include "commands/flows/flow_runtime.h"
#include "commands/install.h"
#include "definitions/command_kinds.h"
#include "definitions/param_table.h"
#include "definitions/shot_record.h"
#include "stage/blocks/block_map.h"
#include "stage/chara/hero.h"
#include "stage/chara/stage_chara.h"
#include "stage/chara/stage_lists.h"
#include "stage/items/stage_item.h"
#include "tests/stage/stage_fixture.h"

namespace {

class SummonTest : public testing::Test {
 protected:
  SummonTest() : run((InstallCommands(), BuildParamTable(), builder.Chara(10, 10), builder.Chara(6, 10), builder)) {
    owner = run.harness.CharaBySerial(1);
    other = run.harness.CharaBySerial(2);
    for (cChara* chara : {static_cast<cChara*>(run.harness.Hero()), static_cast<cChara*>(owner),
                          static_cast<cChara*>(other)})
      chara->UpdateScreenPos();
    rec.m_nCount = 1;
    rec.m_nSummonPalette = 1;
  }

  // The record lays one object on the drawn centre of the hero (base 1) or
  // of the owner's first target (base 0).
  void OnCentreOf(int base) {
    rec.m_nFormation = kFormationSurround;
    rec.m_nFormationBase = static_cast<std::uint8_t>(base);
    rec.m_anFormationParam[0] = 0;
  }
  template <typename Definition>
  std::uint16_t Add(cVector<Definition>& list, const Definition& definition) {
    list.push_back(definition);
    return static_cast<std::uint16_t>(list.size() - 1);
  }

  StageBuilder builder{40, 30, 2, 10};
  StageRun run;
  cStageChara* owner = nullptr;
  cStageChara* other = nullptr;
  cEdShot rec;
};

TEST_F(SummonTest, BlocksFollowTheirModeAndSpareGuardedObjects) {
  cEdBlock wall;
  wall.m_nGraphicNo = 1;
  rec.m_nSummonIndex = Add(g_PlayStage.m_vPaletteBlock, wall);
  cStageScene& scene = run.harness.Scene();
  OnCentreOf(1);
  rec.m_bGuardHero = 1;
  SummonBlock(scene, *owner, rec);
  EXPECT_EQ(run.harness.CellAt(2, 10).block, nullptr);  // it would close on the hero
  rec.m_bGuardHero = 0;
  SummonBlock(scene, *owner, rec);
  EXPECT_NE(run.harness.CellAt(2, 10).block, nullptr);
  rec.m_nBlockSummonMode = kSummonBlockRemove;
  SummonBlock(scene, *owner, rec);
  EXPECT_EQ(run.harness.CellAt(2, 10).block, nullptr);
  rec.m_nBlockSummonMode = kSummonBlockToggle;
  rec.m_bGuardHero = 1;
  SummonBlock(scene, *owner, rec);
  EXPECT_EQ(run.harness.CellAt(2, 10).block, nullptr);
  rec.m_bGuardHero = 0;
  SummonBlock(scene, *owner, rec);
  EXPECT_NE(run.harness.CellAt(2, 10).block, nullptr);
  rec.m_bGuardHero = 1;  // removing is never guarded
  SummonBlock(scene, *owner, rec);
  EXPECT_EQ(run.harness.CellAt(2, 10).block, nullptr);
  // A block the hero's side passes does not stop it: the guard lets it be put.
  wall.m_nPassSide = 0;
  rec.m_nSummonIndex = Add(g_PlayStage.m_vPaletteBlock, wall);
  rec.m_nBlockSummonMode = kSummonBlockPut;
  SummonBlock(scene, *owner, rec);
  EXPECT_NE(run.harness.CellAt(2, 10).block, nullptr);

  // The other characters' guard.
  wall.m_nPassSide = kNoPassSide;
  rec.m_nSummonIndex = Add(g_PlayStage.m_vPaletteBlock, wall);
  SetTarget(*owner, 0, other, 1);
  OnCentreOf(0);
  rec.m_bGuardHero = 1;
  rec.m_bGuardCharas = 1;
  SummonBlock(scene, *owner, rec);
  EXPECT_EQ(run.harness.CellAt(6, 10).block, nullptr);
  rec.m_bGuardCharas = 0;
  SummonBlock(scene, *owner, rec);
  EXPECT_NE(run.harness.CellAt(6, 10).block, nullptr);
}

TEST_F(SummonTest, BadPaletteChoicesAndIndexesSummonNothing) {
  cEdBlock wall;
  wall.m_nGraphicNo = 1;
  Add(g_PlayStage.m_vPaletteBlock, wall);
  OnCentreOf(1);
  rec.m_nSummonPalette = 2;
  rec.m_nSummonIndex = 1;
  SummonBlock(run.harness.Scene(), *owner, rec);
  rec.m_nSummonPalette = 1;
  rec.m_nSummonIndex = static_cast<std::uint16_t>(g_PlayStage.m_vPaletteBlock.size());
  SummonBlock(run.harness.Scene(), *owner, rec);
  SummonChara(run.harness.Scene(), *owner, rec);
  SummonItem(run.harness.Scene(), *owner, rec);
  EXPECT_EQ(run.harness.CellAt(2, 10).block, nullptr);
  EXPECT_EQ(g_CharaList.Count(), 2u);
  EXPECT_EQ(g_ItemList.Count(), 0u);
}

TEST_F(SummonTest, CharactersAreTheOwnersChildrenOnTheChosenSide) {
  cEdChara minion;
  minion.m_nGraphicNo = 1;
  minion.m_nFaction = 5;
  rec.m_nSummonIndex = Add(g_PlayStage.m_vPaletteChara, minion);
  cStageScene& scene = run.harness.Scene();
  owner->facing = 1;
  rec.m_nDirection = 1;  // behind the owner: to its left
  rec.m_bAttack = 1;
  rec.m_nAttackFlowId = 3;
  rec.m_bLifeTime = 1;
  rec.m_nLifeTime = 5;
  SummonChara(scene, *owner, rec);
  cStageChara* summoned = run.harness.CharaBySerial(3);
  ASSERT_NE(summoned, nullptr);
  EXPECT_EQ(summoned->side, 5);  // its definition's own side
  EXPECT_EQ(summoned->parent, owner);
  EXPECT_EQ(summoned->facing, 1);
  // Its drawn cell starts where the row puts it: just left of the owner's.
  EXPECT_EQ(summoned->x, ScrollDotsX() + owner->screenLeft + 1 - 32 + summoned->graphicOffsetX);
  EXPECT_EQ(summoned->y, ScrollDotsY() + owner->screenTop + summoned->graphicOffsetY);
  EXPECT_EQ(summoned->summonedByAttack, 1);
  EXPECT_EQ(summoned->summonFlowId, 3);
  EXPECT_EQ(summoned->existTime, 30);
  EXPECT_NE(std::find(scene.m_GroupLists[5].begin(), scene.m_GroupLists[5].end(), summoned),
            scene.m_GroupLists[5].end());
  EXPECT_NE(std::find(owner->backRefs.begin(), owner->backRefs.end(), CharaLink{summoned, kParentSlot}),
            owner->backRefs.end());

  rec.m_nSummonFaction = 1;  // the owner's side
  rec.m_bReverse = 1;
  rec.m_bLifeTime = 0;
  SummonChara(scene, *owner, rec);
  summoned = run.harness.CharaBySerial(4);
  ASSERT_NE(summoned, nullptr);
  EXPECT_EQ(summoned->side, owner->side);
  EXPECT_EQ(summoned->facing, 0);
  EXPECT_EQ(summoned->existTime, kUnlimitedTime);

  rec.m_nSummonFaction = 2;  // the record's side
  rec.m_nFaction = 7;
  SummonChara(scene, *owner, rec);
  ASSERT_NE(run.harness.CharaBySerial(5), nullptr);
  EXPECT_EQ(run.harness.CharaBySerial(5)->side, 7);

  // A definition operated by the player is never summoned.
  minion.m_nOperator = kOperatorPlayer;
  rec.m_nSummonIndex = Add(g_PlayStage.m_vPaletteChara, minion);
  SummonChara(scene, *owner, rec);
  EXPECT_EQ(g_CharaList.Count(), 5u);
}

// The copies of a summoned definition are its clones, numbered from 0.
TEST_F(SummonTest, CopiesOfASummonedCharacterAreNumberedClones) {
  cEdChara minions;
  minions.m_nGraphicNo = 1;
  minions.m_nCopyCount = 2;
  rec.m_nSummonIndex = Add(g_PlayStage.m_vPaletteChara, minions);
  SummonChara(run.harness.Scene(), *owner, rec);
  for (std::uint32_t copy = 0; copy < 3; ++copy) {
    const cStageChara* summoned = run.harness.CharaBySerial(3 + copy);
    ASSERT_NE(summoned, nullptr);
    EXPECT_EQ(summoned->cloneValue, static_cast<std::int32_t>(copy));
  }
}

TEST_F(SummonTest, ItemsLieWhereTheFormationPutsThem) {
  cEdItem gem;
  gem.m_nGraphicNo = 1;
  rec.m_nSummonIndex = Add(g_PlayStage.m_vPaletteItem, gem);
  OnCentreOf(1);
  rec.m_bLifeTime = 1;
  rec.m_nLifeTime = 2;
  SummonItem(run.harness.Scene(), *owner, rec);
  ASSERT_EQ(g_ItemList.Count(), 1u);
  const cStageItem* item = g_ItemList.Find([](const cStageItem&) { return true; });
  const cHero& hero = *run.harness.Hero();
  EXPECT_EQ(static_cast<int>(item->x) >> 5, static_cast<int>(hero.x) >> 5);
  EXPECT_EQ(item->existTime, 12);
}

// A summon command lasting half a second acts on its first step and every
// tenth of a second after, at any speed level, with its sound each time.
TEST(SummonPacing, OncePerTenthOfASecond) {
  InstallCommands();
  BuildParamTable();
  for (int level : {1, 2}) {
    StageBuilder builder(40, 30, 2, 10, level);
    builder.Chara(10, 10);
    cEdItem gem;
    gem.m_nGraphicNo = 1;
    builder.stage.m_vPaletteItem.push_back(gem);
    builder.stage.m_vPaletteItem.push_back(gem);
    cEdCmd command;
    command.m_nKind = kCmdSummonItem;
    command.m_vParams.assign(static_cast<std::size_t>(CmdParamCount(kFamilyChara, kCmdSummonItem)), 0);
    command.m_nTime = 5;
    command.m_nSound = 2;
    command.m_bHeroOnlySound = 0;
    cEdShot& shot = command.m_Shot.Emplace();
    shot.m_nSummonPalette = 1;
    shot.m_nSummonIndex = 1;
    cEdFlow flow;
    flow.m_vCmds.push_back(command);
    StageRun run(builder);
    cStageChara& chara = *run.harness.CharaBySerial(1);
    SetFlowList(chara, {flow}, kReplaceFlows, -1, 1);
    run.harness.ClearRecords();
    commands::StartFlow(chara, chara.flows[0]);
    std::vector<std::size_t> counts;
    while (true) {
      const bool ended = commands::RunFlow(chara, chara.flows[0]);
      counts.push_back(g_ItemList.Count());
      if (ended) break;
    }
    ASSERT_EQ(counts.size(), static_cast<std::size_t>(30 * level)) << level;
    EXPECT_EQ(g_ItemList.Count(), 5u) << level;
    for (std::size_t step = 0; step < counts.size(); ++step)
      EXPECT_EQ(counts[step], step / (6 * level) + 1) << level << " step " << step;
    EXPECT_EQ(run.harness.Sounds(), std::vector<int>(5, 18)) << level;
  }
}

}  // namespace

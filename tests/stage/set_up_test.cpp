// Stage set-up: placement of the hero, characters and items, copies and
// their shifts, serial numbers, group lists, the block map of a 1-wide
// stage, the sub-step mask, the replays of two attempts, a clean retry and
// the removal areas, the screen colour of an earlier attempt; and the
// intro's banners.
#include <gtest/gtest.h>

#include "definitions/save_data/save_data.h"
#include "foundation/record_stream.h"
#include "input/replay.h"
#include "stage/blocks/block_map.h"
#include "stage/chara/hero.h"
#include "stage/chara/stage_chara.h"
#include "stage/chara/stage_lists.h"
#include "stage/core/stage_rules.h"
#include "stage/draw/layers/screen_color.h"
#include "stage/draw/stage_drawing.h"
#include "stage/items/stage_item.h"
#include "stage/objects/stage_space.h"
#include "stage/scene/stage_scene.h"
#include "tests/stage/stage_fixture.h"

namespace {

TEST(SetUp, PlacesHeroCharactersAndItemsOnTheirCells) {
  StageBuilder builder(30, 10, 2, 3);
  cEdChara& chara = builder.Chara(6, 4);
  chara.m_nCopyCount = 2;
  chara.m_nShiftXBase = 0;
  chara.m_nShiftXStep = 32;
  chara.m_nFaction = 3;
  builder.Chara(40, 4);  // outside the stage: skipped
  cEdItem item;
  item.m_nColumn = 8;
  item.m_nRow = 2;
  builder.stage.m_vItem.push_back(item);
  StageRun run(builder);
  const cHero& hero = *run.harness.Hero();
  // The hit box stands inside the cell at its graphic offset.
  EXPECT_EQ(hero.x, (2 + 10) * 32 + hero.graphicOffsetX + 0.5);
  EXPECT_EQ(hero.y, (3 + 10) * 32 + hero.graphicOffsetY);
  EXPECT_EQ(hero.op, 0);
  ASSERT_EQ(g_CharaList.Count(), 3u);
  for (std::uint32_t serial = 1; serial <= 3; ++serial) {
    const cStageChara* copy = run.harness.CharaBySerial(serial);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->y, (4 + 10) * 32 + copy->graphicOffsetY);
    EXPECT_EQ(copy->side, 3);
  }
  EXPECT_GT(run.harness.CharaBySerial(2)->x, run.harness.CharaBySerial(1)->x);
  EXPECT_EQ(run.harness.Scene().m_GroupLists[3].size(), 3u);
  EXPECT_EQ(run.harness.Scene().m_GroupLists[0].size(), 1u);  // the hero
  ASSERT_EQ(g_ItemList.Count(), 1u);
  // The camera centres the hero and stays inside the stage.
  EXPECT_EQ(g_StageSpace.scrollX.position, 320);
}

TEST(SetUp, OneBlockWideStageHasRowsOf32Cells) {
  StageBuilder builder(1, 3, 0, 0);
  builder.Block(0, 2);
  StageRun run(builder);
  EXPECT_EQ(g_BlockMap.RowShift(), 5);
  EXPECT_EQ(g_BlockMap.Size(), 23u * 32u);
  EXPECT_NE(run.harness.CellAt(0, 2).block, nullptr);
  EXPECT_EQ(run.harness.CellAt(0, 1).block, nullptr);
}

TEST(SetUp, SubStepMask) {
  StageBuilder builder(20, 5, 0, 0, 3);
  builder.stage.StepMaskCount = 2;
  StageRun run(builder);
  EXPECT_EQ(run.harness.Scene().m_vSubStepMask, (cVector<std::int32_t>{1, 1, 0}));
  builder.stage.StepMaskCount = 0;
  StageRun all(builder);
  EXPECT_EQ(all.harness.Scene().m_vSubStepMask, (cVector<std::int32_t>{1, 1, 1}));
}

TEST(SetUp, TwoAttemptsKeepThePreviousReplay) {
  StageBuilder builder(20, 5, 0, 0);
  StageRun run(builder, 111);
  g_StageRules.replayRecording = 1;
  ASSERT_EQ(g_Replay.m_nSeed, 111);
  run.harness.Step(kDirRight, 0);
  run.harness.Step(kDirRight, 0);
  EXPECT_TRUE(g_Replay.HasDirRuns());
  run.harness.Scene().SetStage(1, 0);
  EXPECT_EQ(g_ReplayPrev.m_nSeed, 111);
  EXPECT_TRUE(g_ReplayPrev.HasDirRuns());
  EXPECT_FALSE(g_Replay.HasDirRuns());
}

TEST(SetUp, RetryStartsFromACleanStage) {
  StageBuilder builder(20, 5, 0, 0);
  builder.Block(4, 4);
  builder.Chara(6, 2);
  StageRun run(builder);
  cStageScene& scene = run.harness.Scene();
  const cEdBlock summoned = builder.stage.m_vBlock[0];
  scene.SetBlockAt((5 + 10) * 32, (4 + 10) * 32, kSummonPut, summoned);
  scene.SetBlockAt((4 + 10) * 32, (4 + 10) * 32, kSummonToggle, summoned);
  EXPECT_NE(run.harness.CellAt(5, 4).block, nullptr);
  EXPECT_EQ(run.harness.CellAt(4, 4).block, nullptr);
  cEdBlock fixed = summoned;
  fixed.m_bFixed = 1;
  scene.SetBlockAt((6 + 10) * 32, (4 + 10) * 32, kSummonPut, fixed);
  scene.SetBlockAt((6 + 10) * 32, (4 + 10) * 32, kSummonErase, summoned);
  EXPECT_NE(run.harness.CellAt(6, 4).block, nullptr);  // a fixed block stays
  scene.RemoveChara(*run.harness.CharaBySerial(1));
  scene.SetStage(1, 0);
  EXPECT_EQ(run.harness.CellAt(5, 4).block, nullptr);
  EXPECT_NE(run.harness.CellAt(4, 4).block, nullptr);
  EXPECT_EQ(run.harness.CellAt(4, 4).changed, 0);
  EXPECT_EQ(g_CharaList.Count(), 1u);
  EXPECT_NE(run.harness.CharaBySerial(1), nullptr);
}

// The clear of the stage before may ask where and facing which way the hero
// starts in the stage it leads to: every attempt there starts so, also a
// retry; a stage entered from another screen starts on its own start cell.
TEST(SetUp, TheHeroStartsWhereTheClearOfTheStageBeforeAsked) {
  StageBuilder builder(30, 10, 2, 3);
  builder.Hero().m_nFacing = 1;
  StageRun plain(builder);
  const double cellX = plain.harness.Hero()->x, cellY = plain.harness.Hero()->y;
  g_SaveData.m_nClearValue1 = 1;
  g_SaveData.m_nClearValue2 = 7;
  g_SaveData.m_nClearValue3 = 5;
  g_SaveData.m_nClearValue4 = 0;
  StageRun run(builder);
  cStageScene& scene = run.harness.Scene();
  for (int attempt = 0; attempt < 2; ++attempt) {
    SCOPED_TRACE(attempt);
    const cHero& hero = *run.harness.Hero();
    EXPECT_EQ(hero.x, cellX + 5 * 32);
    EXPECT_EQ(hero.y, cellY + 2 * 32);
    EXPECT_EQ(hero.facing, 0);
    scene.SetStage(1, 0);  // a retry
  }
  // A position the stage does not reach keeps the hero inside it.
  g_SaveData.m_nClearValue2 = 999;
  scene.SetStage(1, 0);
  EXPECT_LT(run.harness.Hero()->x, (30 + 10) * 32);
  scene.ResetPlayState();  // entered from the map, the title or the challenge list
  scene.SetStage(1, 1);
  EXPECT_EQ(g_SaveData.m_nClearValue1, 0);
  EXPECT_EQ(run.harness.Hero()->x, cellX);
  EXPECT_EQ(run.harness.Hero()->y, cellY);
  EXPECT_EQ(run.harness.Hero()->facing, 1);
}

// A screen colour left running by one attempt does not tint the next: the
// set-up resets it, so a replay of the next attempt plays the same whatever
// came before it.
TEST(SetUp, ANewAttemptStartsWithoutTheScreenColourOfTheLast) {
  StageBuilder builder(20, 5, 0, 0);
  StageRun run(builder);
  cStageScene& scene = run.harness.Scene();
  StartSceneScreenColor(scene, {0, 0, 255, 60, 0, 3, 1, 1000});
  for (int frame = 0; frame < 10; ++frame) run.harness.Step(0, 0);
  ASSERT_EQ(scene.m_Draw.screenColor.active, 1);
  scene.SetStage(1, 0);
  const ScreenColorState& colour = scene.m_Draw.screenColor;
  EXPECT_EQ(colour.active, 0);
  EXPECT_EQ(colour.started, 0);
  EXPECT_EQ(colour.counter, 0);
  EXPECT_EQ(colour.alpha, 0);
  EXPECT_EQ(colour.shown, 0);
}

TEST(SetUp, RemovalAreasAreOnByTheirDistances) {
  StageBuilder builder(60, 5, 0, 0);
  builder.stage.RemovalAreas[0].Set(1, 0, 0, 0, 0, 0, 0, 0);  // a switch with distance 0
  builder.stage.RemovalAreas[1].Set(0, 0, 0, 0, 0, 2, 0, 0);  // a distance without a switch
  StageRun run(builder);
  EXPECT_EQ(run.harness.Scene().m_bAreaOn[0], 0);
  EXPECT_EQ(run.harness.Scene().m_bAreaOn[1], 1);
}

// Only computer-operated entries become stage characters: a second entry
// operated by the player, standing on a deadly block, is no character that
// dies there and takes the hero down with it; nor is a player entry
// without a graphic.
TEST(SetUp, OnlyComputerOperatedEntriesArePutOut) {
  StageBuilder builder(30, 10, 2, 3);
  for (int column = 0; column < 30; ++column) builder.Block(column, 4, column == 20 ? kBlockDeadly : kBlockSolid);
  cEdChara second = builder.Hero();
  second.m_nColumn = 20;
  builder.stage.m_vChara.push_back(second);
  cEdChara withoutGraphic = builder.Hero();
  withoutGraphic.m_nGraphicNo = 0;
  withoutGraphic.m_nColumn = 12;
  builder.stage.m_vChara.push_back(withoutGraphic);
  builder.Chara(6, 3).m_nFaction = 3;
  StageRun run(builder);
  ASSERT_EQ(g_CharaList.Count(), 1u);
  EXPECT_EQ(run.harness.CharaBySerial(1)->side, 3);
  for (int frame = 0; frame < 30; ++frame) run.harness.Step(0, 0);
  EXPECT_FALSE(run.harness.Hero()->dead);
}

// Copies are tested where their shift puts them: on a stage of 30 columns
// and its 10-column margins (50 columns in all), 15 copies 32 dots apart
// from column 28 leave it after 12. Summons at a dot position off the
// stage are dropped too.
TEST(SetUp, CopiesAndSummonsOffTheStageAreDropped) {
  StageBuilder builder(30, 10, 2, 3);
  cEdChara& row = builder.Chara(28, 3);
  row.m_nCopyCount = 14;
  row.m_nShiftXStep = 32;
  StageRun run(builder);
  EXPECT_EQ(g_CharaList.Count(), 12u);
  cStageScene& scene = run.harness.Scene();
  const double stageRight = g_StageSpace.x.size;
  const double y = (3 + 10) * 32;
  cEdChara single = row;
  single.m_nCopyCount = 0;
  EXPECT_TRUE(scene.SpawnCharaAt(stageRight - 8, y, 1, single).empty());
  EXPECT_TRUE(scene.SpawnCharaAt(-40, y, 1, single).empty());
  EXPECT_EQ(scene.SpawnCharaAt(stageRight - 64, y, 1, single).size(), 1u);
  EXPECT_EQ(scene.SpawnItemAt(stageRight - 8, y, cEdItem()), nullptr);
  EXPECT_NE(scene.SpawnItemAt(stageRight - 64, y, cEdItem()), nullptr);
}

TEST(SetUp, CharactersOutOfHpAtTheStartAreErased) {
  StageBuilder builder(20, 5, 0, 0);
  builder.Chara(5, 2).m_nMaxHp = 0;
  builder.Chara(6, 2);
  StageRun run(builder);
  EXPECT_EQ(g_CharaList.Count(), 1u);
}

TEST(Intro, BannersLastEightyFramesEach) {
  StageBuilder builder(20, 5, 0, 0);
  builder.stage.IntroSwitch1 = 1;
  builder.stage.IntroSwitch2 = 1;
  StageRun run(builder, 7, kPhaseIntro);
  int frames = 0;
  while (run.harness.Scene().Phase() == kPhaseIntro && frames < 500) {
    run.harness.Step(0, 0);
    ++frames;
  }
  EXPECT_EQ(frames, 161);
  builder.stage.IntroSwitch1 = builder.stage.IntroSwitch2 = 0;
  StageRun quick(builder, 7, kPhaseIntro);
  quick.harness.Step(0, 0);
  EXPECT_EQ(quick.harness.Scene().Phase(), kPhasePlay);
}

TEST(Lives, UseLife) {
  StageBuilder builder(20, 5, 0, 0);
  StageRun run(builder);
  cSaveData data;
  data.m_nLife = 999999;
  EXPECT_EQ(run.harness.Scene().UseLife(data), 1);
  EXPECT_EQ(data.m_nLife, 999999);
  data.m_nLife = 1;
  EXPECT_EQ(run.harness.Scene().UseLife(data), 1);
  EXPECT_EQ(data.m_nLife, 0);
  EXPECT_EQ(run.harness.Scene().UseLife(data), 0);
}

}  // namespace

namespace {

TEST(Harness, StageFileBytesLoadAndPlay) {
  cStageHarness harness;
  StageBuilder builder(20, 5, 1, 1);
  builder.Block(1, 2).Chara(4, 1);
  DataWriter out("stage");
  out.Write<std::uint32_t>(g_DataVersion);
  builder.stage.Save(out);
  EXPECT_FALSE(harness.UseStageBytes({1, 2, 3}));
  ASSERT_TRUE(harness.UseStageBytes(out.Bytes()));
  harness.Begin(5);
  EXPECT_EQ(harness.Step(0, 0), FrameEnd::Drawn);
  EXPECT_EQ(g_CharaList.Count(), 1u);
  EXPECT_NE(harness.CellAt(1, 2).block, nullptr);
}

// A stage file keeps every placed element wherever it lies: a hero start
// far outside the stage still makes a hero, held on the stage by its
// clamps; the other elements outside are skipped when the stage is set up.
TEST(Harness, ElementsPlacedFarOutsideTheStageLoadAndTheHeroStartStillCounts) {
  cStageHarness harness;
  StageBuilder builder(20, 5, -15, 1);
  builder.Block(1, 2).Block(45, 2).Chara(4, 1);
  builder.Chara(45, 1);
  cEdItem item;
  item.m_nColumn = 45;
  builder.stage.m_vItem.push_back(item);
  DataWriter out("stage");
  out.Write<std::uint32_t>(g_DataVersion);
  builder.stage.Save(out);
  ASSERT_TRUE(harness.UseStageBytes(out.Bytes()));
  EXPECT_EQ(g_Stage.m_vChara.size(), 3u);
  EXPECT_EQ(g_Stage.m_vBlock.size(), 2u);
  EXPECT_EQ(g_Stage.m_vItem.size(), 1u);
  harness.Begin(5);
  EXPECT_EQ(harness.Step(0, 0), FrameEnd::Drawn);
  ASSERT_NE(harness.Hero(), nullptr);
  EXPECT_GE(harness.Hero()->x, 0);
  EXPECT_EQ(g_CharaList.Count(), 1u);
  EXPECT_EQ(g_ItemList.Count(), 0u);
}

}  // namespace

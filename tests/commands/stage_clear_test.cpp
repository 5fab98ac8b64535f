// "ステージクリア": the stage ends at once, and the command leaves the choice
// of what follows for the stage end: the next stage, one by number, a file
// it names, or none; the world-map figure's place and the next stage's
// start position for the hero.
#include <gtest/gtest.h>

#include "commands/install.h"
#include "commands/items/item_commands.h"
#include "commands/stage/stage_clear.h"
#include "definitions/command_kinds.h"
#include "definitions/param_table.h"
#include "definitions/save_data/save_data.h"
#include "platform/message_box.h"
#include "project/global_data.h"
#include "project/world_map.h"
#include "stage/chara/hero.h"
#include "tests/stage/stage_fixture.h"

namespace {

cEdCmd StageClearCommand(std::initializer_list<std::int32_t> params, std::string text = {}) {
  cEdCmd command;
  command.m_nKind = kCmdStageClear;
  command.m_vParams.assign(static_cast<std::size_t>(CmdParamCount(kFamilyChara, kCmdStageClear)), 0);
  std::size_t i = 0;
  for (std::int32_t value : params) command.m_vParams[static_cast<long long>(i++)] = value;
  command.m_strCode = std::move(text);
  return command;
}

TEST(StageClearFlow, ACharacterFlowClearsTheStageForTheNextOne) {
  InstallCommands();
  BuildParamTable();
  StageBuilder builder(20, 15, 2, 10);
  cEdFlow flow;
  flow.m_nTrigger = kTriggerAlways;
  flow.m_vCmds = {StageClearCommand({0})};
  builder.Chara(5, 10).m_vFlows = {flow};
  StageRun cleared(builder);
  g_SaveData.m_nSeriesStage = 1;
  for (int i = 0; i < 3 && cleared.harness.Scene().Phase() == kPhasePlay; ++i) cleared.harness.Step(0, 0);
  EXPECT_EQ(cleared.harness.Scene().Phase(), kPhaseStageEnd);
  EXPECT_EQ(cleared.harness.Scene().m_nNextStage, 2);
  EXPECT_EQ(cleared.harness.Scene().m_nStageResult, 1);
  g_SaveData.Reset();
}

class StageClearTest : public testing::Test {
 protected:
  StageClearTest() : run((InstallCommands(), BuildParamTable(), StageBuilder(20, 15, 2, 10))) {
    g_SaveData.m_nSeriesStage = 2;
  }
  ~StageClearTest() override { g_SaveData.Reset(); }
  cStageScene& Scene() { return run.harness.Scene(); }
  cHero& Hero() { return *run.harness.Hero(); }
  StageRun run;
};

TEST_F(StageClearTest, EachDestinationSetsTheNextStage) {
  EXPECT_EQ(StageClear(Hero(), StageClearCommand({0})), 1);
  EXPECT_EQ(Scene().m_nNextStage, 3);
  StageClear(Hero(), StageClearCommand({1, 7}));
  EXPECT_EQ(Scene().m_nNextStage, 7);
  StageClear(Hero(), StageClearCommand({2}, "data\\stg4\\boss.stg4"));
  EXPECT_EQ(Scene().m_bOwnNextStage, 1);
  EXPECT_EQ(Scene().m_strNextStageFile, "data\\stg4\\boss.stg4");
  EXPECT_EQ(Scene().m_nNextStage, 3);
  StageClear(Hero(), StageClearCommand({3}));
  EXPECT_EQ(Scene().m_nNextStage, 0);  // the world is cleared
  EXPECT_EQ(Scene().m_nPendingOutcome, 1);
}

TEST_F(StageClearTest, AnEmptyPathShowsTheErrorAndKeepsTheNumber) {
  platform::TakeHeadlessBoxes();
  StageClear(Hero(), StageClearCommand({1, 5}));
  StageClear(Hero(), StageClearCommand({2}));
  EXPECT_EQ(Scene().m_nNextStage, 5);
  EXPECT_EQ(Scene().m_bOwnNextStage, 0);
  EXPECT_EQ(platform::TakeHeadlessBoxes().size(), 1u);
}

TEST_F(StageClearTest, TheMapPlaceIsClampedAndTheStartPositionKeepsTheFacing) {
  g_WorldMap->m_nWidth = 10;
  g_WorldMap->m_nHeight = 8;
  Hero().facing = 1;
  StageClear(Hero(), StageClearCommand({0, 0, 1, 40, -3, 1, 4, 6, 2}));
  EXPECT_EQ(g_SaveData.m_nMapX, 9);
  EXPECT_EQ(g_SaveData.m_nMapY, 0);
  EXPECT_EQ(g_SaveData.m_nClearValue1, 1);
  EXPECT_EQ(g_SaveData.m_nClearValue2, 4);
  EXPECT_EQ(g_SaveData.m_nClearValue3, 6);
  EXPECT_EQ(g_SaveData.m_nClearValue4, 1);
  StageClear(Hero(), StageClearCommand({0}));  // no start position: the request is dropped
  EXPECT_EQ(g_SaveData.m_nClearValue1, 0);
}

TEST_F(StageClearTest, AnItemThatClearsTheStageStopsItsList) {
  cEdCmd clear = StageClearCommand({1, 4});
  clear.m_nFamily = kFamilyItem;
  clear.m_nKind = static_cast<std::uint8_t>(kCmdStageClear - kItemKindOffset);
  cEdCmd other = clear;
  other.m_vParams[1] = 9;
  cVector<cEdCmd> list{clear, other};
  EXPECT_EQ(RunItemCmds(Hero(), list), kItemClearedStage);
  EXPECT_EQ(Scene().m_nNextStage, 4);
}

}  // namespace

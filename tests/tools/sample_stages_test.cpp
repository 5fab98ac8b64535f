// The sample game's common palette and stages through the player's record
// loaders: each stage file loads whole with its hero start, its placed
// definitions take their groups from the common palette, and the flows and
// commands survive the validation against the database.
#include <gtest/gtest.h>

#include "definitions/command_kinds.h"
#include "definitions/palette/palette.h"
#include "definitions/stage/stage_loader.h"
#include "foundation/thread.h"
#include "generated_game.h"
#include "platform/main_thread.h"
#include "platform/message_box.h"
#include "project/global_data.h"
#include "tools/sample_game/project_files.h"
#include "tools/sample_game/stages/common_palette_builder.h"
#include "tools/sample_game/stages/stage_builder.h"

namespace {

using namespace sample_game;

class SampleStages : public testing::Test {
 protected:
  void SetUp() override {
    StartProjectData();
    ASSERT_EQ(LoadDatabases(*g_Database), 1);
    platform::TakeHeadlessBoxes();
  }
  void TearDown() override {
    EXPECT_TRUE(platform::TakeHeadlessBoxes().empty());
    StopProjectData();
    platform::ResetMainThreadState();
  }
  sample_game_test::InGameFolder inGame_;
};

TEST_F(SampleStages, CommonPaletteLoadsWithTheCastAndTheirFlows) {
  ASSERT_EQ(LoadCommonPalette(), 1);
  ASSERT_EQ(g_CommonPalette.m_vChara.size(), static_cast<std::size_t>(kCharaHerald + 1));
  const cEdChara& hero = g_CommonPalette.m_vChara[kCharaHero];
  EXPECT_EQ(hero.m_nOperator, kOperatorPlayer);
  ASSERT_EQ(hero.m_vFlows.size(), 5u);
  EXPECT_EQ(hero.m_vFlows[1].m_vKeySteps.size(), 1u);
  EXPECT_EQ(hero.m_vFlows[2].m_vCmds[0].m_nKind, kCmdJump);
  EXPECT_EQ(hero.m_vFlows[2].m_vCmds[0].m_nSound, 1);  // a database sound, kept by the validation
  const cEdChara& shooter = g_CommonPalette.m_vChara[kCharaShooter];
  ASSERT_TRUE(shooter.m_vFlows[0].m_vCmds[1].m_Shot);
  EXPECT_EQ(shooter.m_vFlows[0].m_vCmds[1].m_Shot->m_bAim, 1);
  const cEdItem& key = g_CommonPalette.m_vItem[kItemKey];
  ASSERT_EQ(key.m_vCmds.size(), 1u);
  EXPECT_EQ(key.m_vCmds[0].CharaKind(), kCmdStageClear);
  EXPECT_EQ(g_CommonPalette.m_vBlock[kBlockSpikes].m_nCollision, kBlockDeadly);
}

TEST_F(SampleStages, EveryStageLoadsWithItsHeroAndPlacedDefinitions) {
  ASSERT_EQ(LoadCommonPalette(), 1);
  std::vector<std::pair<std::string, const StageLayout*>> stages;
  for (std::size_t i = 0; i < kStoryStageCount; ++i) stages.push_back({kStoryStages[i], &StoryStageLayouts()[i]});
  for (std::size_t i = 0; i < kChallengeStageCount; ++i)
    stages.push_back({kChallengeStages[i], &ChallengeStageLayouts()[i]});
  for (const auto& [name, layout] : stages) {
    SCOPED_TRACE(name);
    cEdStage stage;
    ASSERT_EQ(LoadFile(stage, name + "_000"), 1);
    EXPECT_EQ(stage.Width, static_cast<std::int32_t>(layout->rows.front().size()));
    EXPECT_EQ(stage.Height, 15);
    const int heroStart = stage.FindHeroStart();
    ASSERT_GE(heroStart, 0);
    const cEdChara& hero = stage.m_vChara[heroStart];
    EXPECT_EQ(hero.m_vFlows.size(), 5u);  // inherited from the common palette
    EXPECT_EQ(hero.m_nMaxHp, g_CommonPalette.m_vChara[kCharaHero].m_nMaxHp);
    EXPECT_EQ(stage.m_vBackground.size(), 2u);
    EXPECT_EQ(stage.BgmNumber, layout->bgm);
    EXPECT_EQ(stage.BgmParam, 1);  // the music loops: a stage outlasts its tune
    std::size_t blocks = 0;
    for (auto row : layout->rows)
      for (char c : row) blocks += std::string_view("#dBX-S^<>I").find(c) != std::string_view::npos;
    EXPECT_EQ(stage.m_vBlock.size(), blocks);
  }
}

// The world map names its stages without the file number; the loader finds
// the numbered file on its own thread, as the world-map screen will.
TEST_F(SampleStages, WorldMapStagesLoadByTheirNames) {
  ASSERT_EQ(LoadCommonPalette(), 1);
  cThread loader;
  for (const char* name : kStoryStages) {
    SCOPED_TRACE(name);
    cEdChara hero;
    ASSERT_EQ(LoadStageThreaded(loader, name, 1, nullptr, &hero), 1);
    EXPECT_EQ(g_Stage.FilePath, std::string(name) + "_000");
    EXPECT_EQ(hero.m_nOperator, kOperatorPlayer);
  }
}

}  // namespace

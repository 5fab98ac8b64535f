// Stage ends in the whole player on the sample game: the meadow cleared by
// its input script and the way back to the world map, which saves into the
// play's slot and shows the stage cleared.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "definitions/save_data/save_data.h"
#include "definitions/stage/stage_record.h"
#include "project/global_data.h"
#include "platform/input_devices.h"
#include "platform/ui_events.h"
#include "shell/harness/run_harness.h"
#include "ranking_window_keys.h"
#include "sample_walk.h"
#include "screens/challenge/challenge_scene.h"
#include "screens/menu/menu_cursor.h"
#include "screens/ranking/ranking_files.h"
#include "screens/title/title_scene.h"
#include "screens/worldmap/world_map_scene.h"
#include "screens/worldmap/world_stage_rules.h"
#include "shell/game/game.h"
#include "stage/chara/hero.h"
#include "stage/chara/stage_lists.h"
#include "stage/scene/stage_scene.h"
#include "tests/tools/report_lines.h"
#include "tools/sample_game/play/stage_scripts.h"

namespace {

using namespace sample_game;
using namespace sample_game_test;

cWorldMapScene* Map() { return dynamic_cast<cWorldMapScene*>(g_Game.Scene(GS_WORLDMAP)); }

// From the title over the map into the meadow, in play.
bool StartInTheMeadow(SampleWalk& walk) { return walk.StartAtTitle() && WalkOntoTheMap(walk) && EnterTheMeadow(walk); }

// The file dialog's answer, typed into its emptied name field.
std::vector<platform::UiEvent> TypeFileName(const std::string& name) {
  return {platform::KeyDownEvent('A', true), platform::TextEvent(name), platform::KeyDownEvent(platform::kVkReturn)};
}

// The meadow played to its end and the stage end closed with decide.
void ClearTheMeadow(SampleWalk& walk) {
  const std::vector<ScriptFrame> script = ParseInputScript(StoryStageScript(0)).value_or(std::vector<ScriptFrame>{});
  walk.Play(script, [] { return InStagePhase(kPhaseStageEnd); });
  ASSERT_TRUE(walk.StepUntil([] { return InStagePhase(kPhaseStageEnd); }, 60));
  walk.Step(200);
}

TEST(StageEndWalk, TheClearedMeadowLeadsBackToTheMapWhichSavesAndShowsItCleared) {
  SampleWalk walk("meadow_clear");
  ASSERT_TRUE(StartInTheMeadow(walk));
  const std::vector<ScriptFrame> script = ParseInputScript(StoryStageScript(0)).value_or(std::vector<ScriptFrame>{});
  ClearTheMeadow(walk);
  walk.Shot("stage_end");
  walk.Tap(kVkZ);
  const auto slot = walk.Folder() / "user_data" / "story" / "Story01.dat";
  std::filesystem::remove(slot);
  ASSERT_TRUE(walk.StepUntil([] { return Map() && Map()->Phase() == cWorldMapScene::kWalk; }));
  walk.Shot("map_after_clear");
  EXPECT_EQ(g_Game.m_nPrevState, GS_STAGE);
  EXPECT_TRUE(std::filesystem::exists(slot));  // auto-saved on the way back
  ASSERT_NE(g_SaveData.m_pMapStage, nullptr);
  EXPECT_TRUE(IsStageCleared(*g_SaveData.m_pMapStage, g_SaveData));
  EXPECT_EQ(Map()->Cursor().x, 7);  // on the stage, not stepped back
  cSaveData saved;  // the slot holds the clear
  ASSERT_TRUE(LoadFile(saved, "user_data\\story\\Story01.dat"));
  EXPECT_EQ(saved.m_vSwitch[ClearSwitchOf(*g_SaveData.m_pMapStage)], 1);
  EXPECT_TRUE(walk.Close());
}

cChallengeScene* Challenge() { return dynamic_cast<cChallengeScene*>(g_Game.Scene(GS_CHALLENGE)); }

TEST(StageEndWalk, AClearedChallengeStageIsSavedInTheChallengeFileAndOpensTheNext) {
  SampleWalk walk("challenge_clear");
  ASSERT_TRUE(walk.StartAtTitle());
  walk.Tap(kVkDown);
  walk.Tap(kVkDown);
  walk.Tap(kVkZ);  // challenge
  ASSERT_TRUE(walk.StepUntil([] { return Challenge() && Challenge()->Phase() == cChallengeScene::kSelect; }));
  EXPECT_EQ(g_SaveData.m_nPairIndex, 1);  // only the first stage is open
  walk.Tap(kVkZ);  // c01-1
  ASSERT_TRUE(walk.StepUntil([] { return InStagePhase(kPhasePlay); }));
  const std::vector<ScriptFrame> script = ParseInputScript(ChallengeStageScript(0)).value_or(std::vector<ScriptFrame>{});
  walk.Play(script, [] { return InStagePhase(kPhaseStageEnd); });
  ASSERT_TRUE(walk.StepUntil([] { return InStagePhase(kPhaseStageEnd); }, 60));
  walk.Step(200);
  walk.Shot("challenge_end");
  walk.Tap(kVkZ);
  ASSERT_TRUE(walk.StepUntil([] { return Challenge() && Challenge()->Phase() == cChallengeScene::kSelect; }));
  walk.Shot("challenge_after_clear");
  EXPECT_EQ(g_Game.m_nPrevState, GS_STAGE);
  EXPECT_EQ(g_MenuCursor.Top().nRow, 0);  // back at the row played
  cSaveData saved;
  ASSERT_TRUE(LoadFile(saved, "user_data\\challenge\\Challenge.dat"));
  EXPECT_EQ(saved.m_nPairIndex, 2);  // the second stage opened
  ASSERT_FALSE(saved.m_vPair.empty());
  EXPECT_EQ(saved.m_vPair[0].nFirst, 1);
  EXPECT_EQ(saved.m_vPair[0].nSecond, g_SaveData.m_nStageValue);  // the run's total is the best
  EXPECT_TRUE(walk.Close());
}

TEST(StageEndWalk, FreePlayOfTheChosenFileStartsTheStageOverAfterItsClear) {
  SampleWalk walk("free_clear");
  ASSERT_TRUE(walk.StartAtTitle());
  for (int i = 0; i < 3; ++i) walk.Tap(kVkDown);
  platform::QueueHeadlessUiEvents(TypeFileName("Stage1.stg4_000"));
  walk.Tap(kVkZ);  // free play: the file dialog answers with the meadow
  ASSERT_TRUE(walk.StepUntil([] { return InStagePhase(kPhasePlay); }));
  const double start = PlayerHero()->x;
  EXPECT_EQ(g_Game.m_nPlayMode, PM_FREE);
  EXPECT_EQ(g_PlayStage.FilePath, "data\\stg4\\Stage1.stg4_000");
  ClearTheMeadow(walk);
  walk.Tap(kVkZ);
  ASSERT_TRUE(walk.StepUntil([] { return g_Game.m_nPrevState == GS_STAGE && InStagePhase(kPhasePlay); }));
  EXPECT_EQ(g_Game.m_nState, GS_STAGE);  // a single stage starts over, not the title
  EXPECT_EQ(PlayerHero()->x, start);
  EXPECT_TRUE(walk.Close());
}

// A replay saved with F1 at the meadow's end and chosen from the title plays
// the same attempt: the hero takes the key again and the stage ends.
TEST(StageEndWalk, AReplaySavedWithF1PlaysTheClearAgainFromTheTitle) {
  SampleWalk walk("replay_clear");
  ASSERT_TRUE(StartInTheMeadow(walk));
  ClearTheMeadow(walk);
  const std::int32_t total = g_SaveData.m_nStageValue;
  platform::QueueHeadlessUiEvents(TypeFileName("meadow.rpl4_000"));
  walk.Tap(platform::kVkF1);
  const auto replay = walk.Folder() / "user_data" / "rpl4" / "meadow.rpl4_000";
  ASSERT_TRUE(walk.StepUntil([&] { return std::filesystem::exists(replay); }, 30));
  ASSERT_TRUE(walk.Close());

  // A second start of the player chooses the replay on the title.
  cRunHarness second(walk.Folder());
  ASSERT_TRUE(second.Start());
  const auto step = [&second] { return second.StepFrames(1) == 1; };
  const auto tap = [&](int key) {
    platform::SetKeyHeld(key, true);
    step();
    platform::SetKeyHeld(key, false);
    step();
  };
  const auto stepUntil = [&](const std::function<bool()>& done, int limit) {
    for (int i = 0; i < limit; ++i)
      if (!step() || done()) return done();
    return false;
  };
  ASSERT_TRUE(stepUntil([] {
    auto* title = dynamic_cast<cTitleScene*>(g_Game.Scene(GS_TITLE));
    return title != nullptr && title->Phase() == cTitleScene::kMenu;
  }, 600));
  for (int i = 0; i < 4; ++i) tap(kVkDown);
  platform::QueueHeadlessUiEvents(TypeFileName("meadow.rpl4_000"));
  tap(kVkZ);  // replay
  ASSERT_TRUE(stepUntil([] { return InStagePhase(kPhasePlay); }, 600));
  EXPECT_EQ(g_Game.m_nTitleCmd, TC_REPLAY);
  ASSERT_TRUE(stepUntil([] { return InStagePhase(kPhaseStageEnd); }, 1200));
  EXPECT_EQ(g_SaveData.m_nStageValue, total);
  EXPECT_TRUE(second.Close());
}

// Registration on decide (mode 2): the name entry, answered by the script,
// names the new row; the ranking window shows it until decide closes it.
TEST(StageEndWalk, ANewRecordIsRegisteredUnderTheNameTypedIntoTheNameEntry) {
  SampleWalk walk("meadow_record");
  ASSERT_TRUE(StartInTheMeadow(walk));
  g_UserOption->m_nRankingMode = 2;
  ClearTheMeadow(walk);
  ASSERT_EQ(StageScene()->m_bResultShown, 1);
  platform::QueueHeadlessUiEvents(TypeFileName("ACE"));
  std::thread presser = PressDecideInRankingWindow(kVkZ);
  walk.Tap(kVkZ);
  presser.join();
  ASSERT_TRUE(walk.StepUntil([] { return Map() && Map()->Phase() == cWorldMapScene::kWalk; }));
  EXPECT_EQ(g_SaveData.m_strName, "ACE");
  cRanking saved;
  ASSERT_EQ(LoadRanking(saved, PM_STORY, g_SaveData.m_strStage, g_SaveData.m_nStageCode1, g_SaveData.m_nStageCode2,
                        g_SaveData.m_nStageCode3), 1);
  EXPECT_EQ(saved.m_vTables[0].m_vEntries[0].m_strName, "ACE");
  EXPECT_EQ(saved.m_vTables[0].m_vEntries[0].m_bUsed, 1);
  EXPECT_TRUE(walk.Close());
}

}  // namespace

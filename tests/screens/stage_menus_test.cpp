// The stage's pause and retry menus on the shared menu cursor: the entries
// each play mode shows, the cursor walking the visible ones with
// wrap-around, and what each entry does.
#include <gtest/gtest.h>

#include <utility>

#include "definitions/save_data/save_data.h"
#include "input/input_record.h"
#include "project/global_data.h"
#include "project/system_record.h"
#include "screens/menu/menu_cursor.h"
#include "screens/stage_end/register_stage_end.h"
#include "screens/stage_end/stage_menus.h"
#include "shell/game/game.h"
#include "stage/core/stage_rules.h"
#include "stage/scene/stage_end_slot.h"
#include "tests/stage/stage_fixture.h"

namespace {

class StageMenuTest : public testing::Test {
 protected:
  void SetUp() override {
    RegisterStageEnd();
    m_series = g_SaveData.m_nSeries;
    m_switches = g_SaveData.m_vSwitch;
    m_progress = g_SaveData.m_vPair;
    m_backToMap = g_SaveData.m_bBackToMap;
  }
  void TearDown() override {
    g_StageEnd = StageEndSlot();
    g_Game.m_nPlayMode = 0;
    g_StageRules = StageRules();
    g_SaveData.m_nSeries = m_series;
    g_SaveData.m_vSwitch = m_switches;
    g_SaveData.m_vPair = m_progress;
    g_SaveData.m_bBackToMap = m_backToMap;
  }
  // Opens the pause menu over play.
  static void Pause(StageRun& run) {
    cStageScene& scene = run.harness.Scene();
    scene.m_nSavedPhase = kPhasePlay;
    scene.SetPhase(kPhasePause);
    scene.m_nPhaseCounter = 0;
    run.harness.Step(0, 0);
  }
  // The pause menu's retry and map entries after a pause.
  static std::pair<int, int> FurtherEntries(StageRun& run) {
    Pause(run);
    const cStageScene& scene = run.harness.Scene();
    return {scene.m_Menu[2].m_bVisible, scene.m_Menu[3].m_bVisible};
  }

 private:
  std::int32_t m_series = 0;
  cVector<std::int32_t> m_switches;
  cVector<cIntPair> m_progress;
  std::int32_t m_backToMap = 0;
};

TEST_F(StageMenuTest, FreePlayOffersRetryButNotTheMapAndTheCursorWraps) {
  StageRun run(StageBuilder(20, 5, 2, 2));
  g_Game.m_nPlayMode = PM_FREE;
  cStageScene& scene = run.harness.Scene();
  Pause(run);
  ASSERT_EQ(scene.m_Menu.size(), 4u);
  EXPECT_EQ(scene.m_Menu[0].m_strName, g_System->m_vTerms[19]);
  EXPECT_EQ(scene.m_Menu[3].m_bVisible, 0);
  EXPECT_EQ(g_MenuCursor.Top().nRow, 1);
  run.harness.ClearRecords();
  run.harness.Step(kDirDown, 0);
  EXPECT_EQ(scene.m_nMenuCursor, 2);
  EXPECT_EQ(run.harness.Sounds(), std::vector<int>{0});
  run.harness.Step(0, 0);
  run.harness.Step(kDirDown, 0);  // entry 3 is hidden: round to the title entry
  EXPECT_EQ(scene.m_nMenuCursor, 0);
  run.harness.Step(0, 0);
  run.harness.Step(kDirUp, 0);
  EXPECT_EQ(scene.m_nMenuCursor, 2);
  run.harness.Step(0, 1);
  EXPECT_EQ(scene.Phase(), kPhaseIntro);
}

TEST_F(StageMenuTest, StoryOffersRetryAndMapOnlyOnAStageClearedBefore) {
  StageRun run(StageBuilder(20, 5, 2, 2));
  g_Game.m_nPlayMode = PM_STORY;
  g_SaveData.m_nSeries = 5;  // the stage's clear switch
  g_SaveData.m_vSwitch[5] = 0;
  EXPECT_EQ(FurtherEntries(run), std::make_pair(0, 0));
  g_SaveData.m_vSwitch[5] = 1;
  EXPECT_EQ(FurtherEntries(run), std::make_pair(1, 1));  // both on in a new project
  {
    const SystemSwitch noRetry(&cSystem::m_nPause224A, 0);
    EXPECT_EQ(FurtherEntries(run), std::make_pair(0, 1));
  }
  {
    const SystemSwitch noMap(&cSystem::m_bPause757, 0);
    EXPECT_EQ(FurtherEntries(run), std::make_pair(1, 0));
  }
  {
    const SystemSwitch challengeOnly(&cSystem::m_nPause224B, 0);
    EXPECT_EQ(FurtherEntries(run), std::make_pair(1, 1));
  }
  g_SaveData.m_nSeries = static_cast<int>(g_SaveData.m_vSwitch.size());  // no such switch
  EXPECT_EQ(FurtherEntries(run), std::make_pair(0, 0));
}

TEST_F(StageMenuTest, ChallengeOffersRetryOnlyOnAStageClearedBefore) {
  StageRun run(StageBuilder(20, 5, 2, 2));
  g_Game.m_nPlayMode = PM_CHALLENGE;
  g_SaveData.m_vPair.assign(3, cIntPair());
  g_SaveData.m_nSeries = 2;  // challenge stage 2: progress entry 1
  g_SaveData.m_vPair[0].nFirst = 1;
  EXPECT_EQ(FurtherEntries(run), std::make_pair(0, 0));
  g_SaveData.m_vPair[1].nFirst = 1;
  EXPECT_EQ(FurtherEntries(run), std::make_pair(1, 0));
  {
    const SystemSwitch noRetry(&cSystem::m_nPause224B, 0);
    EXPECT_EQ(FurtherEntries(run), std::make_pair(0, 0));
  }
  {
    const SystemSwitch storyOnly(&cSystem::m_nPause224A, 0);
    EXPECT_EQ(FurtherEntries(run), std::make_pair(1, 0));
  }
  g_SaveData.m_nSeries = 4;  // past the progress list
  EXPECT_EQ(FurtherEntries(run), std::make_pair(0, 0));
}

TEST_F(StageMenuTest, StoryMapEntryLeavesForTheMap) {
  StageRun run(StageBuilder(20, 5, 2, 2));
  g_Game.m_nPlayMode = PM_STORY;
  g_SaveData.m_nSeries = 0;  // switch 0 is always on
  cStageScene& scene = run.harness.Scene();
  Pause(run);
  EXPECT_EQ(scene.m_Menu[2].m_bVisible, 1);
  EXPECT_EQ(scene.m_Menu[3].m_bVisible, 1);
  run.harness.Step(kDirDown, 0);
  run.harness.Step(0, 0);
  run.harness.Step(kDirDown, 0);
  EXPECT_EQ(scene.m_nMenuCursor, 3);
  g_SaveData.m_bBackToMap = 0;
  run.harness.Step(0, 1);
  EXPECT_EQ(scene.Phase(), kPhaseLeave);
  EXPECT_EQ(g_Game.m_nNextState, GS_WORLDMAP);
  EXPECT_EQ(g_SaveData.m_bBackToMap, 1);
  g_SaveData.m_bBackToMap = 0;
}

TEST_F(StageMenuTest, CancelResumesWhereThePauseBegan) {
  StageRun run(StageBuilder(20, 5, 2, 2));
  cStageScene& scene = run.harness.Scene();
  Pause(run);
  run.harness.ClearRecords();
  run.harness.Step(0, 2);
  EXPECT_EQ(scene.Phase(), kPhasePlay);
  EXPECT_EQ(run.harness.Sounds(), std::vector<int>{2});
}

TEST_F(StageMenuTest, TheRetryMenuStartsOnRetryAndGoesBackToTheMap) {
  StageRun run(StageBuilder(20, 5, 2, 2));
  cStageScene& scene = run.harness.Scene();
  scene.SetPhase(kPhaseRetryMenu);
  scene.m_nPhaseCounter = 0;
  run.harness.Step(0, 0);
  ASSERT_EQ(scene.m_Menu.size(), 2u);
  EXPECT_EQ(scene.m_Menu[1].m_strName, g_System->m_vTerms[24]);
  EXPECT_EQ(g_MenuCursor.Top().nRow, 0);
  run.harness.Step(kDirUp, 0);  // wraps to the last entry
  EXPECT_EQ(scene.m_nMenuCursor, 1);
  g_SaveData.m_bBackToMap = 0;
  run.harness.Step(0, 1);
  EXPECT_EQ(scene.Phase(), kPhaseLeave);
  EXPECT_EQ(g_Game.m_nNextState, GS_WORLDMAP);
  EXPECT_EQ(g_SaveData.m_bBackToMap, 1);
  g_SaveData.m_bBackToMap = 0;
}

}  // namespace

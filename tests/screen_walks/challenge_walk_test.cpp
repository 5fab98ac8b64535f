// The challenge screen on the sample game: the list of the two challenge
// stages, the ranking window keys, a start of the second stage and, on the
// way back, the list at the same row.
#include <gtest/gtest.h>

#include <filesystem>
#include <utility>

#include "definitions/save_data/save_data.h"
#include "platform/window.h"
#include "player_threads.h"
#include "project/global_data.h"
#include "project/system_record.h"
#include "screen_walk.h"
#include "screens/challenge/challenge_scene.h"
#include "screens/menu/menu_cursor.h"
#include "screens/title/title_scene.h"
#include "shell/game/game.h"

namespace {

cTitleScene* Title() { return dynamic_cast<cTitleScene*>(g_Game.Scene(GS_TITLE)); }
cChallengeScene* Challenge() { return dynamic_cast<cChallengeScene*>(g_Game.Scene(GS_CHALLENGE)); }

// Starts the player and chooses the challenge on the title's menu, up to
// the stage list.
void StartAtTheChallengeList(cScreenWalk& walk) {
  ASSERT_TRUE(walk.Start());
  ASSERT_TRUE(walk.StepUntil([] { return Title() && Title()->Phase() == cTitleScene::kMenu; }));
  walk.Tap(kKeyDown);
  walk.Tap(kKeyDown);
  walk.Tap(kKeyZ);
  ASSERT_TRUE(walk.StepUntil([] { return Challenge() && Challenge()->Phase() == cChallengeScene::kSelect; }));
}

TEST(ChallengeWalk, ListsTheStagesTogglesTheRankingAndStartsTheChosenStage) {
  cScreenWalk walk("challenge");
  ASSERT_NO_FATAL_FAILURE(StartAtTheChallengeList(walk));
  EXPECT_EQ(g_Game.m_nPlayMode, PM_CHALLENGE);
  EXPECT_EQ(Challenge()->Total(), 2);
  EXPECT_EQ(g_SaveData.m_strStage, "data\\stg4\\c01.");
  walk.Step();
  walk.Shot("list");

  const int shown = g_SaveData.m_bShowRanking;
  walk.Tap(kKeyC);
  EXPECT_NE(g_SaveData.m_bShowRanking, shown);
  walk.Step();
  walk.Shot("ranking");

  walk.Tap(kKeyDown);
  EXPECT_EQ(g_MenuCursor.Top().nRow, 1);
  EXPECT_EQ(g_SaveData.m_strStage, "data\\stg4\\c02.");
  walk.Tap(kKeyDown);  // the list ends there
  EXPECT_EQ(g_MenuCursor.Top().nRow, 1);
  walk.Tap(kKeyZ);
  EXPECT_EQ(Challenge()->Phase(), cChallengeScene::kLeave);
  EXPECT_EQ(g_SaveData.m_nSeries, 2);
  EXPECT_EQ(g_Game.m_nChallenge1, 1);
  ASSERT_TRUE(walk.StepUntil([] { return g_Game.m_nState == GS_STAGE; }));
  EXPECT_EQ(g_Game.m_nPrevState, GS_CHALLENGE);
  EXPECT_TRUE(walk.Harness().Close());
}

// The open-stage count of the progress is kept within 1..the stages the
// project has, and stages past the progress's result list show as not
// cleared, best value 0.
TEST(ChallengeWalk, OpenStagesStayWithinTheListAndMissingResultsReadAsZero) {
  cScreenWalk walk("challenge_range");
  ASSERT_NO_FATAL_FAILURE(StartAtTheChallengeList(walk));
  g_System->m_bUsePairCount = 0;
  g_SaveData.m_vPair.clear();
  for (auto [open, total] : {std::pair{99, 2}, std::pair{-5, 1}, std::pair{0, 1}, std::pair{2, 2}}) {
    g_SaveData.m_nPairIndex = open;
    walk.Tap(kKeyUp);
    EXPECT_EQ(Challenge()->Total(), total) << open;
    EXPECT_EQ(Challenge()->Phase(), cChallengeScene::kSelect);
  }
  walk.Tap(kKeyDown);
  EXPECT_EQ(g_MenuCursor.Top().nRow, 1);
  EXPECT_EQ(g_SaveData.m_nPairIndex, 2);  // shown, not changed
  EXPECT_TRUE(walk.Harness().Close());
}

// The first stage's file cut short and chosen from the list, as the player
// runs (the game thread steps while the main thread runs the window): the
// stage file's box, then the list's, then the question, never over a box,
// also when the window's close button was clicked in the first box. Yes
// closes.
TEST(ChallengeWalk, ADamagedStagesBoxesComeBeforeItsQuestionWithTheGameThreadRunning) {
  for (const CloseClick click : {CloseClick::None, CloseClick::InTheFirstBox}) {
    const bool clicked = click == CloseClick::InTheFirstBox;
    SCOPED_TRACE(clicked ? "closed in the first box" : "no close clicked");
    cScreenWalk walk(clicked ? "challenge_damaged_threads_closed" : "challenge_damaged_threads");
    ASSERT_NO_FATAL_FAILURE(StartAtTheChallengeList(walk));
    const std::filesystem::path file = walk.Folder() / "data" / "stg4" / "c01-1.stg4_000";
    std::filesystem::resize_file(file, std::filesystem::file_size(file) - 4);
    ExpectTheDamagedStagesBoxesThenTheQuestion(PressAndRunPlayerThreadsAnsweringBoxes(kKeyZ, click));
    EXPECT_FALSE(platform::MainWindowExists());
    EXPECT_TRUE(walk.Harness().Close());
  }
}

TEST(ChallengeWalk, StageFilesAreNumberedFromOne) {
  cScreenWalk walk("challenge_names");
  ASSERT_TRUE(walk.Start());
  EXPECT_EQ(ChallengeStageFile(1), "data\\stg4\\c01-1.stg4");
  EXPECT_EQ(ChallengeStageFile(12), "data\\stg4\\c12-1.stg4");
  EXPECT_TRUE(walk.Harness().Close());
}

}  // namespace

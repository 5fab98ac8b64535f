// The stage's menus and questions over the sample game's meadow, entered
// from the world map: the retry and pause menus lead back to the stage or
// to the map, and a close asked for while the stage is held (a message, a
// wait, the clear's extra lives) asks once and is followed through.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "definitions/save_data/save_data.h"
#include "foundation/message_box.h"
#include "map_walk_steps.h"
#include "platform/input_devices.h"
#include "platform/main_thread.h"
#include "platform/message_box.h"
#include "platform/ui_events.h"
#include "platform/window.h"
#include "player_threads.h"
#include "project/global_data.h"
#include "project/system_record.h"
#include "shell/dialogs/dialog_box.h"
#include "shell/dialogs/message_box_dialog.h"
#include "shell/game/game.h"
#include "shell/game/game_clock.h"
#include "stage/chara/hero.h"
#include "stage/chara/stage_lists.h"
#include "stage/core/stage_rules.h"
#include "stage/scene/stage_hooks.h"
#include "stage/scene/stage_scene.h"
#include "stage/show/show_wait.h"

namespace {

// Steps until the stage scene is in play.
void UntilPlay(cScreenWalk& walk) {
  ASSERT_TRUE(walk.StepUntil([] { return StageScene() != nullptr && StageScene()->Phase() == kPhasePlay; }));
}

// A new game into the meadow, in play.
void IntoTheMeadow(cScreenWalk& walk) {
  ASSERT_TRUE(walk.Start());
  ASSERT_NO_FATAL_FAILURE(NewGameToTheMap(walk));
  ASSERT_NO_FATAL_FAILURE(EnterTheFirstStage(walk));
  ASSERT_NO_FATAL_FAILURE(UntilPlay(walk));
}

// The stage's menus in each drawing mode, over the meadow entered from the
// map: the texts the sample game gives them, their entries and where they
// lead.
class StageMenusWalk : public testing::TestWithParam<DrawingMode> {
 protected:
  static void UntilPhase(cScreenWalk& walk, int phase) {
    ASSERT_TRUE(walk.StepUntil([phase] { return StageScene() != nullptr && StageScene()->Phase() == phase; }));
  }
  static std::vector<std::string> VisibleEntries() {
    std::vector<std::string> names;
    for (const cCmdItem& item : StageScene()->m_Menu)
      if (item.m_bVisible) names.push_back(item.m_strName);
    return names;
  }
  std::string Name(const char* what) const { return std::string(what) + "_" + GetParam().name; }
};

std::string Text(const char* utf8) { return Cp932Literal(utf8); }

constexpr int kKeySpace = 0x20;

// A lost life opens the retry menu; "retry" plays the meadow again with a
// life less, and after the next lost life "to the map" puts the figure back
// on the cell it came from, the meadow not being cleared.
TEST_P(StageMenusWalk, ALostLifeOffersRetryAndTheWayBackToTheMap) {
  cScreenWalk walk(Name("retry_menu"), {GetParam().startup});
  ASSERT_NO_FATAL_FAILURE(IntoTheMeadow(walk));
  const int lives = g_SaveData.m_nLife;
  StageScene()->HeroDied();
  ASSERT_NO_FATAL_FAILURE(UntilPhase(walk, kPhaseRetryMenu));
  walk.Step();
  walk.Shot("menu");
  EXPECT_EQ(VisibleEntries(), (std::vector<std::string>{Text("リトライ"), Text("マップへ戻る")}));
  EXPECT_EQ(g_SaveData.m_nLife, lives - 1);
  walk.TakeSounds();
  walk.Tap(kKeyZ);
  EXPECT_EQ(walk.TakeSounds(), std::vector<int>{1});
  EXPECT_EQ(StageScene()->Phase(), kPhaseIntro);
  ASSERT_NO_FATAL_FAILURE(UntilPlay(walk));
  EXPECT_EQ(PlayerHero()->dead, 0);

  g_SaveData.m_nLife = 1;  // the meadow began with its last life: one more to lose
  StageScene()->HeroDied();
  ASSERT_NO_FATAL_FAILURE(UntilPhase(walk, kPhaseRetryMenu));
  walk.Tap(kKeyDown);
  walk.Tap(kKeyZ);
  EXPECT_EQ(StageScene()->Phase(), kPhaseLeave);
  ASSERT_TRUE(walk.StepUntil([] { return g_Game.m_nPrevState == GS_STAGE && Map() && Map()->Phase() == cWorldMapScene::kWalk; }));
  EXPECT_EQ(Map()->Cursor().x, 6);
  EXPECT_EQ(g_SaveData.m_nLife, 0);
  EXPECT_TRUE(walk.Harness().Close());
}

// Space pauses; on a stage cleared before, the menu offers all four
// entries: "retry" starts the stage again with the lives it began with, "to
// the map" leaves it, and the map lets the figure walk on from the stage.
TEST_P(StageMenusWalk, SpacePausesAndAClearedStagesMenuRetriesAndGoesToTheMap) {
  cScreenWalk walk(Name("pause_menu"), {GetParam().startup});
  ASSERT_NO_FATAL_FAILURE(IntoTheMeadow(walk));
  g_SaveData.m_vSwitch[g_SaveData.m_nSeries] = 1;  // cleared in an earlier visit
  const int lives = g_SaveData.m_nLife;
  walk.TakeSounds();
  walk.Tap(kKeySpace);
  ASSERT_NO_FATAL_FAILURE(UntilPhase(walk, kPhasePause));
  EXPECT_EQ(walk.TakeSounds().front(), 4);
  walk.Step();
  walk.Shot("menu");
  EXPECT_EQ(VisibleEntries(), (std::vector<std::string>{Text("タイトルへ戻る"), Text("つづける"), Text("リトライ"),
                                                         Text("マップへ戻る")}));
  walk.Tap(kKeyDown);
  walk.Tap(kKeyZ);  // retry
  EXPECT_EQ(StageScene()->Phase(), kPhaseIntro);
  EXPECT_EQ(g_SaveData.m_nLife, lives);
  ASSERT_NO_FATAL_FAILURE(UntilPlay(walk));

  walk.Tap(kKeySpace);
  ASSERT_NO_FATAL_FAILURE(UntilPhase(walk, kPhasePause));
  walk.Tap(kKeyDown);
  walk.Tap(kKeyDown);
  walk.Tap(kKeyZ);  // to the map
  EXPECT_EQ(StageScene()->Phase(), kPhaseLeave);
  EXPECT_EQ(g_SaveData.m_bBackToMap, 1);
  ASSERT_TRUE(walk.StepUntil([] { return g_Game.m_nPrevState == GS_STAGE && Map() && Map()->Phase() == cWorldMapScene::kWalk; }));
  walk.Step(30);
  EXPECT_EQ(g_Game.m_nState, GS_WORLDMAP);
  EXPECT_EQ(Map()->Cursor().x, 7);
  EXPECT_TRUE(walk.Harness().Close());
}

// Esc while a message or a timed wait holds the stage, its modal loop
// running inside the game thread's frame: the question comes once (in a
// window; full screen never asks); Yes ends the hold at once (the game
// waits on its clock for no more than the rest of the frame it was in),
// and the close that the stage raises after it closes the player without
// asking again.
TEST_P(StageMenusWalk, EscWhileAMessageOrAWaitHoldsTheStageAsksOnce) {
  for (int duration : {kShowUntilKey, kShowTimed}) {
    SCOPED_TRACE(duration);
    cScreenWalk walk(Name(duration == kShowUntilKey ? "esc_message" : "esc_wait"), {GetParam().startup});
    ASSERT_NO_FATAL_FAILURE(IntoTheMeadow(walk));
    cManualClock& clock = walk.Harness().Clock();
    const cStageScene& scene = *StageScene();
    std::atomic<std::uint32_t> waitedWhileQuitting{0};
    SetGameClock({[&clock] { return clock.Now(); },
                  [&clock, &scene, &waitedWhileQuitting](std::uint32_t milliseconds) {
                    if (scene.m_bQuit.load()) waitedWhileQuitting += milliseconds;
                    clock.Advance(milliseconds);
                  }});
    std::atomic<bool> held{false};
    std::atomic<std::uint32_t> waitedInTheHold{0};
    auto step = [&held, &waitedWhileQuitting, &waitedInTheHold, duration] {
      if (!held.exchange(true)) {
        WaitWhileShown(*StageScene(), kWaitMessage, duration, 1000000, 0);
        waitedInTheHold = waitedWhileQuitting.load();
      }
      return g_Game.Frame();
    };
    platform::SetHeadlessBoxAnswer(platform::kAnswerYes);
    Questions();
    EXPECT_TRUE(RunPlayerThreadsUntilClosed(step, [] { return StageScene()->m_bHeld.load() != 0; },
                                            {platform::KeyDownEvent(platform::kVkEscape)}));
    SetGameClock(clock.AsGameClock());
    EXPECT_LT(waitedInTheHold.load(), 100u);
    EXPECT_EQ(Questions(), GetParam().startup.windowMode ? 1u : 0u);
    EXPECT_FALSE(platform::MainWindowExists());
    EXPECT_TRUE(walk.Harness().Close());
  }
}

// The key that answers a question is not also the stage's: Esc asks the
// quit question, Tab goes to "No" and Space answers it, and the Space still
// held when the question has gone does not pause the stage. Let go and
// pressed again, it does.
TEST(StageQuestionWalk, TheKeyThatAnswersTheQuitQuestionDoesNotAlsoPause) {
  cScreenWalk walk("quit_question_keys");
  ASSERT_NO_FATAL_FAILURE(IntoTheMeadow(walk));
  ASSERT_EQ(g_StageRules.pauseMenu, 1);
  UseDialogMessageBoxes(true);
  std::string asked;
  SetDialogObserver([&asked](DialogBox& box) {
    asked = box.Caption();
    platform::SetKeyHeld(kKeySpace, true);  // down from the question's Space on
  });
  using platform::KeyDownEvent, platform::KeyUpEvent;
  platform::QueueHeadlessUiEvents({KeyDownEvent(platform::kVkEscape), KeyUpEvent(platform::kVkEscape),
                                   KeyDownEvent(platform::kVkTab), KeyUpEvent(platform::kVkTab),
                                   KeyDownEvent(platform::kVkSpace)});
  const int played = walk.Harness().StepFrames(1);
  SetDialogObserver(nullptr);
  UseDialogMessageBoxes(false);
  platform::ClearHeadlessUiScript();
  EXPECT_EQ(played, 1);  // answered "No": the player goes on
  EXPECT_EQ(asked, Text("終了確認"));
  walk.Step(3);
  EXPECT_EQ(StageScene()->Phase(), kPhasePlay);
  platform::SetKeyHeld(kKeySpace, false);
  walk.Step();
  walk.Tap(kKeySpace);
  EXPECT_EQ(StageScene()->Phase(), kPhasePause);
  EXPECT_TRUE(walk.Harness().Close());
}

// The clear's extra lives each show "1UP" in a hold of the frame that ends
// the stage. Esc and No during the first: every life due is awarded, and
// the next Esc asks again. Esc and Yes: the player closes, though the
// frame goes on into the stage end after the hold.
TEST(StageQuestionWalk, AQuitAnsweredDuringTheClearsExtraLivesIsFollowedThrough) {
  for (const platform::BoxAnswer answer : {platform::kAnswerNo, platform::kAnswerYes}) {
    const bool yes = answer == platform::kAnswerYes;
    SCOPED_TRACE(yes ? "yes" : "no");
    cScreenWalk walk(yes ? "extra_lives_quit" : "extra_lives_stay");
    ASSERT_NO_FATAL_FAILURE(IntoTheMeadow(walk));
    g_System->m_bScoreStep = 1;
    g_System->m_nScoreStep = 100;
    g_SaveData.m_nStageValue = 0;
    g_SaveData.m_nScore = 300;  // three lives due
    const int lives = g_SaveData.m_nLife;
    std::atomic<bool> cleared{false};
    std::atomic<int> framesAfterTheTally{0};
    std::atomic<int> livesAfterTheTally{0};
    std::atomic<bool> gaveUp{false};
    std::chrono::steady_clock::time_point tallied;
    auto step = [&] {
      if (!cleared.exchange(true)) {  // the goal
        PrepareStageEnd(*StageScene());
        StageScene()->SetPhase(kPhaseStageEnd);
        livesAfterTheTally = g_SaveData.m_nLife;
        tallied = std::chrono::steady_clock::now();
      }
      if (++framesAfterTheTally == 10 && !yes) {
        platform::SetHeadlessBoxAnswer(platform::kAnswerYes);
        platform::RequestClose(platform::CloseReason::User);  // Esc again
      }
      if (!gaveUp && std::chrono::steady_clock::now() - tallied > std::chrono::seconds(10)) {
        gaveUp = true;  // the close was lost: the test ends the player
        platform::RequestClose(platform::CloseReason::Terminate);
      }
      return g_Game.Frame();
    };
    platform::SetHeadlessBoxAnswer(answer);
    Questions();
    EXPECT_TRUE(RunPlayerThreadsUntilClosed(step, [] { return StageScene()->m_bHeld.load() != 0; },
                                            {platform::KeyDownEvent(platform::kVkEscape)}));
    EXPECT_FALSE(gaveUp.load());
    EXPECT_EQ(Questions(), yes ? 1u : 2u);
    if (!yes) {
      EXPECT_EQ(livesAfterTheTally.load(), lives + 3);
    }
    EXPECT_FALSE(platform::MainWindowExists());
    EXPECT_TRUE(walk.Harness().Close());
  }
}

// A close that the game thread's frame holds back until its end is raised
// as soon as that frame hands itself over to a hold of the stage, which
// lasts here until someone answers: a failure of the frame that began the
// hold, and the player's close that came in while the main thread served
// that frame (as a box it asked for does). The question comes during the
// hold, once, and Yes closes.
TEST(StageQuestionWalk, ACloseHeldByTheFrameThatBeginsAHoldAsksDuringIt) {
  for (const platform::CloseReason reason : {platform::CloseReason::Fatal, platform::CloseReason::User}) {
    const bool failure = reason == platform::CloseReason::Fatal;
    SCOPED_TRACE(failure ? "failure" : "player");
    cScreenWalk walk(failure ? "held_failure_in_a_hold" : "held_close_in_a_hold");
    ASSERT_NO_FATAL_FAILURE(IntoTheMeadow(walk));
    cManualClock& clock = walk.Harness().Clock();
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    std::atomic<bool> gaveUp{false};
    SetGameClock({[&clock] { return clock.Now(); },
                  [&clock, &gaveUp, deadline](std::uint32_t milliseconds) {
                    if (std::chrono::steady_clock::now() > deadline && !gaveUp.exchange(true))
                      platform::RequestClose(platform::CloseReason::Terminate);  // the close was lost
                    clock.Advance(milliseconds);
                  }});
    std::atomic<bool> held{false};
    auto step = [&held, failure] {
      if (!held.exchange(true)) {
        if (failure)
          platform::RequestClose(platform::CloseReason::Fatal);
        else
          platform::RunOnMainThread([] { platform::RequestClose(platform::CloseReason::User); });
        WaitWhileShown(*StageScene(), kWaitMessage, kShowUntilKey, 1000000, 0);
      }
      return g_Game.Frame();
    };
    platform::SetHeadlessBoxAnswer(platform::kAnswerYes);
    Questions();
    EXPECT_TRUE(RunPlayerThreadsUntilClosed(step, [] { return StageScene()->m_bHeld.load() != 0; }, {}));
    SetGameClock(clock.AsGameClock());
    EXPECT_FALSE(gaveUp.load());
    EXPECT_EQ(Questions(), 1u);
    EXPECT_FALSE(platform::MainWindowExists());
    EXPECT_TRUE(walk.Harness().Close());
  }
}

// A free play of the meadow, its stage file removed during play, paused
// with the cursor on "to the title".
void FreePlayWhoseFileWentPausedOnToTheTitle(cScreenWalk& walk) {
  ASSERT_TRUE(walk.Start());
  ASSERT_TRUE(walk.StepUntil([] { return Title() && Title()->Phase() == cTitleScene::kMenu; }));
  for (int i = 0; i < 3; ++i) walk.Tap(kKeyDown);
  platform::QueueHeadlessUiEvents({platform::KeyDownEvent('A', true), platform::TextEvent("Stage1.stg4_000"),
                                   platform::KeyDownEvent(platform::kVkReturn)});
  walk.Tap(kKeyZ);  // free play: the file box answers with the meadow
  ASSERT_TRUE(walk.StepUntil([] { return StageScene() != nullptr && StageScene()->Phase() == kPhasePlay; }));
  ASSERT_EQ(g_Game.m_nPlayMode, PM_FREE);
  ASSERT_TRUE(std::filesystem::remove(walk.Folder() / "data" / "stg4" / "Stage1.stg4_000"));
  walk.Tap(kKeySpace);
  ASSERT_EQ(StageScene()->Phase(), kPhasePause);
  walk.Tap(kKeyUp);
}

// A free play left for the title by the pause menu after its stage file
// went: the file cannot be played again, and that failure asks. After No
// the title runs, since only a start-over needs the file.
TEST(StageQuestionWalk, AFreePlayLeftForTheTitleAfterItsFileWentShowsTheTitleAfterNo) {
  cScreenWalk walk("free_play_file_gone");
  ASSERT_NO_FATAL_FAILURE(FreePlayWhoseFileWentPausedOnToTheTitle(walk));
  Questions();
  platform::SetHeadlessBoxAnswer(platform::kAnswerNo);
  walk.Tap(kKeyZ);  // to the title
  ASSERT_TRUE(walk.StepUntil([] { return Title() && Title()->Phase() == cTitleScene::kMenu; }));
  EXPECT_EQ(Questions(), 1u);
  EXPECT_EQ(g_Game.m_nPrevState, GS_STAGE);
  platform::SetHeadlessBoxAnswer(platform::kAnswerYes);
  EXPECT_TRUE(walk.Harness().Close());
}

// The same with the player's threads, the window's close button clicked
// while the file's box is open: that close waits for the step, which goes on
// to the title, and is still asked about as a close in the stage where it
// was clicked, together with the failure: one question, and No shows the
// title.
TEST(StageQuestionWalk, ACloseClickedInTheFreePlaysFileBoxAsksOnceAndNoShowsTheTitle) {
  cScreenWalk walk("free_play_file_gone_closed");
  ASSERT_NO_FATAL_FAILURE(FreePlayWhoseFileWentPausedOnToTheTitle(walk));
  const std::vector<DrawnBox> boxes =
      PressAndRunPlayerThreadsAnsweringBoxes(kKeyZ, CloseClick::InTheFirstBox, QuestionAnswer::No);
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_NE(boxes[0].text.find("の読み込みに失敗しました！"), std::string::npos);
  EXPECT_EQ(boxes[0].answer, IDOK);
  EXPECT_EQ(boxes[1], (DrawnBox{"終了しますか？\n", IDNO, false}));
  EXPECT_EQ(g_Game.m_nState, GS_TITLE);
  ASSERT_NE(Title(), nullptr);
  EXPECT_TRUE(walk.Harness().Close());
}

// A stage started directly (its file given on the command line) closes
// without asking. Closed by its failure (its pictures damaged: it cannot be
// set up) the player exits with status 1, so that a script sees that the
// game was not played; closed by Esc, the player's choice, with 0.
TEST(StageQuestionWalk, ADirectStageClosedByItsFailureExitsWith1AndByEscWith0) {
  for (const bool damaged : {true, false}) {
    SCOPED_TRACE(damaged ? "damaged" : "Esc");
    cScreenWalk walk(damaged ? "direct_stage_damaged" : "direct_stage_esc");
    if (damaged) std::filesystem::resize_file(walk.Folder() / "bmp" / "Block.bmp", 20);
    ASSERT_TRUE(walk.Start("data\\stg4\\Stage1.stg4_000"));
    if (!damaged) {
      ASSERT_TRUE(walk.StepUntil([] { return StageScene() != nullptr && StageScene()->Phase() == kPhasePlay; }));
      platform::QueueHeadlessUiEvents({platform::KeyDownEvent(platform::kVkEscape)});
    }
    EXPECT_LT(walk.Harness().StepFrames(60), 60);
    EXPECT_FALSE(platform::MainWindowExists());
    EXPECT_EQ(platform::QuitPosted(), damaged ? 1 : 0);
    std::vector<std::string> texts;
    EXPECT_EQ(Questions(&texts), 0u);
    EXPECT_EQ(texts.size(), damaged ? 1u : 0u);
  }
}

INSTANTIATE_TEST_SUITE_P(DrawingModes, StageMenusWalk,
                         testing::Values(DrawingMode{"Direct3DWindow32", {1, 1, 32}},
                                         DrawingMode{"DirectDrawWindow32", {0, 1, 32}},
                                         DrawingMode{"DirectDrawFullScreen8", {0, 0, 8}}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace

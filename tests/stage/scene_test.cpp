// Scene phases around play: the modal sub-loop's wait, the retry menu after
// a lost life in story mode, a death held by the draws outside play (the
// pause menu's among them), and the frames-counted wait with leading frames.
#include <gtest/gtest.h>

#include <algorithm>

#include "definitions/save_data/save_data.h"
#include "input/input_record.h"
#include "input/replay_serving.h"
#include "platform/main_thread.h"
#include "stage/harness/stage_harness.h"
#include "shell/game/game.h"
#include "shell/subsystems/subsystem_steps.h"
#include "stage/chara/hero.h"
#include "stage/chara/stage_lists.h"
#include "stage/core/stage_rules.h"
#include "tests/stage/stage_fixture.h"

namespace {

TEST(PauseLoop, FrameCountedWaitWithLeadingFrames) {
  StageBuilder builder(20, 5, 0, 0);
  StageRun run(builder);
  cStageScene& scene = run.harness.Scene();
  scene.m_nWaitLeading = 2;
  scene.m_bWaitForDecide = 0;
  scene.m_nWaitFrames = 3;
  cInput input;
  input.Init();
  int frames = 0;
  while (scene.PauseFrame(input, 0) && frames < 100) ++frames;
  EXPECT_EQ(frames, 2 + 3);  // counts 2, 1, 0 are drawn; -1 ends
}

TEST(PauseLoop, DecideEndsAMessageWaitAndIsSwallowed) {
  StageBuilder builder(20, 5, 0, 0);
  StageRun run(builder);
  cStageScene& scene = run.harness.Scene();
  scene.m_nWaitMode = 1;
  scene.m_bWaitForDecide = 1;
  cInput input;
  input.Init();
  EXPECT_TRUE(scene.PauseFrame(input, 0));
  input.m_wButton = 1;
  EXPECT_TRUE(scene.PauseFrame(input, 1));  // held since the frame before
  input.m_bLatch = 0;
  input.m_wButton = 1;
  EXPECT_FALSE(scene.PauseFrame(input, 0));
  EXPECT_EQ(run.harness.Sounds().back(), 12);
  EXPECT_EQ(scene.m_bSwallowButtons, 1);
}

// The phase a lost life in story mode leads to.
int PhaseAfterALostLife(StageRun& run) {
  g_SaveData.m_nLife = 3;
  cStageScene& scene = run.harness.Scene();
  scene.HeroDied();
  EXPECT_EQ(run.harness.Hero()->dead, 1);
  SkipToHeroDeathEnd(run);
  run.harness.Step(0, 0);
  EXPECT_EQ(g_SaveData.m_nLife, 2);
  return scene.Phase();
}

TEST(Scene, LostLifeInStoryModeOpensTheRetryMenuWhenTheProjectAsksForIt) {
  StageBuilder builder(20, 5, 2, 2);
  StageRun run(builder);
  g_Game.m_nPlayMode = PM_STORY;
  {
    const SystemSwitch noMenu(&cSystem::m_nSetting191A, 0);
    EXPECT_EQ(PhaseAfterALostLife(run), kPhaseIntro);
  }
  cStageScene& scene = run.harness.Scene();
  scene.SetPhase(kPhasePlay);
  EXPECT_EQ(PhaseAfterALostLife(run), kPhaseRetryMenu);  // a new project's default
  for (int i = 0; i < 3; ++i) run.harness.Step(0, 0);
  EXPECT_EQ(g_SaveData.m_nLife, 2);  // the death the menu still shows has ended once
  run.harness.Step(0, 1);  // "retry"
  EXPECT_EQ(scene.Phase(), kPhaseIntro);
  EXPECT_EQ(run.harness.Hero()->dead, 0);
  g_Game.m_nPlayMode = 0;
}

// The draws of the pause menu and of a message hold a death where it is;
// the next play frame ends it.
TEST(Scene, ADeathAtItsEndWaitsOutsidePlayForTheNextPlayFrame) {
  StageBuilder builder(20, 5, 2, 2);
  StageRun run(builder);
  const SystemSwitch noRetryMenu(&cSystem::m_nSetting191A, 0);  // the death ends in a new attempt
  g_SaveData.m_nLife = 3;
  cStageScene& scene = run.harness.Scene();
  scene.HeroDied();
  SkipToHeroDeathEnd(run);
  scene.Draw(0, 1, 0, 1);  // a draw of the pause menu
  scene.m_nWaitMode = 1;
  scene.m_bWaitForDecide = 1;
  cInput input;
  input.Init();
  EXPECT_TRUE(scene.PauseFrame(input, 0));  // a message waits for decide
  scene.SetPhase(kPhasePause);
  run.harness.Step(0, 0);
  EXPECT_EQ(scene.Phase(), kPhasePause);
  EXPECT_EQ(g_SaveData.m_nLife, 3);
  EXPECT_EQ(run.harness.Hero()->dead, 1);
  scene.SetPhase(kPhasePlay);
  run.harness.Step(0, 0);
  EXPECT_EQ(scene.Phase(), kPhaseIntro);
  EXPECT_EQ(g_SaveData.m_nLife, 2);
  EXPECT_EQ(run.harness.Hero()->dead, 0);
}

// Play frames from the hero's death to its end (the life it costs), with
// the pause menu open for 180 frames after `pausedAfter` of them.
int PlayFramesOfTheHerosDeath(int pausedAfter) {
  StageBuilder builder(20, 5, 2, 2);
  StageRun run(builder);
  g_SaveData.m_nLife = 3;
  cStageScene& scene = run.harness.Scene();
  scene.HeroDied();
  int frames = 0;
  while (g_SaveData.m_nLife == 3 && frames < 500) {
    if (frames == pausedAfter) {
      run.harness.HoldKey(SpecialKey::Space, true);
      run.harness.Step(0, 0);
      run.harness.HoldKey(SpecialKey::Space, false);
      for (int paused = 0; paused < 180; ++paused) run.harness.Step(0, 0);
      EXPECT_EQ(scene.Phase(), kPhasePause);
      EXPECT_EQ(g_SaveData.m_nLife, 3);
      EXPECT_EQ(run.harness.Hero()->dead, 1);
      run.harness.Step(0, 2);  // cancel: back to play
      EXPECT_EQ(scene.Phase(), kPhasePlay);
    }
    run.harness.Step(0, 0);
    ++frames;
  }
  EXPECT_EQ(scene.Phase(), kPhaseIntro);
  return frames;
}

TEST(Scene, APauseOnAShownStageHoldsTheHerosDeath) {
  const SystemSwitch pauseMenu(&cSystem::m_nSetting838, 1);
  const SystemSwitch stageShown(&cSystem::m_bPauseDraw, 0);
  const SystemSwitch noRetryMenu(&cSystem::m_nSetting191A, 0);
  const int unpaused = PlayFramesOfTheHerosDeath(-1);
  EXPECT_GT(unpaused, 1);
  EXPECT_EQ(PlayFramesOfTheHerosDeath(20), unpaused);
}

}  // namespace

namespace {

TEST(Scene, GoalEndsTheStageAndDecideLeavesAfter200Frames) {
  StageBuilder builder(20, 5, 2, 2);
  builder.stage.AutoEnd = 0;
  StageRun run(builder);
  cStageScene& scene = run.harness.Scene();
  scene.m_nPendingOutcome = 1;
  EXPECT_EQ(run.harness.Step(0, 0), FrameEnd::PhaseChanged);
  EXPECT_EQ(scene.Phase(), kPhaseStageEnd);
  int frames = 0;
  while (scene.Phase() == kPhaseStageEnd && frames < 400) {
    run.harness.Step(0, frames % 2);  // decide pressed every other frame
    ++frames;
  }
  EXPECT_GE(frames, 199);
  EXPECT_EQ(scene.Phase(), kPhaseLeave);
}

TEST(Scene, CarriedOffTheBottomOfASelfScrollingScreenIsDeadThree) {
  StageBuilder builder(20, 40, 2, 30);
  builder.stage.AutoScrollY = 1;
  builder.stage.AutoScrollSpeedY = -30;
  StageRun run(builder);
  for (int i = 0; i < 600 && !run.harness.Hero()->dead; ++i) run.harness.Step(0, 0);
  const auto& lines = run.harness.DebugLines();
  EXPECT_NE(std::find(lines.begin(), lines.end(), "Dead 3"), lines.end());
}

}  // namespace

namespace {

// A set-up that fails (no hero placed; a replay that can no longer be read;
// the file a free play starts over from gone) raises the failure's close,
// and the scene stands still however the question is answered: no frame of
// a half-made stage is played and the game stays where it is.
TEST(Scene, ASetUpThatFailsStandsStill) {
  enum class Failure { NoHero, ReplayGone, FreePlayFileGone };
  for (const Failure failure : {Failure::NoHero, Failure::ReplayGone, Failure::FreePlayFileGone}) {
    SCOPED_TRACE(static_cast<int>(failure));
    cEdStage stage = MakeHarnessStage(20, 5, 2, 2, 2);
    if (failure == Failure::NoHero) stage.m_vChara.clear();
    if (failure == Failure::ReplayGone) {
      g_Game.m_nTitleCmd = kTitleCmdReplay;
      g_strReplayFile = "user_data\\rpl4\\gone.rpl4_878";
    }
    if (failure == Failure::FreePlayFileGone) {
      g_Game.m_nTitleCmd = TC_FREEPLAY;
      g_Game.m_nNextState = GS_STAGE;  // the start-over
      SetPlayStageFileStep([](const std::string&) { return false; });
    }
    cStageHarness harness;
    harness.UseStage(stage);
    harness.Begin(7, failure == Failure::FreePlayFileGone ? kPhaseLeave : kPhasePlay);
    const int state = g_Game.m_nState;
    for (int i = 0; i < 300; ++i) harness.Step(0, 0);
    EXPECT_TRUE(harness.Scene().SetUpFailed());
    EXPECT_EQ(platform::TakeCloseRequest(), platform::CloseReason::Fatal);
    EXPECT_EQ(harness.Scene().m_nFrameCount, 0);
    EXPECT_EQ(g_Game.m_nState, state);
    g_Game.m_nTitleCmd = 0;
    g_Game.m_nNextState = 0;
    g_strReplayFile.clear();
    SetPlayStageFileStep(nullptr);
  }
}

// A free play left for the title (game over, the pause menu's title entry)
// whose stage file cannot be played again goes to the title all the same:
// only a start-over needs that file. The failure raises its close.
TEST(Scene, LeavingAFreePlayForTheTitleGoesOnWhenItsFileIsGone) {
  g_Game.m_nTitleCmd = TC_FREEPLAY;
  SetPlayStageFileStep([](const std::string&) { return false; });
  cStageHarness harness;
  harness.UseStage(MakeHarnessStage(20, 5, 2, 2, 2));
  harness.Begin(7, kPhaseLeave);
  g_Game.m_nState = GS_STAGE;
  g_Game.m_nNextState = GS_TITLE;
  for (int i = 0; i < 300 && g_Game.m_nState == GS_STAGE; ++i) harness.Step(0, 0);
  EXPECT_EQ(g_Game.m_nState, GS_TITLE);
  EXPECT_EQ(g_Game.m_nPrevState, GS_STAGE);
  EXPECT_EQ(g_Game.m_nFps, 60);
  EXPECT_EQ(harness.Scene().Phase(), kPhaseStart);
  EXPECT_FALSE(harness.Scene().SetUpFailed());
  EXPECT_EQ(platform::TakeCloseRequest(), platform::CloseReason::Fatal);
  g_Game.m_nTitleCmd = 0;
  g_Game.m_nState = GS_TITLE;
  g_Game.m_nPrevState = 0;
  SetPlayStageFileStep(nullptr);
}

TEST(Scene, QuitRequestClosesFromPlay) {
  StageBuilder builder(20, 5, 2, 2);
  StageRun run(builder);
  run.harness.Scene().m_bQuit = 1;
  EXPECT_EQ(run.harness.Step(0, 0), FrameEnd::Close);
  EXPECT_EQ(platform::TakeCloseRequest(), platform::CloseReason::User);
  run.harness.Scene().m_bQuit = 0;
}

}  // namespace

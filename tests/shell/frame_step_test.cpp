// The frame step on the harness clock: the timers, pacing in both drawing
// modes (with the restart after a stall), scene switching, and the FPS line.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "foundation/log.h"
#include "platform/main_thread.h"
#include "shell/game/frame_step.h"
#include "shell/game/game.h"
#include "shell/game/game_clock.h"
#include "shell/game/timers.h"
#include "shell/harness/run_harness.h"
#include "shell/init/system_ini.h"
#include "graphics/text/font_setup.h"
#include "platform/presenter.h"
#include "tests/shell/prepared_game.h"

namespace {

class TimersTest : public testing::Test {
 protected:
  void SetUp() override {
    SetGameClock(clock_.AsGameClock());
    ResetFrameTimers();
  }
  void TearDown() override { SetGameClock({}); }
  cManualClock clock_;
};

TEST_F(TimersTest, FrameDueNeverComesFasterThanOnceIn16Ms) {
  EXPECT_TRUE(FrameDue(60));  // the first frame at once
  clock_.Advance(15);
  EXPECT_FALSE(FrameDue(60));
  clock_.Advance(1);
  EXPECT_TRUE(FrameDue(60));
  // A stall re-bases: the next frame is due 16 ms after the late one.
  clock_.Advance(500);
  EXPECT_TRUE(FrameDue(60));
  EXPECT_FALSE(FrameDue(60));
  clock_.Advance(16);
  EXPECT_TRUE(FrameDue(60));
  EXPECT_TRUE(FrameDue(0));
}

TEST_F(TimersTest, CountFpsGivesTheFramesOfTheLastWholeSecond) {
  for (int i = 0; i < 60; ++i) {
    EXPECT_EQ(CountFps(1), 0);
    clock_.Advance(16);
  }
  clock_.Advance(40);  // 1000 ms after the first call
  EXPECT_EQ(CountFps(1), 61);
  EXPECT_EQ(CountFps(0), 61);
}

TEST_F(TimersTest, ElapsedAndLapTimes) {
  ResetElapsedTime();
  clock_.Advance(7);
  EXPECT_EQ(GetLapTime(1), 7u);
  clock_.Advance(3);
  EXPECT_EQ(GetLapTime(0), 7u);
  EXPECT_EQ(GetElapsedTime(1), 10u);
  EXPECT_EQ(GetElapsedTime(0), 0u);
}

TEST_F(TimersTest, FrameSkipCountAndPingPong) {
  EXPECT_EQ(FrameSkipCount(0, 3), 0);
  EXPECT_EQ(FrameSkipCount(2, 3), 1);
  EXPECT_EQ(FrameSkipCount(1, 3), 0);
  EXPECT_EQ(FrameSkipCount(2, 3), 0);
  EXPECT_EQ(FrameSkipCount(1, 3), 0);
  EXPECT_EQ(FrameSkipCount(1, 3), 1);
  EXPECT_EQ(FrameSkipCount(2, 3), 1);

  int value = 240, down = 0;
  EXPECT_EQ(PingPong(&value, &down, 16, 0, 255), 0);
  EXPECT_EQ(value, 256 - 16);  // stepped past the top and back
  EXPECT_EQ(down, 1);
  value = 10;
  EXPECT_EQ(PingPong(&value, &down, 16, 0, 255), 1);
  EXPECT_EQ(value, 10);
  EXPECT_EQ(down, 0);
}

// A scene that counts what happens to it.
struct SceneLog {
  int made = 0;
  int deleted = 0;
  int runs = 0;
};

class CountingScene : public cScene {
 public:
  CountingScene(int state, SceneLog& log) : cScene(state), log_(log) {
    ++log_.made;
    m_vPhases = {[this] { ++log_.runs; }};
  }
  ~CountingScene() override { ++log_.deleted; }

 private:
  SceneLog& log_;
};

class CountingStage : public cStageSceneBase {
 public:
  explicit CountingStage(SceneLog& log) : log_(log) { ++log_.made; }
  ~CountingStage() override { ++log_.deleted; }

 private:
  SceneLog& log_;
};

class FrameStepTest : public testing::Test {
 protected:
  void TearDown() override {
    for (int state = 0; state < kGameStateCount; ++state) SetSceneFactory(state, nullptr);
    if (harness_) harness_->Close(platform::CloseReason::Terminate);
  }
  void Start(const std::string& systemIni) {
    WritePreparedGame(folder_.Path(), {systemIni});
    harness_ = std::make_unique<cRunHarness>(folder_.Path());
    ASSERT_TRUE(harness_->Start());
  }
  // The clock after each of `count` frames.
  std::vector<std::uint32_t> FrameTimes(int count) {
    std::vector<std::uint32_t> times;
    harness_->StepFrames(count, [&](int) { times.push_back(harness_->Clock().Now()); });
    return times;
  }
  // Pixels of the last frame inside the rectangle that are not black.
  int LitPixels(int x, int y, int w, int h) {
    int width = 0, height = 0;
    const auto pixels = harness_->PresentedFrame(&width, &height);
    int lit = 0;
    for (int row = y; row < y + h && row < height; ++row)
      for (int col = x; col < x + w && col < width; ++col) lit += pixels[row * width + col] != 0;
    return lit;
  }

  // What the scenes count and what the lost-surface list sees: members that
  // outlive the harness, which deletes the last scenes when TearDown closes it.
  SceneLog title_, map_, stage_;
  int restored_ = 0;
  bool failRestore_ = false;
  ScratchGameFolder folder_{"frame_step"};
  std::unique_ptr<cRunHarness> harness_;
};

TEST_F(FrameStepTest, DirectDrawPacesOneFrameEvery16Ms) {
  Start("Direct3D=0\nWindowMode=1\nShowFps=0\nExit\n");
  const auto times = FrameTimes(10);
  for (std::size_t i = 1; i < times.size(); ++i) EXPECT_EQ(times[i] - times[i - 1], 16u) << i;
}

TEST_F(FrameStepTest, Direct3DPacesSixtyFramesASecondWithAndWithoutSync) {
  for (const char* vsync : {"0", "1"}) {
    Start(std::string("Direct3D=1\nWindowMode=1\nShowFps=0\nVSync=") + vsync + "\nExit\n");
    const std::uint32_t start = harness_->Clock().Now();
    const auto times = FrameTimes(60);
    // Frame k is shown at k x 1000 / 60 ms after the first.
    for (int k = 0; k < 60; ++k)
      EXPECT_EQ(times[k] - start, static_cast<std::uint32_t>(std::ceil(k * (1000.0 / 60)))) << k;
    harness_->Close(platform::CloseReason::Terminate);
  }
}

TEST_F(FrameStepTest, Direct3DPacingRestartsAfterAStall) {
  Start("Direct3D=1\nWindowMode=1\nShowFps=0\nVSync=0\nExit\n");
  FrameTimes(10);
  harness_->Clock().Advance(700);  // a dialog held the game
  const auto times = FrameTimes(4);
  // The missed frames are not made up for: frames keep their 16 to 17 ms.
  for (std::size_t i = 1; i < times.size(); ++i) {
    EXPECT_GE(times[i] - times[i - 1], 16u) << i;
    EXPECT_LE(times[i] - times[i - 1], 17u) << i;
  }
}

TEST_F(FrameStepTest, ScenesAreMadeOnTheirFirstFrameAndDroppedOnAnother) {
  SetSceneFactory(GS_TITLE, [this] { return std::make_unique<CountingScene>(GS_TITLE, title_); });
  SetSceneFactory(GS_WORLDMAP, [this] { return std::make_unique<CountingScene>(GS_WORLDMAP, map_); });
  SetSceneFactory(GS_STAGE, [this] { return std::make_unique<CountingStage>(stage_); });
  Start("Direct3D=0\nWindowMode=1\nShowFps=0\nExit\n");
  harness_->StepFrames(2);
  EXPECT_EQ(title_.made, 1);
  EXPECT_EQ(title_.runs, 2);

  g_Game.m_nNextState = GS_WORLDMAP;
  g_Game.Scene(GS_TITLE)->Leave();
  EXPECT_EQ(g_Game.m_nPrevState, GS_TITLE);
  harness_->StepFrames(1);
  EXPECT_EQ(title_.deleted, 1);
  EXPECT_EQ(map_.runs, 1);

  g_Game.m_nState = GS_STAGE;
  harness_->StepFrames(1);
  ASSERT_NE(g_pStageScene.load(), nullptr);
  EXPECT_EQ(g_pStageScene.load(), g_Game.Scene(GS_STAGE));
  EXPECT_EQ(g_pStageScene.load()->m_nFrameRate, 0);  // no whole second yet
  harness_->StepFrames(70);
  EXPECT_GT(g_pStageScene.load()->m_nFrameRate, 55);

  g_Game.m_nState = GS_TITLE;
  harness_->StepFrames(1);
  EXPECT_EQ(stage_.deleted, 1);
  EXPECT_EQ(g_pStageScene.load(), nullptr);
  EXPECT_EQ(title_.made, 2);
}

TEST_F(FrameStepTest, KeptScenesComeBackWithTheirContents) {
  SetSceneFactory(GS_TITLE, [this] { return std::make_unique<CountingScene>(GS_TITLE, title_); });
  SetSceneFactory(GS_WORLDMAP, [this] { return std::make_unique<CountingScene>(GS_WORLDMAP, map_); });
  Start("Direct3D=0\nWindowMode=1\nShowFps=0\nExit\n");
  g_Game.m_bKeepScenes = 1;
  harness_->StepFrames(1);
  cScene* first = g_Game.Scene(GS_TITLE);
  g_Game.m_nState = GS_WORLDMAP;
  harness_->StepFrames(1);
  g_Game.m_nState = GS_TITLE;
  harness_->StepFrames(1);
  EXPECT_EQ(g_Game.Scene(GS_TITLE), first);
  EXPECT_EQ(title_.made, 1);
  EXPECT_EQ(title_.runs, 2);
  g_Game.m_bKeepScenes = 0;
}

TEST_F(FrameStepTest, TextThrownWhileSwitchingIsLoggedAndClosesWithoutEndingTheFrame) {
  SetSceneFactory(GS_TITLE, []() -> std::unique_ptr<cScene> { throw "scene failed"; });
  Start("Direct3D=1\nWindowMode=1\nShowFps=0\nExit\n");
  EXPECT_EQ(harness_->StepFrames(1), 1);
  EXPECT_TRUE(platform::ForcedCloseRaised());
  EXPECT_EQ(LitPixels(0, 0, 640, 480), 0);  // the frame was still shown, cleared
}

TEST_F(FrameStepTest, FpsLineIsDrawnWhereShowFpsSaysAndNotWithout) {
  Start("Direct3D=1\nWindowMode=1\nShowFps=0\nExit\n");
  harness_->StepFrames(2);
  EXPECT_EQ(LitPixels(0, 0, 640, 480), 0);
  harness_->Close(platform::CloseReason::Terminate);

  Start("Direct3D=1\nWindowMode=1\nShowFps=2\nExit\n");
  harness_->StepFrames(2);
  EXPECT_GT(LitPixels(549, 469, 91, 11), 0);
  EXPECT_EQ(LitPixels(0, 0, 640, 460), 0);
  harness_->Close(platform::CloseReason::Terminate);

  Start("Direct3D=1\nWindowMode=1\nShowFps=1\nExit\n");
  harness_->StepFrames(2);
  EXPECT_GT(LitPixels(495, 463, 145, 17), 0);
  EXPECT_EQ(LitPixels(0, 0, 640, 460), 0);
}

}  // namespace

namespace {

TEST_F(FrameStepTest, DirectDrawBringsLostSurfacesBackBeforeTheFrameAndStopsWhenThatFails) {
  Start("Direct3D=0\nWindowMode=1\nShowFps=0\nExit\n");
  AddLostSurfaceList([this] {
    ++restored_;
    return failRestore_ ? 0 : 1;
  });
  harness_->StepFrames(1);
  EXPECT_EQ(restored_, 0);  // nothing was lost
  platform::GetPresenter().SimulateDeviceLost();
  platform::GetPresenter().SimulateDeviceResettable();
  EXPECT_EQ(harness_->StepFrames(1), 1);
  EXPECT_EQ(restored_, 1);
  EXPECT_EQ(g_NumberSD[0].bLost, 0);
  platform::GetPresenter().SimulateDeviceLost();
  platform::GetPresenter().SimulateDeviceResettable();
  failRestore_ = true;
  EXPECT_EQ(harness_->StepFrames(1), 0);  // the frame step ends the game
  failRestore_ = false;
}

}  // namespace

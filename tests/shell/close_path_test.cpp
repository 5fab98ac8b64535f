// The close path: the exit question and when it is asked, the window's place
// saved, the worker threads ended in order, the pause thread ended first,
// and a close that never waits on a worker that waits for the main thread.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <mutex>
#include <sstream>
#include <vector>

#include "foundation/log.h"
#include "foundation/thread.h"
#include "platform/clock.h"
#include "platform/headless_window.h"
#include "platform/main_thread.h"
#include "platform/message_box.h"
#include "platform/window.h"
#include "shell/app_state.h"
#include "shell/game/game.h"
#include "shell/harness/run_harness.h"
#include "shell/main_window.h"
#include "shell/requests/game_requests.h"
#include "shell/window/window_pos.h"
#include "shell/worker_threads.h"
#include "tests/shell/prepared_game.h"

namespace {

namespace fs = std::filesystem;

// Records the order in which threads end.
class EndOrder {
 public:
  std::function<unsigned()> Procedure(std::string name) {
    return [this, name] {
      ThreadMessage message;
      while (!(cThread::PeekMessage(message) && message.id == WM_QUIT)) cThread::Sleep(1);
      std::lock_guard lock(mutex_);
      ended_.push_back(name);
      return 1u;
    };
  }
  std::vector<std::string> Ended() {
    std::lock_guard lock(mutex_);
    return ended_;
  }

 private:
  std::mutex mutex_;
  std::vector<std::string> ended_;
};

class ClosePathTest : public testing::Test {
 protected:
  void SetUp() override {
    platform::TakeHeadlessBoxes();
    platform::ResetHeadlessWindow();
    WritePreparedGame(folder_.Path());
    harness_ = std::make_unique<cRunHarness>(folder_.Path());
    ASSERT_TRUE(harness_->Start());
    InitDebugLog(1, folder_.Path() / "EC_Game.txt");
  }
  void TearDown() override {
    platform::SetHeadlessBoxAnswer(platform::kAnswerYes);
    harness_->Close(platform::CloseReason::Terminate);
    for (cThread* thread : {&thGame, &thPause, &thRanking, &thLoadStage}) thread->Exit();
    InitDebugLog(0, "EC_Game.txt");
    g_bFromEditor = 0;
  }
  std::vector<std::string> DebugLines() {
    std::ifstream in(folder_.Path() / "EC_Game.txt");
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }

  ScratchGameFolder folder_{"close_path"};
  std::unique_ptr<cRunHarness> harness_;
};

TEST_F(ClosePathTest, AwayFromTheTitleTheQuestionComesFirstAndNoKeepsPlaying) {
  g_Game.m_nState = GS_WORLDMAP;
  platform::SetHeadlessBoxAnswer(platform::kAnswerNo);
  EXPECT_FALSE(harness_->Close());
  auto boxes = platform::TakeHeadlessBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, "終了しますか？\n");
  EXPECT_EQ(boxes[0].caption, "終了確認");
  EXPECT_TRUE(platform::MainWindowExists());
  EXPECT_FALSE(fs::exists(folder_.Path() / "user_data/Window.dat"));

  platform::SetHeadlessBoxAnswer(platform::kAnswerYes);
  EXPECT_TRUE(harness_->Close());
  EXPECT_EQ(platform::TakeHeadlessBoxes().size(), 1u);
  EXPECT_FALSE(platform::MainWindowExists());
  EXPECT_TRUE(fs::exists(folder_.Path() / "user_data/Window.dat"));
}

TEST_F(ClosePathTest, AtTheTitleOrOnATestPlayOrAForcedCloseNothingIsAsked) {
  g_Game.m_nState = GS_TITLE;
  EXPECT_TRUE(harness_->Close());
  EXPECT_TRUE(platform::TakeHeadlessBoxes().empty());

  ASSERT_TRUE(harness_->Start());
  g_Game.m_nState = GS_WORLDMAP;
  g_bFromEditor = 1;
  EXPECT_TRUE(harness_->Close());
  EXPECT_TRUE(platform::TakeHeadlessBoxes().empty());
  g_bFromEditor = 0;

  ASSERT_TRUE(harness_->Start());
  g_Game.m_nState = GS_WORLDMAP;
  EXPECT_TRUE(harness_->Close(platform::CloseReason::Fatal));
  EXPECT_TRUE(platform::TakeHeadlessBoxes().empty());
}

TEST_F(ClosePathTest, WorkersEndInOrderBeforeTheWindowGoes) {
  EndOrder order;
  thLoadStage.Start(order.Procedure("thLoadStage"));
  thRanking.Start(order.Procedure("thRanking"));
  thGame.Start(order.Procedure("thGame"));
  EXPECT_TRUE(harness_->Close());
  EXPECT_EQ(order.Ended(), (std::vector<std::string>{"thLoadStage", "thRanking", "thGame"}));
  std::vector<std::string> closeLines;  // the thread object's own lines left out
  for (const std::string& line : DebugLines())
    if (line.rfind("Exit ", 0) != 0) closeLines.push_back(line);
  EXPECT_EQ(closeLines, (std::vector<std::string>{"WM_CLOSE 成功！", "thPause.Exit()", "thGame.Exit()", "WM_DESTROY"}));
  EXPECT_EQ(g_bClosing.load(), 1);
}

TEST_F(ClosePathTest, AnOpenPauseEndsFirstAndTheNextCloseFinishes) {
  SetSceneFactory(GS_STAGE, [] { return std::make_unique<cStageSceneBase>(); });
  g_Game.m_nState = GS_STAGE;
  g_bDirectStage = 1;  // a stage started directly never asks
  harness_->StepFrames(1);
  EndOrder order;
  thPause.Start(order.Procedure("thPause"));
  EXPECT_FALSE(harness_->Close());
  EXPECT_EQ(g_pStageScene.load()->m_bQuit.load(), 1);
  thPause.Wait();
  EXPECT_EQ(order.Ended(), std::vector<std::string>{"thPause"});
  EXPECT_EQ(DebugLines(), std::vector<std::string>{"WM_CLOSE thPause.m_hThread"});
  EXPECT_TRUE(harness_->Close());
  SetSceneFactory(GS_STAGE, nullptr);
}

TEST_F(ClosePathTest, CloseWhileAWorkerWaitsForTheMainThreadDoesNotHang) {
  std::atomic<int> fileResult{-1};
  std::atomic<bool> sent{false};
  thGame.Start([&] {
    fileResult = RequestFileDialog(WM_GAME_OPENSTAGE);
    return 1u;
  });
  thRanking.Start([&] {
    platform::SendRequest(WM_GAME_PLAYBGM, 0);
    sent = true;
    return 1u;
  });
  platform::SleepMs(20);  // both wait now: nobody serves their requests
  // Ending the threads serves what they wait for, or lets them give up.
  OnMainWindowClose(platform::CloseReason::Fatal);
  EXPECT_FALSE(platform::MainWindowExists());
  EXPECT_FALSE(thGame.IsRunning());
  EXPECT_FALSE(thRanking.IsRunning());
  EXPECT_EQ(fileResult.load(), 0);
  EXPECT_TRUE(sent.load());
}

TEST_F(ClosePathTest, DialogRequestsOfMissingDialogsAnswerAsCancelled) {
  std::atomic<int> result{-1};
  std::atomic<bool> named{false};
  thGame.Start([&] {
    result = RequestFileDialog(WM_GAME_LOADREPLAY) + RequestFileDialog(WM_GAME_SAVEREPLAY, 1) +
             RequestFileDialog(WM_GAME_OPENSTAGE);
    RequestNameEntry();
    named = true;
    return 1u;
  });
  while (!named.load()) {
    platform::ServeMainThread();
    platform::SleepMs(1);
  }
  EXPECT_EQ(result.load(), 0);
  EXPECT_TRUE(named.load());
  EXPECT_EQ(g_bFileRequestDone.load(), 1);
  EXPECT_EQ(g_bNameEntryDone.load(), 1);
}

TEST_F(ClosePathTest, ABadSoundNumberOnlyWritesAReportLine) {
  platform::SendRequest(WM_GAME_PLAYSE, 9999);
  EXPECT_FALSE(platform::ForcedCloseRaised());
  std::ifstream in(folder_.Path() / "Report_Game.txt");
  std::ostringstream text;
  text << in.rdbuf();
  EXPECT_NE(text.str().find("err V[9999] ( "), std::string::npos);
  EXPECT_NE(text.str().find(" , 284 )"), std::string::npos);
  EXPECT_TRUE(platform::MainWindowExists());
}

}  // namespace

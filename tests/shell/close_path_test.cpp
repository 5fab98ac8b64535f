// The close path: the exit question and when it is asked (once per close,
// once per failure that keeps raising its close), the window's place saved,
// the worker threads ended in order, a hold of the stage ended first, and a
// close that never waits on a worker that waits for the main thread.

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <optional>
#include <sstream>
#include <utility>
#include <vector>

#include "foundation/log.h"
#include "foundation/message_box.h"
#include "foundation/thread.h"
#include "platform/clock.h"
#include "platform/headless_window.h"
#include "platform/main_thread.h"
#include "platform/message_box.h"
#include "platform/ui_events.h"
#include "platform/window.h"
#include "shell/app_state.h"
#include "shell/dialogs/dialog_box.h"
#include "shell/dialogs/message_box_dialog.h"
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
    // A test's route may point into its body, which has returned.
    SetMesBoxRoute(nullptr);
    platform::SetHeadlessBoxAnswer(platform::kAnswerYes);
    harness_->Close(platform::CloseReason::Terminate);
    for (cThread* thread : {&thGame, &thPause, &thRanking, &thLoadStage}) thread->Exit();
    InitDebugLog(0, "EC_Game.txt");
    g_bFromEditor = 0;
    g_bDirectStage = 0;
    SetSceneFactory(GS_WORLDMAP, nullptr);
    SetSceneFactory(GS_STAGE, nullptr);
  }
  // The exit questions shown since the last call (the debug boxes of the
  // frames left out).
  static std::size_t Questions() {
    std::size_t count = 0;
    for (const auto& box : platform::TakeHeadlessBoxes()) count += box.caption == "終了確認";
    return count;
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

// A failure's close asks as the player's does: the game may go on, and what
// was not saved yet with it.
TEST_F(ClosePathTest, AFailuresCloseAsksTooAndNoKeepsPlaying) {
  g_Game.m_nState = GS_WORLDMAP;
  platform::SetHeadlessBoxAnswer(platform::kAnswerNo);
  EXPECT_FALSE(harness_->Close(platform::CloseReason::Fatal));
  EXPECT_EQ(Questions(), 1u);
  EXPECT_TRUE(platform::MainWindowExists());
  EXPECT_EQ(g_bClosing.load(), 0);

  EXPECT_EQ(harness_->StepFrames(2), 2);  // another failure, later
  platform::SetHeadlessBoxAnswer(platform::kAnswerYes);
  EXPECT_TRUE(harness_->Close(platform::CloseReason::Fatal));
  EXPECT_EQ(Questions(), 1u);
  EXPECT_FALSE(platform::MainWindowExists());
}

TEST_F(ClosePathTest, AtTheTitleOrOnATestPlayOrATerminationNothingIsAsked) {
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
  EXPECT_TRUE(harness_->Close(platform::CloseReason::Terminate));
  EXPECT_TRUE(platform::TakeHeadlessBoxes().empty());
}

// The question is a dialog that would end on a failure's close taken while
// it is open: such a close waits for the answer, which covers it: a No
// declines it with the close that asked.
TEST_F(ClosePathTest, AFailuresCloseRaisedWhileTheQuestionIsOpenWaitsForTheAnswer) {
  g_Game.m_nState = GS_WORLDMAP;
  bool asked = false;
  std::optional<platform::CloseReason> takenMeanwhile;
  SetMesBoxRoute([&](std::string_view, std::string_view, unsigned) {
    asked = true;
    platform::RequestClose();
    takenMeanwhile = platform::TakeCloseRequest();
    return IDNO;
  });
  EXPECT_FALSE(harness_->Close(platform::CloseReason::Fatal));
  EXPECT_TRUE(asked);
  EXPECT_FALSE(takenMeanwhile.has_value());
  EXPECT_FALSE(platform::TakeCloseRequest().has_value());
}

// A scene whose failure raises the close on every frame while it lasts, as
// a checked access in a drawing routine does.
class FailingScene : public cScene {
 public:
  explicit FailingScene(const std::atomic<bool>& failing) : cScene(GS_WORLDMAP), m_failing(failing) {}
  void Run() override {
    if (m_failing.load()) platform::RequestClose();
  }

 private:
  const std::atomic<bool>& m_failing;
};

// After a No the failure's closes are dropped for as long as they come frame
// after frame; the player's own close still asks meanwhile. A frame without
// one ends the failure: the next one asks again.
TEST_F(ClosePathTest, AFailureRaisingItsCloseOnEveryFrameAsksOncePerFailure) {
  static std::atomic<bool> failing{true};
  failing = true;
  SetSceneFactory(GS_WORLDMAP, [] { return std::make_unique<FailingScene>(failing); });
  g_Game.m_nState = GS_WORLDMAP;
  platform::SetHeadlessBoxAnswer(platform::kAnswerNo);
  EXPECT_EQ(harness_->StepFrames(30), 30);
  EXPECT_EQ(Questions(), 1u);

  platform::QueueHeadlessUiEvents({platform::KeyDownEvent(platform::kVkEscape)});
  EXPECT_EQ(harness_->StepFrames(30), 30);
  EXPECT_EQ(Questions(), 1u);

  failing = false;
  EXPECT_EQ(harness_->StepFrames(2), 2);
  failing = true;
  EXPECT_EQ(harness_->StepFrames(30), 30);
  EXPECT_EQ(Questions(), 1u);
  EXPECT_TRUE(platform::MainWindowExists());

  failing = false;
  EXPECT_EQ(harness_->StepFrames(2), 2);
  failing = true;
  platform::SetHeadlessBoxAnswer(platform::kAnswerYes);
  EXPECT_LT(harness_->StepFrames(30), 30);
  EXPECT_EQ(Questions(), 1u);
  EXPECT_FALSE(platform::MainWindowExists());
}

// A scene that shows a drawn box on its first frame; while the box is open
// the player closes the window and a failure raises its close.
class BoxedClosesScene : public cScene {
 public:
  BoxedClosesScene() : cScene(GS_WORLDMAP) {}
  void Run() override {
    if (std::exchange(m_shown, true)) return;
    SetDialogObserver([](DialogBox&) {
      platform::RequestClose(platform::CloseReason::User);
      platform::RequestClose(platform::CloseReason::Fatal);
    });
    platform::QueueHeadlessUiEvents({platform::KeyDownEvent(platform::kVkReturn)});
    DialogMessageBox(Cp932Literal("ステージファイルが破損しています！"), Cp932Literal("エラー"), MB_OK);
    SetDialogObserver(nullptr);
  }

 private:
  bool m_shown = false;
};

// The closes that waited together behind a box, the player's and a
// failure's, are answered by one question: after No the game plays on, and
// the next close asks again.
TEST_F(ClosePathTest, ClosesThatWaitedBehindABoxAreAskedOnce) {
  SetSceneFactory(GS_WORLDMAP, [] { return std::make_unique<BoxedClosesScene>(); });
  g_Game.m_nState = GS_WORLDMAP;
  platform::SetHeadlessBoxAnswer(platform::kAnswerNo);
  EXPECT_EQ(harness_->StepFrames(5), 5);
  EXPECT_EQ(Questions(), 1u);
  platform::QueueHeadlessUiEvents({platform::KeyDownEvent(platform::kVkEscape)});
  EXPECT_EQ(harness_->StepFrames(2), 2);
  EXPECT_EQ(Questions(), 1u);
  EXPECT_TRUE(platform::MainWindowExists());
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

// The close answered Yes ends the pause first; the close the stage raises
// again afterwards closes without asking a second time.
TEST_F(ClosePathTest, AnOpenPauseEndsFirstAndTheNextCloseFinishesWithoutAskingAgain) {
  SetSceneFactory(GS_STAGE, [] { return std::make_unique<cStageSceneBase>(); });
  g_Game.m_nState = GS_STAGE;
  harness_->StepFrames(1);
  EndOrder order;
  thPause.Start(order.Procedure("thPause"));
  EXPECT_FALSE(harness_->Close());
  EXPECT_EQ(g_pStageScene.load()->m_bQuit.load(), 1);
  thPause.Wait();
  EXPECT_EQ(order.Ended(), std::vector<std::string>{"thPause"});
  EXPECT_EQ(DebugLines(), std::vector<std::string>{"WM_CLOSE thPause.m_hThread"});
  EXPECT_TRUE(harness_->Close());
  EXPECT_EQ(Questions(), 1u);
}

// A message or a game wait holds the stage inside the game thread's frame:
// the close ends that hold first, as it ends the pause thread.
TEST_F(ClosePathTest, AHoldOfTheStageInsideTheFrameEndsFirst) {
  SetSceneFactory(GS_STAGE, [] { return std::make_unique<cStageSceneBase>(); });
  g_Game.m_nState = GS_STAGE;
  harness_->StepFrames(1);
  g_pStageScene.load()->m_bHeld = 1;
  EXPECT_FALSE(harness_->Close());
  EXPECT_EQ(g_pStageScene.load()->m_bQuit.load(), 1);
  EXPECT_TRUE(platform::MainWindowExists());
  g_pStageScene.load()->m_bHeld = 0;
  EXPECT_TRUE(harness_->Close());
  EXPECT_EQ(Questions(), 1u);
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

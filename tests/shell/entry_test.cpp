#include "shell/entry.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>
#include <vector>

#include "definitions/param_table.h"
#include "foundation/message_box.h"
#include "platform/clock.h"
#include "platform/main_thread.h"
#include "platform/message_box.h"
#include "platform/own_window.h"
#include "platform/text_encoding.h"
#include "platform/ui_events.h"
#include "shell/dialogs/dialog_box.h"
#include "shell/app_state.h"
#include "shell/game/game.h"
#include "shell/game_thread.h"
#include "tests/shell/prepared_game.h"
#include "tests/support/editor_listener.h"
#include "tests/support/lock_holder.h"
#include "tests/support/wait_until.h"

namespace {

namespace fs = std::filesystem;

// Runs the player in a folder of its own, with its lock in that folder.
class EntryTest : public testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("entry_test_" + std::to_string(::getpid()));
    fs::create_directories(dir_);
    WritePreparedGame(dir_);
    oldDir_ = fs::current_path();
    fs::current_path(dir_);
    ::setenv("XDG_RUNTIME_DIR", dir_.c_str(), 1);
    platform::ResetMainThreadState();
    platform::TakeHeadlessBoxes();
    platform::SetHeadlessBoxAnswer(platform::kAnswerYes);
  }
  void TearDown() override {
    SetGameFrameStep(nullptr);
    platform::SetHeadlessBoxAnswer(platform::kAnswerYes);
    fs::current_path(oldDir_);
    fs::remove_all(dir_);
  }

  // Runs the player until a closer raises the close request from another thread.
  int RunAndClose(platform::CloseReason reason, std::uint32_t afterMs = 50) {
    std::thread closer([=] {
      platform::SleepMs(afterMs);
      platform::RequestClose(reason);
    });
    int code = RunPlayer();
    closer.join();
    return code;
  }

  std::string Report() const {
    std::ifstream in(dir_ / "Report_Game.txt");
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }

  fs::path dir_, oldDir_;
};

TEST_F(EntryTest, StartsStepsFramesAndClosesInOrder) {
  std::atomic<int> frames{0};
  SetGameFrameStep([&] {
    ++frames;
    platform::SleepMs(1);
    return 1;
  });
  g_ParamTable.clear();
  // Close once the game thread has stepped, however slowly a loaded machine starts it.
  std::thread closer([&] {
    WaitUntil([&] { return frames.load() > 0; });
    platform::RequestClose(platform::CloseReason::User);
  });
  EXPECT_EQ(RunPlayer(), 0);
  closer.join();
  EXPECT_EQ(Report().rfind("App : ver 878\nOS : ", 0), 0u);
  EXPECT_GT(frames.load(), 0);
  EXPECT_EQ(g_bGameStarted, 1);
  EXPECT_EQ(g_ParamTable.size(), 40u);  // start-up built the parameter table
  EXPECT_TRUE(platform::TakeHeadlessBoxes().empty());  // a user close at this stage asks nothing
}

TEST_F(EntryTest, FailingFrameStepClosesTheProgram) {
  SetGameFrameStep([] { return 0; });
  EXPECT_EQ(RunPlayer(), 0);  // returns without anyone else raising a close
  EXPECT_TRUE(platform::ForcedCloseRaised());
}

// A failed frame step raises a failure's close, which asks away from the
// title; after a No the game thread steps on until the program closes.
TEST_F(EntryTest, AFailedFrameStepAsksAndNoLetsTheGameStepOn) {
  std::atomic<int> questions{0};
  SetMesBoxRoute([&](std::string_view, std::string_view caption, unsigned) {
    if (caption == Cp932Literal("終了確認")) ++questions;
    return IDNO;
  });
  std::atomic<int> stepsAfterTheNo{0};
  SetGameFrameStep([&] {
    g_Game.m_nState = GS_WORLDMAP;
    platform::SleepMs(1);
    if (questions.load() == 0) return 0;
    if (++stepsAfterTheNo == 3) platform::RequestClose(platform::CloseReason::Terminate);
    return 1;
  });
  EXPECT_EQ(RunPlayer(), 0);
  SetMesBoxRoute(nullptr);
  g_Game.m_nState = GS_TITLE;
  EXPECT_EQ(questions.load(), 1);
  EXPECT_GE(stepsAfterTheNo.load(), 3);
}

TEST_F(EntryTest, EditorReceivesStartThenEndNotice) {
  EditorListener editor;
  EXPECT_EQ(RunAndClose(platform::CloseReason::Terminate), 0);
  EXPECT_EQ(g_bFromEditor, 1);
  auto pid = static_cast<std::uint32_t>(::getpid());
  EXPECT_EQ(editor.Stop(), (std::vector<EditorNotice>{{pid, 1, 1}, {pid, 0, 1}}));
}

TEST_F(EntryTest, WithoutTheEditorVariableNoNoticeIsSent) {
  EditorListener editor;
  ::unsetenv("PLAYER_EDITOR_SOCKET");
  EXPECT_EQ(RunAndClose(platform::CloseReason::Terminate), 0);
  EXPECT_EQ(g_bFromEditor, 0);
  EXPECT_TRUE(editor.Stop().empty());
}

// Saves killed mid-write leave temporaries that no later save of the same
// name removes (replays get a new name each time): the player that holds the
// lock removes them from its save folders, and nothing else: only the
// temporaries of the files it saves there, not a user's file of their shape.
TEST_F(EntryTest, StaleSaveTemporariesAreRemovedOnceTheLockIsHeld) {
  const std::vector<fs::path> stale = {
      dir_ / "user_data/rpl4/.forest__2026__01_01__08_15.rpl4_878.tmp-a1B2c3",
      dir_ / "user_data/.Window.dat.tmp-Zz9Xy0",
      dir_ / "user_data/.option.DAT.tmp-q1W2e3",
      dir_ / "user_data/story/.Story01.dat.tmp-000000",
      dir_ / "user_data/story/.forest_c007_2.rkg.tmp-bBbBbB",
      dir_ / "user_data/challenge/.Challenge.dat.tmp-aaaaaa",
      dir_ / "user_data/free/.forest.rkg.tmp-123abc"};
  const std::vector<fs::path> kept = {dir_ / "user_data/rpl4/.notes.tmp-1",
                                      dir_ / "user_data/rpl4/notes.tmp-abcdef",
                                      dir_ / "user_data/.Notes.txt.tmp-ab_cd!",
                                      dir_ / "user_data/.my notes.txt.tmp-backup",
                                      dir_ / "user_data/.Story01.dat.tmp-a1B2c3",
                                      dir_ / "user_data/story/.Story100.dat.tmp-a1B2c3",
                                      dir_ / "user_data/rpl4/.old.rpl4_700.tmp-a1B2c3",
                                      dir_ / "data/.System.dat.tmp-a1B2c3"};
  for (const fs::path& file : stale) {
    fs::create_directories(file.parent_path());
    std::ofstream(file) << "half";
  }
  for (const fs::path& file : kept) {
    fs::create_directories(file.parent_path());
    std::ofstream(file) << "keep";
  }
  {
    LockHolder first(dir_ / "ゲーム.lock");
    platform::SetHeadlessBoxAnswer(platform::kAnswerNo);
    EXPECT_EQ(RunPlayer(), 0);
    for (const fs::path& file : stale) EXPECT_TRUE(fs::exists(file)) << "another player may be writing " << file;
  }
  platform::SetHeadlessBoxAnswer(platform::kAnswerYes);
  EXPECT_EQ(RunAndClose(platform::CloseReason::Terminate), 0);
  for (const fs::path& file : stale) EXPECT_FALSE(fs::exists(file)) << file;
  for (const fs::path& file : kept) EXPECT_TRUE(fs::exists(file)) << file;
}

// A save folder that is a link out of the game folder takes no write of the
// player, so the clean-up leaves what lies out there alone too.
TEST_F(EntryTest, StaleTemporariesOutsideTheGameFolderAreLeftAlone) {
  const fs::path outside = fs::temp_directory_path() / ("entry_test_outside_" + std::to_string(::getpid()));
  fs::remove_all(outside);
  const std::vector<fs::path> kept = {outside / ".Window.dat.tmp-Zz9Xy0",
                                      outside / "story/.Story01.dat.tmp-000000",
                                      outside / "rpl4/.a.rpl4_878.tmp-a1B2c3"};
  for (const fs::path& file : kept) {
    fs::create_directories(file.parent_path());
    std::ofstream(file) << "someone else's";
  }
  fs::create_directory_symlink(outside, dir_ / "user_data");
  EXPECT_EQ(RunAndClose(platform::CloseReason::Terminate), 0);
  for (const fs::path& file : kept) EXPECT_TRUE(fs::exists(file)) << file;
  fs::remove_all(outside);
}

TEST_F(EntryTest, SecondInstanceAnsweredNoLeavesTheFirstRunning) {
  LockHolder first(dir_ / "ゲーム.lock");
  platform::SetHeadlessBoxAnswer(platform::kAnswerNo);
  EXPECT_EQ(RunPlayer(), 0);
  auto boxes = platform::TakeHeadlessBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].caption, "二重起動");
  EXPECT_EQ(boxes[0].text,
            "既に起動しています。\n実行中のプログラムを閉じて再起動しますか？\n\nWould you like to restart "
            "the game?");
  EXPECT_TRUE(first.Running());
  EXPECT_EQ(Report().find("Mode : "), std::string::npos);  // stopped before the device
}

// Where the desktop's box cannot show, the question is drawn in a small
// window of its own, and answered there.
TEST_F(EntryTest, SecondInstanceQuestionIsDrawnInAWindowOfItsOwnWhereTheSystemBoxCannotShow) {
  LockHolder first(dir_ / "ゲーム.lock");
  platform::SetHeadlessSystemBoxesShow(false);
  std::string asked;
  SetDialogObserver([&](DialogBox& box) {
    asked = platform::Utf8FromCp932(box.Caption());
    EXPECT_TRUE(platform::OwnWindowOpen());
    box.Click(IDNO);
  });
  platform::QueueHeadlessUiEvents({platform::MouseEvent(platform::UiEventKind::MouseMove, 1, 1, 0,
                                                        platform::UiSurface::OwnWindow)});
  EXPECT_EQ(RunPlayer(), 0);
  SetDialogObserver(nullptr);
  platform::ClearHeadlessUiScript();
  platform::SetHeadlessSystemBoxesShow(true);
  EXPECT_EQ(asked, "二重起動");
  int width = 0, height = 0;
  platform::OwnWindowPictureSize(&width, &height);
  EXPECT_GT(width, 0);
  EXPECT_GT(height, 0);
  EXPECT_FALSE(platform::OwnWindowOpen());
  EXPECT_TRUE(platform::TakeHeadlessBoxes().empty());
  EXPECT_TRUE(first.Running());
}

TEST_F(EntryTest, SecondInstanceAnsweredYesReplacesTheFirst) {
  LockHolder first(dir_ / "ゲーム.lock");
  EXPECT_EQ(RunAndClose(platform::CloseReason::Terminate), 0);
  EXPECT_TRUE(first.Ended());
  EXPECT_EQ(platform::TakeHeadlessBoxes().size(), 1u);
}

}  // namespace

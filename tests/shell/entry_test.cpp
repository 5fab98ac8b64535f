// The player's entry in the test process: its frames and its close, the
// editor's notices, the clean-up of stale save temporaries and a second
// start's question.
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <thread>
#include <vector>

#include "definitions/param_table.h"
#include "foundation/message_box.h"
#include "foundation/run_mode.h"
#include "platform/window.h"
#include "shell/app_state.h"
#include "tests/shell/entry_test_fixture.h"
#include "tests/support/editor_listener.h"
#include "tests/support/file_modes.h"
#include "tests/support/lock_holder.h"
#include "tests/support/wait_until.h"

namespace {

namespace fs = std::filesystem;

// The player's close at the title (the title's quit command raises it the
// same way) ends a game that ran: the exit status is 0.
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
  EXPECT_EQ(g_ParamTable.size(), 40u);                 // start-up built the parameter table
  EXPECT_TRUE(platform::TakeHeadlessBoxes().empty());  // a user close at this stage asks nothing
}

// At the title a failure closes without asking: the exit status tells a
// script that it was not the player's choice.
TEST_F(EntryTest, FailingFrameStepClosesTheProgram) {
  SetGameFrameStep([] { return 0; });
  EXPECT_EQ(RunPlayer(), 1);  // returns without anyone else raising a close
  EXPECT_TRUE(platform::ForcedCloseRaised());
  EXPECT_TRUE(platform::TakeHeadlessBoxes().empty());
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
    for (const fs::path& file : stale)
      EXPECT_TRUE(fs::exists(file)) << "another player may be writing " << file;
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

// The first player runs on, its report log as it wrote it.
TEST_F(EntryTest, SecondInstanceAnsweredNoLeavesTheFirstRunning) {
  LockHolder first(dir_ / "ゲーム.lock");
  const std::string firstLog = "App : ver 878\nOS : the first player's\nMode : DirectDraw 32\n";
  std::ofstream(dir_ / "Report_Game.txt", std::ios::trunc) << firstLog;
  platform::SetHeadlessBoxAnswer(platform::kAnswerNo);
  EXPECT_EQ(RunPlayer(), 0);
  auto boxes = platform::TakeHeadlessBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].caption, "二重起動");
  EXPECT_EQ(boxes[0].text,
            "既に起動しています。\n実行中のプログラムを閉じて再起動しますか？\n\nWould you like to restart "
            "the game?");
  EXPECT_TRUE(first.Running());
  EXPECT_EQ(Report(), firstLog);
}

// A second start that cannot end the first (its process cannot be told, so
// the lock never frees) is refused, and leaves the first one's log alone.
TEST_F(EntryTest, SecondInstanceThatCannotEndTheFirstLeavesItsLogWhole) {
  LockHolder first(dir_ / "ゲーム.lock", LockHolder::Requests::EndIt, LockHolder::Known::NotAtAll);
  const std::string firstLog = "App : ver 878\nOS : the first player's\n";
  std::ofstream(dir_ / "Report_Game.txt", std::ios::trunc) << firstLog;
  EXPECT_EQ(RunPlayer(), 1);
  const auto boxes = platform::TakeHeadlessBoxes();
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[1].text, "プログラムの終了に失敗しました。");
  EXPECT_TRUE(first.Running());
  EXPECT_EQ(Report(), firstLog);
}

// While a second start asks, a full-screen player minimises its window (it
// would cover the question and take its keys), answers the start that it has,
// and comes back once the start has done asking, or once the start has gone
// without a word (killed, say).
TEST_F(EntryTest, AFullScreenPlayerStepsAsideWhileASecondStartAsks) {
  std::ofstream(dir_ / "System.ini", std::ios::trunc) << "Direct3D=0\r\nWindowMode=0\r\nBpp=32\r\nExit\r\n";
  std::atomic<int> frames{0};
  SetGameFrameStep([&] {
    ++frames;
    platform::SleepMs(1);
    return 1;
  });
  const auto minimised = [] { return platform::MainWindowMinimised(); };
  const auto restored = [] { return !platform::MainWindowMinimised(); };
  std::thread secondStarts([&] {
    WaitUntil([&] { return frames.load() > 0; });
    ::kill(::getpid(), SIGUSR1);
    EXPECT_TRUE(WaitUntil(minimised));
    ::kill(::getpid(), SIGUSR2);
    EXPECT_TRUE(WaitUntil(restored));

    int stay[2];
    ASSERT_EQ(::pipe2(stay, O_CLOEXEC), 0);
    const pid_t asker = ::fork();
    if (asker == 0) {
      // Asks, takes the answer that the player has stepped aside, and ends
      // without a word once the test lets it.
      ::close(stay[1]);
      sigset_t answer;
      sigemptyset(&answer);
      sigaddset(&answer, SIGUSR2);
      ::sigprocmask(SIG_BLOCK, &answer, nullptr);
      struct sigaction caught {};
      caught.sa_handler = [](int) {};
      ::sigaction(SIGUSR2, &caught, nullptr);
      ::kill(::getppid(), SIGUSR1);
      const timespec wait{10, 0};
      const bool answered = ::sigtimedwait(&answer, nullptr, &wait) == SIGUSR2;
      char byte;
      ::read(stay[0], &byte, 1);
      ::_exit(answered ? 0 : 3);
    }
    ::close(stay[0]);
    EXPECT_TRUE(WaitUntil(minimised));
    ::close(stay[1]);
    int status = 0;
    ::waitpid(asker, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
        << "the player did not answer that it stepped aside";
    EXPECT_TRUE(WaitUntil(restored));
    platform::RequestClose(platform::CloseReason::User);
  });
  EXPECT_EQ(RunPlayer(), 0);
  secondStarts.join();
}

// A game that ships only its default project starts once the question is
// answered Yes: the copy becomes its data folder, and the close saves the
// window's place. test_without_mode_changes runs it again where every mode
// change fails, as on a FAT stick.
TEST_F(EntryTest, AGameWithOnlyItsDefaultFolderStartsFromTheCopy) {
  ASSERT_TRUE(ModeChangesFailAsTheLauncherSays(dir_));
  fs::rename(dir_ / "data", dir_ / "default");
  EXPECT_EQ(RunAndClose(platform::CloseReason::User), 0) << Report();
  EXPECT_EQ(ReadFile(dir_ / "data/System.dat"), ReadFile(dir_ / "default/System.dat"));
  EXPECT_TRUE(fs::is_directory(dir_ / "user_data/rpl4"));
  EXPECT_TRUE(fs::exists(dir_ / "user_data/Window.dat"));
  const std::vector<platform::ShownBox> boxes = platform::TakeHeadlessBoxes();
  ASSERT_EQ(boxes.size(), 1u) << "the default-data question alone";
  EXPECT_EQ(boxes[0].caption, "デフォルトデータ作成の確認");
}

TEST_F(EntryTest, SecondInstanceAnsweredYesReplacesTheFirst) {
  LockHolder first(dir_ / "ゲーム.lock");
  EXPECT_EQ(RunAndClose(platform::CloseReason::Terminate), 0);
  EXPECT_TRUE(first.Ended());
  EXPECT_EQ(platform::TakeHeadlessBoxes().size(), 1u);
}

}  // namespace

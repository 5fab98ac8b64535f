#include "shell/entry.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
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
#include "platform/window.h"
#include "shell/dialogs/dialog_box.h"
#include "shell/app_state.h"
#include "shell/game/game.h"
#include "shell/game_thread.h"
#include "tests/shell/prepared_game.h"
#include "tests/support/editor_listener.h"
#include "tests/support/file_modes.h"
#include "tests/support/lock_holder.h"
#include "tests/support/spawned_program.h"
#include "tests/support/virtual_x_server.h"
#include "tests/support/wait_until.h"

namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& file) {
  std::ifstream in(file);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// What a player started outside any game says first, before the folder.
constexpr const char* kNoGameHere = "No game here: the player was started in ";

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
    // The closes and terminations raised here end no later test's dialogs.
    platform::ResetMainThreadState();
    SetGameFrameStep(nullptr);
    platform::SetHeadlessBoxAnswer(platform::kAnswerYes);
    fs::current_path(oldDir_);
    fs::remove_all(dir_);
  }

  // Runs the player until its game thread raises the close request on the
  // first frame, once every question of the start has been asked.
  int RunAndClose(platform::CloseReason reason) {
    std::atomic<bool> raised{false};
    SetGameFrameStep([&raised, reason] {
      if (!raised.exchange(true)) platform::RequestClose(reason);
      platform::SleepMs(1);
      return 1;
    });
    return RunPlayer();
  }

  std::string Report() const { return ReadFile(dir_ / "Report_Game.txt"); }

  fs::path dir_, oldDir_;
};

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
  EXPECT_EQ(g_ParamTable.size(), 40u);  // start-up built the parameter table
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
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the player did not answer that it stepped aside";
    EXPECT_TRUE(WaitUntil(restored));
    platform::RequestClose(platform::CloseReason::User);
  });
  EXPECT_EQ(RunPlayer(), 0);
  secondStarts.join();
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

// The player program itself, started in the test's game folder with these
// changes to its environment. (The sanitizer build's player keeps its exit
// code: the libraries' memory held to the end is not what is tested here.)
SpawnedProgram::Setup PlayerProgram(const fs::path& folder, SpawnedProgram::Setup::Environment environment) {
  environment.emplace_back("ASAN_OPTIONS", "detect_leaks=0");
  return {.command = {PLAYER_PROGRAM}, .folder = folder, .environment = std::move(environment), .descriptor3 = -1};
}

int Occurrences(const std::string& text, const std::string& part) {
  int count = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size())) ++count;
  return count;
}

// Where the lock file can be made nowhere (each place holds a folder of its
// name here), the player runs unguarded and says so once, on stderr and in
// its report, naming each place and why it refused.
TEST_F(EntryTest, APlayerWithoutALockAnywhereSaysSoOnce) {
  const fs::path temporary = dir_ / "tmp";
  const fs::path places[] = {dir_ / "ゲーム.lock",
                             temporary / ("ゲーム-" + std::to_string(::getuid()) + ".lock")};
  for (const fs::path& place : places) fs::create_directories(place);
  SpawnedProgram player(PlayerProgram(dir_, {{"SDL_VIDEODRIVER", "dummy"},
                                             {"SDL_AUDIODRIVER", "dummy"},
                                             {"DISPLAY", std::nullopt},
                                             {"WAYLAND_DISPLAY", std::nullopt},
                                             {"XDG_RUNTIME_DIR", dir_.string()},
                                             {"TMPDIR", temporary.string()}}));
  ASSERT_TRUE(player.Started());
  const std::string said = "No instance lock (\"" + places[0].string() + "\": Is a directory; \"" +
                           places[1].string() + "\": Is a directory): this player runs unguarded";
  EXPECT_TRUE(WaitUntil([&] {
    return Report().find(said) != std::string::npos || player.EndsWithin(0);
  })) << player.Stderr();
  player.Signal(SIGTERM);
  EXPECT_TRUE(player.EndsWithin(kProgramEndWaitMs));
  EXPECT_EQ(player.ExitCode(), 0) << player.Stderr();
  EXPECT_EQ(Occurrences(player.Stderr(), said), 1) << player.Stderr();
  EXPECT_EQ(Occurrences(Report(), said), 1) << Report();
}

// Under a video driver that shows nothing (a script's or CI's choice) no one
// could answer a question: each box or dialog writes its text to stderr,
// once, and takes the answer of its close box (a box: what Escape gives),
// and the player ends at once. What counts is the driver SDL starts, however
// SDL_VIDEODRIVER names it: without a display, a list falls through to the
// first driver that starts, and names are matched ignoring case.
class InvisibleDriverTest : public EntryTest, public testing::WithParamInterface<const char*> {
 protected:
  // Runs the player to its end without a display; its stderr.
  std::string RunToTheEnd(int exitCode) {
    SpawnedProgram player(PlayerProgram(dir_, {{"SDL_VIDEODRIVER", GetParam()},
                                               {"SDL_AUDIODRIVER", "dummy"},
                                               {"DISPLAY", std::nullopt},
                                               {"WAYLAND_DISPLAY", std::nullopt}}));
    EXPECT_TRUE(player.Started());
    EXPECT_TRUE(player.EndsWithin(kProgramEndWaitMs)) << "a question waits";
    EXPECT_EQ(player.ExitCode(), exitCode) << player.Stderr();
    return player.Stderr();
  }
};

TEST_P(InvisibleDriverTest, TheSecondPlayersQuestionIsAnsweredNo) {
  LockHolder first(dir_ / "ゲーム.lock");
  const std::string said = RunToTheEnd(0);
  EXPECT_EQ(Occurrences(said, "二重起動: 既に起動しています。\n実行中のプログラムを閉じて再起動しますか？"), 1) << said;
  EXPECT_TRUE(first.Running());
}

// The No is a refusal: the game did not start, and the exit status says so.
TEST_P(InvisibleDriverTest, TheDefaultDataQuestionIsAnsweredNoAndItsFailureSaidOnce) {
  fs::rename(dir_ / "data", dir_ / "default");
  const std::string said = RunToTheEnd(1);
  EXPECT_EQ(Occurrences(said, "デフォルトデータ作成の確認: データが存在しません！"), 1) << said;
  const std::string failure = "「data」フォルダの作成に失敗…";
  EXPECT_EQ(Occurrences(said, failure), 1) << said;
  EXPECT_EQ(Occurrences(Report(), failure), 1) << Report();
  EXPECT_EQ(said.find(kNoGameHere), std::string::npos) << "a game is here: " << said;
  EXPECT_FALSE(fs::exists(dir_ / "data"));
}

TEST_P(InvisibleDriverTest, ADamagedSystemRecordIsSaidOnceAndFailsTheStart) {
  fs::resize_file(dir_ / "data/System.dat", fs::file_size(dir_ / "data/System.dat") / 2);
  const std::string said = RunToTheEnd(1);
  const std::string failure = "data\\System.dat の読み込みに失敗…";
  EXPECT_EQ(Occurrences(said, "エラー: " + failure), 1) << said;
  EXPECT_EQ(Occurrences(Report(), failure), 1) << Report();
}

// The start-up dialog of the drawing mode: its caption (the game's title),
// note and two choices, and the close box's "ゲーム中止": the game does not
// start.
TEST_P(InvisibleDriverTest, TheDrawingModeDialogIsSaidOnceAndCancelsTheGame) {
  std::ofstream(dir_ / "System.ini", std::ios::trunc) << "Direct3D=2\r\nWindowMode=1\r\nExit\r\n";
  const std::string said = RunToTheEnd(1);
  const std::string asked =
      "Shell test: 詳細な設定は環境設定ファイル「System.ini」で行って下さい。 [ゲーム開始] [ゲーム中止]";
  EXPECT_EQ(Occurrences(said, asked), 1) << said;
  EXPECT_FALSE(fs::exists(dir_ / "user_data/Boot.dat"));
  EXPECT_EQ(Report().find("Mode : "), std::string::npos) << "no device was started";
}

INSTANTIATE_TEST_SUITE_P(Drivers, InvisibleDriverTest,
                         testing::Values("dummy", "offscreen", "x11,offscreen", "offscreen,x11", "Offscreen"),
                         [](const auto& info) {
                           std::string name = info.param;
                           for (char& c : name)
                             if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                           return name;
                         });

// A report log that cannot be made (here a folder in its place, which even
// root cannot write as a file) stops the start before any window or box:
// one line on stderr names the file and the system's reason.
TEST_F(EntryTest, AReportLogThatCannotBeMadeIsSaidOnStderr) {
  fs::remove(dir_ / "Report_Game.txt");
  fs::create_directory(dir_ / "Report_Game.txt");
  SpawnedProgram player(PlayerProgram(dir_, {{"SDL_VIDEODRIVER", "dummy"}, {"SDL_AUDIODRIVER", "dummy"}}));
  ASSERT_TRUE(player.Started());
  ASSERT_TRUE(player.EndsWithin(kProgramEndWaitMs));
  EXPECT_EQ(player.ExitCode(), 1);
  EXPECT_EQ(player.Stderr(), "Cannot start: the report log \"" + (fs::canonical(dir_) / "Report_Game.txt").string() +
                                 "\" cannot be written: " + std::strerror(EISDIR) + "\n");
}

// Started in a folder without a game (from a desktop's launcher that names
// no folder: the home folder), the player says which folder that is, on
// stderr and in its report log, before the box about the default folder
// that a folder without data or default folder gets.
TEST_F(EntryTest, AFolderWithoutAGameIsNamedBeforeTheBoxAboutTheDefaultFolder) {
  const fs::path home = dir_ / "home";
  fs::create_directory(home);
  SpawnedProgram player(PlayerProgram(home, {{"SDL_VIDEODRIVER", "dummy"}, {"SDL_AUDIODRIVER", "dummy"}}));
  ASSERT_TRUE(player.Started());
  ASSERT_TRUE(player.EndsWithin(kProgramEndWaitMs));
  EXPECT_EQ(player.ExitCode(), 1);
  const std::string said = kNoGameHere + ("\"" + fs::canonical(home).string() + "\", which holds no System.ini");
  const std::string box = "「data」フォルダの作成に失敗…";
  const std::string report = ReadFile(home / "Report_Game.txt");
  for (const std::string& text : {player.Stderr(), report}) {
    EXPECT_EQ(Occurrences(text, said), 1) << text;
    EXPECT_EQ(Occurrences(text, box), 1) << text;
    EXPECT_LT(text.find(said), text.find(box)) << text;
  }
  EXPECT_FALSE(fs::exists(home / "data"));
}

// Without a display the player says why on stderr and in its report log,
// once it holds the lock: while another player runs, that one's log is left
// whole and stderr alone tells.
TEST_F(EntryTest, NoDisplayIsSaidInTheReportLogOnlyWhenNoOtherPlayerRuns) {
  const SpawnedProgram::Setup::Environment noDisplay = {{"DISPLAY", std::nullopt},
                                                        {"WAYLAND_DISPLAY", std::nullopt},
                                                        {"SDL_VIDEODRIVER", std::nullopt},
                                                        {"SDL_AUDIODRIVER", "dummy"}};
  const std::string said = "No display: the player cannot open its window here: no X11 or Wayland display";
  const auto runWithoutDisplay = [&] {
    SpawnedProgram player(PlayerProgram(dir_, noDisplay));
    ASSERT_TRUE(player.Started());
    ASSERT_TRUE(player.EndsWithin(kProgramEndWaitMs));
    EXPECT_EQ(player.ExitCode(), 1);
    EXPECT_NE(player.Stderr().find(said), std::string::npos) << player.Stderr();
  };
  {
    LockHolder first(dir_ / "ゲーム.lock");
    const std::string firstLog = "App : ver 878\nOS : the first player's\n";
    std::ofstream(dir_ / "Report_Game.txt", std::ios::trunc) << firstLog;
    runWithoutDisplay();
    EXPECT_EQ(Report(), firstLog);
    EXPECT_TRUE(first.Running());
  }
  runWithoutDisplay();
  EXPECT_EQ(Report().rfind("App : ver 878\nOS : ", 0), 0u) << Report();
  EXPECT_NE(Report().find(said), std::string::npos) << Report();
}

// Whether the process has a handler of its own for SIGTERM.
bool CatchesTermination(pid_t pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  for (std::string line; std::getline(status, line);)
    if (line.rfind("SigCgt:", 0) == 0) return (std::stoull(line.substr(7), nullptr, 16) >> (SIGTERM - 1)) & 1;
  return false;
}

// On a display that shows it, the second player's question waits for its
// answer; SIGTERM meanwhile ends the player as a quiet close, whether SDL's
// driver was chosen by the user or not.
TEST_F(EntryTest, TerminationWhileTheSecondPlayersQuestionWaitsEndsThePlayerQuietly) {
  if (!ProgramInPath("Xvfb")) GTEST_SKIP() << "no virtual X server here (Debian: apt-get install xvfb)";
  VirtualXServer server(1024, 768);
  ASSERT_TRUE(server.Ready());
  for (const std::optional<std::string>& driver : {std::optional<std::string>(), std::optional<std::string>("x11")}) {
    SCOPED_TRACE(driver.value_or("SDL's choice"));
    LockHolder first(dir_ / "ゲーム.lock");
    SpawnedProgram::Setup::Environment environment = server.PlayerEnvironment();
    environment.insert(environment.end(), {{"SDL_VIDEODRIVER", driver}, {"SDL_AUDIODRIVER", "dummy"}});
    SpawnedProgram player(PlayerProgram(dir_, environment));
    ASSERT_TRUE(player.Started());
    EXPECT_TRUE(WaitUntil([&] { return CatchesTermination(player.Pid()) || player.EndsWithin(0); }));
    EXPECT_FALSE(player.EndsWithin(0)) << player.Stderr();
    player.Signal(SIGTERM);
    ASSERT_TRUE(player.EndsWithin(kProgramEndWaitMs)) << "SIGTERM was not taken";
    EXPECT_EQ(player.ExitCode(), 0) << player.Stderr();
    EXPECT_TRUE(first.Running());
  }
}

// A box of SDL's own runs: SDL shows its X11 boxes in a copy of the player's
// process (other children, such as a session bus started on the way, are
// other programs once they have started).
bool DesktopBoxRuns(pid_t pid) {
  std::error_code error;
  const fs::path program = fs::read_symlink("/proc/" + std::to_string(pid) + "/exe", error);
  if (error) return false;
  for (const auto& task : fs::directory_iterator("/proc/" + std::to_string(pid) + "/task", error)) {
    std::ifstream children(task.path() / "children");
    for (pid_t child = 0; children >> child;)
      if (fs::read_symlink("/proc/" + std::to_string(child) + "/exe", error) == program) return true;
  }
  return false;
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

// SIGTERM while the desktop's default-data question waits leaves it
// unanswered: no box follows (neither the player's own in its place nor the
// copy's failure), and no failure is reported of a copy that was never tried.
TEST_F(EntryTest, TerminationWhileTheDefaultDataQuestionWaitsEndsThePlayerQuietly) {
  if (!ProgramInPath("Xvfb")) GTEST_SKIP() << "no virtual X server here (Debian: apt-get install xvfb)";
  VirtualXServer server(1024, 768);
  ASSERT_TRUE(server.Ready());
  fs::rename(dir_ / "data", dir_ / "default");
  SpawnedProgram::Setup::Environment environment = server.PlayerEnvironment();
  environment.emplace_back("SDL_AUDIODRIVER", "dummy");
  SpawnedProgram player(PlayerProgram(dir_, environment));
  ASSERT_TRUE(player.Started());
  // The desktop's box needs the server's core fonts (deps.sh installs them).
  ASSERT_TRUE(WaitUntil([&] {
    return (CatchesTermination(player.Pid()) && DesktopBoxRuns(player.Pid())) || player.EndsWithin(0);
  }));
  ASSERT_FALSE(player.EndsWithin(0)) << player.Stderr();
  player.Signal(SIGTERM);
  ASSERT_TRUE(player.EndsWithin(kProgramEndWaitMs)) << "a box waits after the termination";
  EXPECT_EQ(player.ExitCode(), 0) << player.Stderr();
  const std::string failure = "「data」フォルダの作成に失敗";
  EXPECT_EQ(Report().find(failure), std::string::npos) << Report();
  EXPECT_EQ(player.Stderr().find(failure), std::string::npos) << player.Stderr();
  EXPECT_FALSE(fs::exists(dir_ / "data"));
}

TEST_F(EntryTest, SecondInstanceAnsweredYesReplacesTheFirst) {
  LockHolder first(dir_ / "ゲーム.lock");
  EXPECT_EQ(RunAndClose(platform::CloseReason::Terminate), 0);
  EXPECT_TRUE(first.Ended());
  EXPECT_EQ(platform::TakeHeadlessBoxes().size(), 1u);
}

}  // namespace

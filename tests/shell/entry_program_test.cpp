// The player program started beside the test: the boxes and questions it
// says where no one can answer them, and the lines it writes where the start
// cannot go as usual (no lock, no report log, no game, no display).
#include <signal.h>
#include <unistd.h>

#include <cctype>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "foundation/message_box.h"
#include "platform/own_window.h"
#include "platform/text_encoding.h"
#include "platform/ui_events.h"
#include "shell/dialogs/dialog_box.h"
#include "tests/shell/entry_test_fixture.h"
#include "tests/support/lock_holder.h"
#include "tests/support/spawned_program.h"
#include "tests/support/virtual_x_server.h"
#include "tests/support/wait_until.h"

namespace {

namespace fs = std::filesystem;

// What a player started outside any game says first, before the folder.
constexpr const char* kNoGameHere = "No game here: the player was started in ";

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
  platform::QueueHeadlessUiEvents(
      {platform::MouseEvent(platform::UiEventKind::MouseMove, 1, 1, 0, platform::UiSurface::OwnWindow)});
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
  return {.command = {PLAYER_PROGRAM},
          .folder = folder,
          .environment = std::move(environment),
          .descriptor3 = -1};
}

int Occurrences(const std::string& text, const std::string& part) {
  int count = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size()))
    ++count;
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
  EXPECT_TRUE(WaitUntil([&] { return Report().find(said) != std::string::npos || player.EndsWithin(0); }))
      << player.Stderr();
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
  std::string RunToTheEnd(int exitCode, SpawnedProgram::Setup::Environment more = {}) {
    SpawnedProgram::Setup::Environment environment{{"SDL_VIDEODRIVER", GetParam()},
                                                   {"SDL_AUDIODRIVER", "dummy"},
                                                   {"DISPLAY", std::nullopt},
                                                   {"WAYLAND_DISPLAY", std::nullopt}};
    environment.insert(environment.end(), more.begin(), more.end());
    SpawnedProgram player(PlayerProgram(dir_, environment));
    EXPECT_TRUE(player.Started());
    EXPECT_TRUE(player.EndsWithin(kProgramEndWaitMs)) << "a question waits";
    EXPECT_EQ(player.ExitCode(), exitCode) << player.Stderr();
    return player.Stderr();
  }
};

TEST_P(InvisibleDriverTest, TheSecondPlayersQuestionIsAnsweredNo) {
  LockHolder first(dir_ / "ゲーム.lock");
  const std::string said = RunToTheEnd(0);
  EXPECT_EQ(Occurrences(said, "二重起動: 既に起動しています。\n実行中のプログラムを閉じて再起動しますか？"),
            1)
      << said;
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

// Drawing for nobody loads no OpenGL library (and its compiler): behind
// the offscreen driver that was a second of processor time at each start,
// tens of seconds on a busy machine. The dynamic linker names each library
// it loads.
TEST_P(InvisibleDriverTest, NoOpenGlLibraryIsLoaded) {
  std::ofstream(dir_ / "System.ini", std::ios::trunc) << "Direct3D=2\r\nWindowMode=1\r\nExit\r\n";
  const std::string said = RunToTheEnd(1, {{"LD_DEBUG", "files"}});
  ASSERT_NE(said.find("file=libSDL2"), std::string::npos) << "the dynamic linker named no library: " << said;
  for (const char* library : {"file=libEGL", "file=libGL"})
    EXPECT_EQ(said.find(library), std::string::npos) << library << " was loaded";
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
  EXPECT_EQ(player.Stderr(), "Cannot start: the report log \"" +
                                 (fs::canonical(dir_) / "Report_Game.txt").string() +
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
  const std::string said =
      kNoGameHere + ("\"" + fs::canonical(home).string() + "\", which holds no System.ini");
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
  for (const std::optional<std::string>& driver :
       {std::optional<std::string>(), std::optional<std::string>("x11")}) {
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

}  // namespace

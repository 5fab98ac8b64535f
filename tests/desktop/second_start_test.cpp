// Second starts of the player while the first runs the game full screen,
// under each window manager: each question ("二重起動") must be seen and
// answered, and leave the running game as it was (also where no window
// manager runs). And on a Wayland desktop that goes away while a start asks.
#include <X11/keysym.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "tests/desktop/desktop_fixture.h"
#include "tests/desktop/desktop_waits.h"
#include "tests/desktop/display_loss_checks.h"
#include "tests/desktop/headless_frames.h"
#include "tests/desktop/wayland_fixture.h"
#include "tests/support/wait_until.h"
#include "tests/tools/report_lines.h"

namespace desktop_test {
namespace {

class SecondStart : public DesktopFixture {
 protected:
  // The first player, its game full screen at the title, under the window
  // manager; started through the launcher when one is given.
  bool StartTheGame(WindowManager manager, const std::vector<std::string>& launcher = {}) {
    const sample_game::StartupSettings startup{0, 0, 32};
    title_ = HeadlessTitleFrames(startup).title;
    if (!StartDesktop(manager, 1024, 768)) return false;
    WriteGame(startup);
    first_ = launcher.empty() ? &StartPlayer() : &StartPlayerThrough(launcher);
    game_ = WindowOf(*first_);
    return game_ && WaitUntilShown(*game_, title_);
  }

  std::vector<XWindowId> Questions() const { return X().WindowsTitled("二重起動"); }

  // Waits until the starts' questions are open, as many as there are starts
  // (false, saying why, when a start ended without asking).
  bool WaitForTheQuestions(const std::vector<SpawnedProgram*>& starts) const {
    bool anEnd = false;
    WaitUntilWithin(kEventWaitMs, kPollMs, [&] {
      anEnd = std::any_of(starts.begin(), starts.end(),
                          [](SpawnedProgram* start) { return start->EndsWithin(0); });
      return anEnd || Questions().size() == starts.size();
    });
    EXPECT_FALSE(anEnd) << "a start ended without asking";
    EXPECT_EQ(Questions().size(), starts.size());
    return !anEnd && Questions().size() == starts.size();
  }

  // The game is seen again, full screen with the keyboard's focus, and the
  // first player runs on.
  void ExpectTheGameBack() {
    EXPECT_FALSE(first_->EndsWithin(0)) << "the running game ended";
    EXPECT_TRUE(WaitUntilShown(*game_, title_)) << "the game is not seen again";
    EXPECT_TRUE(WaitUntilWithin(kEventWaitMs, kPollMs, [&] { return X().HasFocus(*game_); }))
        << "the game did not get the keyboard's focus back";
  }

  GameFrame title_;
  SpawnedProgram* first_ = nullptr;
  std::optional<XWindowId> game_;
};

class SecondStartOnADesktop : public SecondStart, public testing::WithParamInterface<WindowManager> {};

// The question comes above the full-screen game with the keyboard's focus;
// Escape answers it No there (a key that reached the game instead would end
// it, unasked at the title); the first player runs on, its report log keeps
// every line it had, and its game is seen again with the keyboard's focus.
TEST_P(SecondStartOnADesktop, TheQuestionComesOnTopAndNoLeavesTheRunningGameWhole) {
  ASSERT_TRUE(StartTheGame(GetParam()));
  // The last line of the start comes once the title music's synthesiser has
  // loaded, beside the game.
  ASSERT_TRUE(WaitUntilWithin(kEventWaitMs, kPollMs, [&] { return sample_game_test::HasSoundFontLine(Report()); }))
      << Report();
  const std::string firstReport = Report();

  SpawnedProgram& second = StartPlayer();
  ASSERT_TRUE(WaitForTheQuestions({&second})) << second.Stderr();
  const XWindowId question = Questions().front();
  EXPECT_TRUE(WaitUntilWithin(kEventWaitMs, kPollMs, [&] { return X().LiesAbove(question, *game_); }))
      << "the question stays behind the game";
  EXPECT_TRUE(WaitUntilWithin(kEventWaitMs, kPollMs, [&] { return X().HasFocus(question); }))
      << "the question did not get the keyboard's focus";
  X().TapKey(XK_Escape);
  EXPECT_TRUE(second.EndsWithin(kProgramEndWaitMs)) << "the question was not answered";
  EXPECT_EQ(second.ExitCode(), 0) << second.Stderr();
  EXPECT_EQ(Report(), firstReport);
  ExpectTheGameBack();
}

// Two starts at once (a double click on a launcher): the game stays aside
// while either question waits, the one answered first included, so each
// question keeps the keys until it is answered (a key that reached the game
// would end it, unasked at the title); the game comes back after both.
TEST_P(SecondStartOnADesktop, TwoStartsAtOnceKeepTheGameAsideUntilBothAreAnswered) {
  ASSERT_TRUE(StartTheGame(GetParam()));
  SpawnedProgram& second = StartPlayer();
  SpawnedProgram& third = StartPlayer();
  const std::vector<SpawnedProgram*> starts = {&second, &third};
  ASSERT_TRUE(WaitForTheQuestions(starts)) << second.Stderr() << third.Stderr();

  for (std::size_t answered = 0; answered < starts.size(); ++answered) {
    // The question in front is the one opened last: the window manager
    // lists its windows in the order they opened, and gives the keys to the
    // newest (a tap while they move on to it would answer neither question).
    const XWindowId front = Questions().back();
    ASSERT_TRUE(WaitUntilWithin(kEventWaitMs, kPollMs, [&] { return X().HasFocus(front); }))
        << "the question in front did not get the keyboard's focus, with " << answered << " answered";
    EXPECT_FALSE(X().Shown(*game_)) << "the game came back while a question waits, with " << answered
                                    << " answered";
    X().TapKey(XK_Escape);
    EXPECT_TRUE(WaitUntilWithin(kProgramEndWaitMs, kPollMs, [&] {
      return static_cast<std::size_t>(std::count_if(starts.begin(), starts.end(), [](SpawnedProgram* start) {
               return start->EndsWithin(0);
             })) == answered + 1;
    })) << "the question was not answered";
  }
  for (SpawnedProgram* start : starts) EXPECT_EQ(start->ExitCode(), 0) << start->Stderr();
  ExpectTheGameBack();
}

// A start killed while its question waits takes the question with it (the
// question runs in a process of its own), and the game comes back.
TEST_P(SecondStartOnADesktop, AKilledStartTakesItsQuestionWithIt) {
  ASSERT_TRUE(StartTheGame(GetParam()));
  SpawnedProgram& second = StartPlayer();
  ASSERT_TRUE(WaitForTheQuestions({&second})) << second.Stderr();
  second.Signal(SIGKILL);
  ASSERT_TRUE(second.EndsWithin(kProgramEndWaitMs));
  EXPECT_TRUE(WaitUntilWithin(kEventWaitMs, kPollMs, [&] { return Questions().empty(); }))
      << "the killed start's question stays";
  ExpectTheGameBack();
}

INSTANTIATE_TEST_SUITE_P(WindowManagers, SecondStartOnADesktop,
                         testing::Values(WindowManager::Openbox, WindowManager::Fluxbox),
                         [](const auto& info) { return std::string(NameOf(info.param)); });

using SecondStartWithoutAWindowManager = SecondStart;

// An X session that runs only the full-screen game (a kiosk) has no window
// manager to give the question the keyboard's focus: the question takes it
// itself, so Escape answers it No (a key that reached the game instead
// would end it, unasked at the title); the game is seen again as it was,
// with the keyboard's focus.
TEST_F(SecondStartWithoutAWindowManager, TheQuestionTakesTheKeysAndNoLeavesTheRunningGameWhole) {
  ASSERT_TRUE(StartTheGame(WindowManager::None));
  SpawnedProgram& second = StartPlayer();
  ASSERT_TRUE(WaitForTheQuestions({&second})) << second.Stderr();
  const XWindowId question = Questions().front();
  EXPECT_TRUE(WaitUntilWithin(kEventWaitMs, kPollMs, [&] { return X().HasFocus(question); }))
      << "the question did not get the keyboard's focus";
  X().TapKey(XK_Escape);
  EXPECT_TRUE(second.EndsWithin(kProgramEndWaitMs)) << "the question was not answered";
  EXPECT_EQ(second.ExitCode(), 0) << second.Stderr();
  ExpectTheGameBack();
}

// The report's lines that begin so.
int LinesBeginning(const std::string& report, const std::string& start) {
  int count = 0;
  std::istringstream lines(report);
  for (std::string line; std::getline(lines, line);) count += line.rfind(start, 0) == 0;
  return count;
}

using SecondStartWithoutPidfds = SecondStart;

// On a kernel without pidfds (both calls fail with ENOSYS, for the running
// player and the start alike) the players tell each other apart by process
// id and start time: the full-screen game still steps aside while the
// question waits and comes back after the No, and the running player's
// report says once why.
TEST_F(SecondStartWithoutPidfds, TheFullScreenGameStillStepsAsideAndComesBack) {
  ASSERT_TRUE(StartTheGame(WindowManager::Openbox, {WITHOUT_PIDFDS_PROGRAM}));
  SpawnedProgram& second = StartPlayerThrough({WITHOUT_PIDFDS_PROGRAM});
  ASSERT_TRUE(WaitForTheQuestions({&second})) << second.Stderr();
  const XWindowId question = Questions().front();
  EXPECT_TRUE(WaitUntilWithin(kEventWaitMs, kPollMs, [&] { return X().HasFocus(question); }))
      << "the question did not get the keyboard's focus";
  EXPECT_FALSE(X().Shown(*game_)) << "the game did not step aside";
  X().TapKey(XK_Escape);
  EXPECT_TRUE(second.EndsWithin(kProgramEndWaitMs)) << "the question was not answered";
  EXPECT_EQ(second.ExitCode(), 0) << second.Stderr();
  ExpectTheGameBack();
  EXPECT_EQ(LinesBeginning(Report(), "No pidfds (pidfd_open: Function not implemented;"), 1) << Report();
}

// A runtime folder that refuses the lock file leaves it to the temporary
// folder (here the case's own, as TMPDIR), where every start of the same user
// looks for it too: a second start asks, and No leaves the first player
// running.
class SecondStartWhereTheRuntimeFolderRefusesTheLock : public SecondStart {
 protected:
  // Both players started through the launcher, the running one in a window.
  void ExpectTheSecondStartToAsk(const std::vector<std::string>& launcher,
                                 const std::filesystem::path& player) {
    SpawnedProgram& first = StartPlayerThrough(launcher, player);
    ASSERT_TRUE(WindowOf(first)) << first.Stderr();
    SpawnedProgram& second = StartPlayerThrough(launcher, player);
    ASSERT_TRUE(WaitForTheQuestions({&second})) << second.Stderr();
    const XWindowId question = Questions().front();
    ASSERT_TRUE(WaitUntilWithin(kEventWaitMs, kPollMs, [&] { return X().HasFocus(question); }))
        << "the question did not get the keyboard's focus";
    X().TapKey(XK_Escape);
    EXPECT_TRUE(second.EndsWithin(kProgramEndWaitMs)) << "the question was not answered";
    EXPECT_EQ(second.ExitCode(), 0) << second.Stderr();
    EXPECT_FALSE(first.EndsWithin(0)) << "the running player ended: " << first.Stderr();
  }
  std::filesystem::path NewFolder(const std::string& name) const {
    const std::filesystem::path folder = Game().parent_path() / name;
    std::filesystem::create_directories(folder);
    return folder;
  }
  std::filesystem::path RuntimeFolder() const { return Game().parent_path() / "runtime"; }
};

// A read-only mount (the runtime folder bound read-only in a mount namespace
// of each player's own): EROFS.
TEST_F(SecondStartWhereTheRuntimeFolderRefusesTheLock, AReadOnlyRuntimeFolder) {
  ASSERT_TRUE(StartDesktop(WindowManager::Openbox, 1024, 768));
  WriteGame({});
  const std::string boundReadOnly =
      "mount --bind \"$0\" \"$0\" && mount -o remount,bind,ro \"$0\" && exec \"$@\"";
  ExpectTheSecondStartToAsk({"env", "TMPDIR=" + NewFolder("tmp").string(), "unshare", "--mount", "sh", "-c",
                             boundReadOnly, RuntimeFolder().string()},
                            PLAYER_PROGRAM);
}

// Another user's runtime folder (after su or sudo -u the variable still
// names the first user's): the folder is the test's (root's), mode 0700,
// and the players run as nobody: EACCES.
TEST_F(SecondStartWhereTheRuntimeFolderRefusesTheLock, AnotherUsersRuntimeFolder) {
  ASSERT_TRUE(StartDesktop(WindowManager::Openbox, 1024, 768));
  WriteGame({});
  const struct passwd* nobody = ::getpwnam("nobody");
  ASSERT_NE(nobody, nullptr) << "no user nobody";
  // Nobody's own folder: its home and temporary folder, and a copy of the
  // player that it can reach wherever the build lies.
  const std::filesystem::path own = NewFolder("nobody");
  const std::filesystem::path player = own / "player";
  std::filesystem::copy_file(PLAYER_PROGRAM, player);
  for (const std::filesystem::path& folder : {own, Game()}) {
    ASSERT_EQ(::chown(folder.c_str(), nobody->pw_uid, nobody->pw_gid), 0);
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder))
      ASSERT_EQ(::chown(entry.path().c_str(), nobody->pw_uid, nobody->pw_gid), 0) << entry.path();
  }
  std::filesystem::permissions(RuntimeFolder(), std::filesystem::perms::owner_all);
  ExpectTheSecondStartToAsk(
      {"setpriv", "--reuid=" + std::to_string(nobody->pw_uid), "--regid=" + std::to_string(nobody->pw_gid),
       "--clear-groups", "env", "TMPDIR=" + own.string(), "HOME=" + own.string()},
      player);
}

// A script of the test's run as the first process of a pid namespace of its
// own (it starts the players, and hands a killed player's process id to a
// bystander), driven step by step through a fifo; what it did comes on its
// stderr. Killed with the case, it takes the namespace's processes with it.
class PlayersInANamespace {
 public:
  explicit PlayersInANamespace(const std::filesystem::path& steps) : steps_(steps) {
    if (::mkfifo(steps.c_str(), 0600) == 0) fifo_ = ::open(steps.c_str(), O_RDWR | O_CLOEXEC);
  }
  ~PlayersInANamespace() {
    if (script_) {
      script_->Signal(SIGKILL);
      script_->EndsWithin(kProgramEndWaitMs);
    }
    if (fifo_ >= 0) ::close(fifo_);
  }
  PlayersInANamespace(const PlayersInANamespace&) = delete;
  PlayersInANamespace& operator=(const PlayersInANamespace&) = delete;

  std::vector<std::string> Launcher() const {
    return {"unshare",           "--pid", "--fork", "--mount-proc", "--kill-child", "bash",
            PID_TAKEN_UP_SCRIPT, steps_};
  }
  void Started(SpawnedProgram& script) { script_ = &script; }
  // The script takes the step ("second", "take-up", "look").
  void Take(const std::string& step) const {
    const std::string line = step + "\n";
    EXPECT_EQ(::write(fifo_, line.data(), line.size()), static_cast<ssize_t>(line.size()));
  }
  // Waits for the script's line that begins so, and gives the rest of it
  // (nothing, saying why, when none came).
  std::optional<std::string> Said(const std::string& start) const {
    std::optional<std::string> rest;
    WaitUntilWithin(kEventWaitMs, kPollMs, [&] {
      std::istringstream lines(script_->Stderr());
      for (std::string line; std::getline(lines, line);)
        if (line.rfind(start, 0) == 0) rest = line.substr(start.size());
      return rest.has_value() || script_->EndsWithin(0);
    });
    EXPECT_TRUE(rest.has_value()) << "the script did not say \"" << start << "\": " << script_->Stderr();
    return rest;
  }

 private:
  std::string steps_;
  int fifo_ = -1;
  SpawnedProgram* script_ = nullptr;
};

using SecondStartAfterTheRunningPlayerDied = DesktopFixture;

// The running player dies (killed) while a second start's question waits,
// and a bystander takes up its process id before the answer: Yes finds the
// lock free and starts the game at once, and the bystander gets no signal.
TEST_F(SecondStartAfterTheRunningPlayerDied, YesStartsTheGameAndEndsNoProgramThatTookUpItsId) {
  ASSERT_TRUE(StartDesktop(WindowManager::Openbox, 1024, 768));
  WriteGame({});
  PlayersInANamespace players(Game().parent_path() / "steps");
  players.Started(StartPlayerThrough(players.Launcher()));
  const std::optional<std::string> first = players.Said("first ");
  ASSERT_TRUE(first) << "no pid namespace of the test's own (unshare --pid needs root)";
  std::optional<XWindowId> running;
  ASSERT_TRUE(WaitUntilWithin(kEventWaitMs, kPollMs, [&] {
    running = X().WindowTitled(sample_game::kGameTitle);
    return running && X().Shown(*running);
  })) << "the running player's window did not come";

  players.Take("second");
  ASSERT_TRUE(players.Said("second "));
  ASSERT_TRUE(WaitUntilWithin(kEventWaitMs, kPollMs, [&] {
    return X().WindowTitled("二重起動").has_value();
  })) << "the second start did not ask";
  players.Take("take-up");
  EXPECT_EQ(players.Said("bystander "), first) << "the bystander did not get the running player's process id";

  const XWindowId question = *X().WindowTitled("二重起動");
  ASSERT_TRUE(WaitUntilWithin(kEventWaitMs, kPollMs, [&] { return X().HasFocus(question); }))
      << "the question did not get the keyboard's focus";
  X().TapKey(XK_Return);
  EXPECT_TRUE(WaitUntilWithin(kEventWaitMs, kPollMs, [&] {
    const std::vector<XWindowId> games = X().WindowsTitled(sample_game::kGameTitle);
    return std::any_of(games.begin(), games.end(),
                       [&](XWindowId game) { return game != *running && X().Shown(game); });
  })) << "Yes did not start the game";
  players.Take("look");
  EXPECT_EQ(players.Said("the bystander "), "runs");
}

// The running player dies (killed) while a box it shows before its window is
// open (a damaged System.dat; SDL shows it from a process it forks), and a
// bystander takes up its process id. The box goes with the player and keeps
// no share of its lock: the next start plays (were it asked, its Yes would
// find the lock free), and no signal reaches the bystander, whatever the
// lock file says.
TEST_F(SecondStartAfterTheRunningPlayerDied, ItsBoxGoesWithItAndKeepsNoLock) {
  ASSERT_TRUE(StartDesktop(WindowManager::Openbox, 1024, 768));
  WriteGame({});
  const std::filesystem::path system = Game() / "data" / "System.dat";
  const std::filesystem::path whole = Game().parent_path() / "System.dat";
  std::filesystem::copy_file(system, whole);
  std::filesystem::resize_file(system, std::filesystem::file_size(system) / 2);
  PlayersInANamespace players(Game().parent_path() / "steps");
  players.Started(StartPlayerThrough(players.Launcher()));
  const std::optional<std::string> first = players.Said("first ");
  ASSERT_TRUE(first) << "no pid namespace of the test's own (unshare --pid needs root)";
  ASSERT_TRUE(WaitUntilWithin(kEventWaitMs, kPollMs, [&] { return X().WindowTitled("エラー").has_value(); }))
      << "the box of the damaged System.dat did not come";

  players.Take("take-up");
  EXPECT_EQ(players.Said("bystander "), first) << "the bystander did not get the running player's process id";
  EXPECT_TRUE(WaitUntilWithin(kEventWaitMs, kPollMs, [&] { return !X().WindowTitled("エラー").has_value(); }))
      << "the killed player's box stays";

  std::filesystem::copy_file(whole, system, std::filesystem::copy_options::overwrite_existing);
  players.Take("second");
  ASSERT_TRUE(players.Said("second "));
  bool answered = false;
  EXPECT_TRUE(WaitUntilWithin(kEventWaitMs, kPollMs, [&] {
    const std::optional<XWindowId> question = X().WindowTitled("二重起動");
    if (question && !answered && X().HasFocus(*question)) {
      X().TapKey(XK_Return);
      answered = true;
    }
    const std::optional<XWindowId> game = X().WindowTitled(sample_game::kGameTitle);
    return game && X().Shown(*game);
  })) << "the next start did not play";
  players.Take("look");
  EXPECT_EQ(players.Said("the bystander "), "runs");
}

// A signal sent to the process waits for it to take it (a stopped process
// takes none).
bool SignalWaits(pid_t pid, int signal) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  for (std::string line; std::getline(status, line);)
    if (line.rfind("ShdPnd:", 0) == 0) return (std::stoull(line.substr(7), nullptr, 16) >> (signal - 1)) & 1;
  return false;
}

using SecondStartOnAWaylandDesktop = WaylandDesktopFixture;

// The compositor ends (the session's end) while a second start asks the
// running player to step aside. The player is frozen first, so the start
// waits for its answer and opens its question only after the compositor has
// gone. The player and the start each end with status 1, and the next start
// plays without a question: the lock went with them.
TEST_F(SecondStartOnAWaylandDesktop, TheCompositorEndingWhileAStartAsksEndsTheStartAndThePlayer) {
  if (!WestonSession::Installed()) GTEST_SKIP() << WestonSession::kMissing;
  ASSERT_TRUE(StartWaylandDesktop({800, 600}, {1, 1, 32}));
  SpawnedProgram& player = StartPlayerOnWeston();
  ASSERT_TRUE(WaitUntilWithin(kEventWaitMs, kPollMs, [&] {
    return Report().find(", video wayland, renderer ") != std::string::npos || player.EndsWithin(0);
  }));
  ASSERT_FALSE(player.EndsWithin(0)) << player.Stderr() << Report();
  player.Signal(SIGSTOP);
  SpawnedProgram& start = StartPlayerOnWeston();
  ASSERT_TRUE(WaitUntilWithin(kEventWaitMs, kPollMs,
                              [&] { return SignalWaits(player.Pid(), SIGUSR1) || start.EndsWithin(0); }))
      << "the start did not ask: " << start.Stderr();
  Weston().End();
  player.Signal(SIGCONT);
  EXPECT_TRUE(WaitUntilWithin(kEndAfterTheLossMs, kPollMs,
                              [&] { return player.EndsWithin(0) && start.EndsWithin(0); }));
  ExpectEndedForTheLoss(player, Weston().Socket());
  ExpectReportSaysTheLossOnce(Game(), Weston().Socket());
  ExpectEndedForTheLoss(start, Weston().Socket());
  ExpectToPlayWithoutAQuestion(StartPlayer(), Game(), "x11");
}

}  // namespace
}  // namespace desktop_test

#include "tests/desktop/desktop_fixture.h"

#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <thread>

#include "tests/desktop/desktop_waits.h"
#include "tests/desktop/focus_window.h"
#include "tests/desktop/headless_frames.h"
#include "tests/desktop/process_threads.h"
#include "tests/support/wait_until.h"
#include "tests/tools/report_lines.h"

namespace fs = std::filesystem;

namespace desktop_test {
namespace {

// How long a tap's answer is waited for before the key is tapped again (a
// starved player can miss a tap). A tap taken late and tapped again goes on
// from the next screen: two busy cores with the desktop cases run twice
// beside them showed an answer after more than 5 s.
constexpr int kTapAnswerWaitMs = 10000;
// The pause between two taps round a menu: the player reads the keys' state
// once a frame, and a key let go and pressed again inside one reaches it as
// a key held on (which is answered all the same, by a tap again later).
constexpr auto kBetweenTaps = std::chrono::milliseconds(100);

}  // namespace

void DesktopFixture::SetUp() {
  const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
  std::string name = std::string(test->test_suite_name()) + "_" + test->name();
  for (char& c : name)
    if (c == '/') c = '_';
  folder_ = fs::temp_directory_path() / ("desktop_test_" + std::to_string(::getpid()) + "_" + name);
  fs::remove_all(folder_);
  fs::create_directories(folder_ / "runtime");
  game_ = folder_ / "game";
}

void DesktopFixture::TearDown() {
  // A termination also ends a question the player waits on, which runs in a
  // process of its own.
  for (const std::unique_ptr<SpawnedProgram>& player : players_) Terminate(*player);
  players_.clear();
  desktop_.reset();
  fs::remove_all(folder_);
}

bool DesktopFixture::StartDesktop(WindowManager manager, int width, int height, int depth) {
  desktop_ = std::make_unique<DesktopSession>(manager, width, height, folder_ / "home", depth);
  EXPECT_EQ(desktop_->Problem(), "");
  return desktop_->Problem().empty();
}

bool DesktopFixture::StartDesktop(WindowManager manager, const std::vector<VirtualMonitor>& monitors) {
  desktop_ = std::make_unique<DesktopSession>(manager, monitors, folder_ / "home");
  EXPECT_EQ(desktop_->Problem(), "");
  return desktop_->Problem().empty();
}

void DesktopFixture::WriteGame(const sample_game::StartupSettings& startup) {
  sample_game::GenerateOptions options;
  options.startup = startup;
  ASSERT_TRUE(sample_game::GenerateSampleGame(game_, options));
}

SpawnedProgram& DesktopFixture::StartPlayer(const std::vector<std::string>& arguments,
                                            const SpawnedProgram::Setup::Environment& changes) {
  std::vector<std::string> command = {PLAYER_PROGRAM};
  command.insert(command.end(), arguments.begin(), arguments.end());
  return StartInTheGame(std::move(command), changes);
}

SpawnedProgram& DesktopFixture::StartPlayerThrough(const std::vector<std::string>& launcher) {
  return StartPlayerThrough(launcher, PLAYER_PROGRAM);
}

SpawnedProgram& DesktopFixture::StartPlayerThrough(const std::vector<std::string>& launcher,
                                                   const std::filesystem::path& player) {
  std::vector<std::string> command = launcher;
  command.push_back(player.string());
  return StartInTheGame(std::move(command), {});
}

SpawnedProgram& DesktopFixture::StartInTheGame(std::vector<std::string> command,
                                               const SpawnedProgram::Setup::Environment& changes) {
  SpawnedProgram::Setup setup{
      .command = std::move(command),
      .folder = game_,
      .environment = desktop_->PlayerEnvironment(),
      .descriptor3 = -1};
  setup.environment.insert(setup.environment.end(),
                           {{"SDL_AUDIODRIVER", "dummy"},
                            {"XDG_RUNTIME_DIR", (folder_ / "runtime").string()},
                            {"HOME", (folder_ / "home").string()},
                            // The sanitizer build's player keeps its exit code: the libraries'
                            // memory held to the end is not what these tests look at.
                            {"ASAN_OPTIONS", OptionsWith("ASAN_OPTIONS", "detect_leaks=0")}});
  setup.environment.insert(setup.environment.end(), changes.begin(), changes.end());
  SpawnedProgram& player = *players_.emplace_back(std::make_unique<SpawnedProgram>(setup));
  EXPECT_TRUE(player.Started());
  return player;
}

SpawnedProgram* DesktopFixture::StartPlayerAtTheTitle(const sample_game::StartupSettings& startup) {
  const GameFrame title = HeadlessTitleFrames(startup).title;
  if (!StartDesktop(WindowManager::Openbox, 1024, 768)) return nullptr;
  WriteGame(startup);
  SpawnedProgram& player = StartPlayer();
  const std::optional<XWindowId> window = WindowOf(player);
  if (!window) return nullptr;
  if (!WaitUntilShown(*window, title)) {
    ADD_FAILURE() << "the player's window did not show the title: " << player.Stderr() << Report();
    return nullptr;
  }
  return &player;
}

std::optional<XWindowId> DesktopFixture::WindowOf(SpawnedProgram& player) const {
  std::optional<XWindowId> window;
  WaitUntilWithin(kFirstWindowWaitMs, kPollMs, [&] {
    window = X().WindowOfProcess(player.Pid());
    return window.has_value() || player.EndsWithin(0);
  });
  EXPECT_TRUE(window.has_value()) << "no window of the player came: " << player.Stderr() << Report()
                                  << DescribeThreads(player.Pid());
  return window;
}

int DesktopFixture::PixelsNotShownNow(XWindowId window, const GameFrame& frame) const {
  const std::optional<ScreenRect> inner = X().InnerRect(window);
  return PixelsNotShown(inner ? X().Capture(*inner) : ScreenPixels{}, frame);
}

bool DesktopFixture::ShownNow(XWindowId window, const GameFrame& frame) const {
  const std::optional<ScreenRect> inner = X().InnerRect(window);
  return inner && Shows(X().Capture(*inner), frame);
}

bool DesktopFixture::WaitUntilShown(XWindowId window, const GameFrame& frame) const {
  const bool shown = WaitUntilWithin(kEventWaitMs, kPollMs, [&] { return ShownNow(window, frame); });
  EXPECT_TRUE(shown) << PixelsNotShownNow(window, frame) << " of the frame's pixels are not shown";
  return shown;
}

bool DesktopFixture::TapAndWaitForThePictureToChange(XWindowId window, unsigned long keySymbol) const {
  const auto picture = [&] {
    const std::optional<ScreenRect> inner = X().InnerRect(window);
    return inner ? X().Capture(*inner).pixels : std::vector<std::uint32_t>{};
  };
  const std::vector<std::uint32_t> before = picture();
  for (int waited = 0; waited < kEventWaitMs; waited += kTapAnswerWaitMs) {
    if (waited > 0) std::printf("no answer to a tap in %d ms: tapped again\n", waited);
    X().TapKey(keySymbol);
    if (WaitUntilWithin(kTapAnswerWaitMs, kPollMs, [&] { return picture() != before; })) return true;
  }
  return false;
}

std::optional<std::size_t> DesktopFixture::CommandShownNow(XWindowId window,
                                                          const std::vector<GameFrame>& menu) const {
  const std::optional<ScreenRect> inner = X().InnerRect(window);
  if (!inner || menu.empty()) return std::nullopt;
  const ScreenPixels area = X().Capture(*inner);
  std::vector<int> notShown;
  for (const GameFrame& frame : menu) notShown.push_back(PixelsNotShown(area, frame));
  const auto closest = std::min_element(notShown.begin(), notShown.end());
  if (!Shows(area, menu[static_cast<std::size_t>(closest - notShown.begin())])) return std::nullopt;
  return static_cast<std::size_t>(closest - notShown.begin());
}

bool DesktopFixture::TapUntilChosen(XWindowId window, unsigned long keySymbol, const std::vector<GameFrame>& menu,
                                    std::size_t command) const {
  // Twice round at most: taps that each go one too far get there on the way.
  for (std::size_t tap = 0; tap < 2 * menu.size(); ++tap) {
    if (tap > 0) std::this_thread::sleep_for(kBetweenTaps);
    if (!TapAndWaitForThePictureToChange(window, keySymbol)) return false;
    std::optional<std::size_t> chosen;
    const bool onTheMenu = WaitUntilWithin(kEventWaitMs, kPollMs, [&] {
      chosen = CommandShownNow(window, menu);
      return chosen.has_value();
    });
    if (!onTheMenu) {
      ADD_FAILURE() << "after a tap the window showed no command of the menu chosen";
      return false;
    }
    if (*chosen == command) return true;
  }
  return false;
}

bool DesktopFixture::HoldUntilNoLongerShown(XWindowId window, unsigned long keySymbol, const GameFrame& frame) const {
  X().HoldKey(keySymbol, true);
  const bool answered = WaitUntilWithin(kEventWaitMs, kPollMs, [&] { return !ShownNow(window, frame); });
  X().HoldKey(keySymbol, false);
  return answered;
}

bool DesktopFixture::SwitchKeyboardLayout(const std::string& layout) const {
  const std::string problem = desktop_->SwitchKeyboardLayout(layout);
  EXPECT_EQ(problem, "");
  return problem.empty();
}

bool DesktopFixture::TakeAndReturnTheFocus(XWindowId window) const {
  {
    FocusWindow other(X());
    const bool taken = WaitUntilWithin(kEventWaitMs, kPollMs, [&] { return other.TakeFocus(); });
    EXPECT_TRUE(taken) << "the test's window did not get the focus";
    if (!taken) return false;
  }
  // Asked again while it has not come, as a task bar is clicked again.
  const bool returned = WaitUntilWithin(kEventWaitMs, kPollMs, [&] {
    if (X().HasFocus(window)) return true;
    X().Activate(window);
    return false;
  });
  EXPECT_TRUE(returned) << "the player's window did not get the focus back";
  return returned;
}

std::string DesktopFixture::Report() const { return sample_game_test::ReportOf(game_); }

bool DesktopFixture::Terminate(SpawnedProgram& player) {
  player.Signal(SIGTERM);
  return player.EndsWithin(kProgramEndWaitMs);
}

}  // namespace desktop_test

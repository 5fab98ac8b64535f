// The display going away under a running player, as a session's end takes
// it: the X server ends at the title or in a stage, or the Wayland
// compositor ends. The player says so once in its report log and on stderr
// and ends with status 1 soon after, never by a signal.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>

#include "tests/desktop/desktop_fixture.h"
#include "tests/desktop/display_forwarder.h"
#include "tests/desktop/desktop_waits.h"
#include "tests/desktop/headless_frames.h"
#include "tests/support/wait_until.h"
#include "tests/tools/report_lines.h"

namespace desktop_test {
namespace {

namespace fs = std::filesystem;

// How soon the player must have ended once its display went away.
constexpr int kEndAfterTheLossMs = 5000;
class DisplayLossOnADesktop : public DesktopFixture {
 protected:
  // The player ended in time, with status 1, and said once which display it lost.
  void ExpectEndedForTheLoss(SpawnedProgram& player, const std::string& display) {
    ASSERT_TRUE(player.EndsWithin(kEndAfterTheLossMs)) << "the player runs on without its display";
    EXPECT_EQ(player.ExitCode(), 1) << "the player did not end with status 1 (signal "
                                    << player.EndingSignal().value_or(0) << "): " << player.Stderr();
    const std::string line = "the display connection was lost (" + display + ")";
    const std::string report = Report();
    std::size_t said = 0;
    for (std::size_t at = report.find(line + "\n"); at != std::string::npos; at = report.find(line + "\n", at + 1))
      ++said;
    EXPECT_EQ(said, 1u) << report;
    EXPECT_EQ(sample_game_test::FailureLines(report), std::vector<std::string>{});
    EXPECT_NE(player.Stderr().find(line), std::string::npos) << player.Stderr();
  }
};

TEST_F(DisplayLossOnADesktop, TheXServerEndingAtTheTitleEndsThePlayer) {
  const sample_game::StartupSettings startup{1, 1, 32};
  const GameFrame title = HeadlessTitleFrames(startup).title;
  ASSERT_TRUE(StartDesktop(WindowManager::Openbox, 1024, 768));
  WriteGame(startup);
  SpawnedProgram& player = StartPlayer();
  const std::optional<XWindowId> window = WindowOf(player);
  ASSERT_TRUE(window);
  ASSERT_TRUE(WaitUntilShown(*window, title));
  const std::string display = Display();
  EndXServer();
  ExpectEndedForTheLoss(player, display);
}

// Full screen, the stage's music and its threads at work.
TEST_F(DisplayLossOnADesktop, TheXServerEndingInAStageEndsThePlayer) {
  const sample_game::StartupSettings startup{0, 0, 32};
  const GameFrame forest = HeadlessForestFrame(startup);
  ASSERT_FALSE(forest.pixels.empty()) << "the headless player did not play the forest";
  ASSERT_TRUE(StartDesktop(WindowManager::Openbox, 1024, 768));
  WriteGame(startup);
  SpawnedProgram& player = StartPlayer({kForestStage});
  const std::optional<XWindowId> window = WindowOf(player);
  ASSERT_TRUE(window);
  ASSERT_TRUE(WaitUntilShown(*window, forest));
  const std::string display = Display();
  EndXServer();
  ExpectEndedForTheLoss(player, display);
}

// The link to the display stops taking what the player sends (a forwarded
// display whose link drops, or a server that ends between the player's poll
// and its write): the player's next write fails, where the system would end
// it by a signal unless it had said it takes the failure itself.
TEST_F(DisplayLossOnADesktop, ALinkThatStopsTakingWhatThePlayerSendsEndsThePlayer) {
  const sample_game::StartupSettings startup{1, 1, 32};
  const GameFrame title = HeadlessTitleFrames(startup).title;
  ASSERT_TRUE(StartDesktop(WindowManager::Openbox, 1024, 768));
  WriteGame(startup);
  DisplayForwarder forwarder(Display());
  ASSERT_TRUE(forwarder.Ready()) << "no display number was free for the forwarder";
  SpawnedProgram& player = StartPlayer({}, {{"DISPLAY", forwarder.Display()}});
  const std::optional<XWindowId> window = WindowOf(player);
  ASSERT_TRUE(window);
  ASSERT_TRUE(WaitUntilShown(*window, title));
  forwarder.StopTakingFromClients();
  ExpectEndedForTheLoss(player, forwarder.Display());
}

// A Wayland compositor of the test's own (weston), shown in a window of the
// test's X server, with a folder of its own for its socket.
class NestedWeston {
 public:
  NestedWeston(const std::string& xDisplay, const fs::path& folder, int width, int height) : folder_(folder) {
    fs::create_directories(folder_);
    ::chmod(folder_.c_str(), 0700);
    weston_ = std::make_unique<SpawnedProgram>(SpawnedProgram::Setup{
        .command = {"weston", "--backend=x11-backend.so", "--use-pixman", "--socket=" + kSocket, "--idle-time=0",
                    "--width=" + std::to_string(width), "--height=" + std::to_string(height)},
        .folder = folder_,
        .environment = {{"DISPLAY", xDisplay},
                        {"WAYLAND_DISPLAY", std::nullopt},
                        {"XDG_RUNTIME_DIR", folder_.string()},
                        {"HOME", folder_.string()}},
        .descriptor3 = -1});
    ready_ = WaitUntilWithin(kEventWaitMs, kPollMs,
                             [&] { return fs::exists(Socket()) || weston_->EndsWithin(0); }) &&
             fs::exists(Socket());
  }
  ~NestedWeston() { End(); }

  bool Ready() const { return ready_; }
  std::string Stderr() const { return weston_->Stderr(); }
  // What WAYLAND_DISPLAY names it by, from any folder.
  std::string Socket() const { return (folder_ / kSocket).string(); }
  void End() {
    weston_->Signal(SIGTERM);
    weston_->EndsWithin(kProgramEndWaitMs);
  }

 private:
  inline static const std::string kSocket = "wayland-test";
  fs::path folder_;
  std::unique_ptr<SpawnedProgram> weston_;
  bool ready_ = false;
};

// Also: the report's machine line gives the Wayland desktop's size.
TEST_F(DisplayLossOnADesktop, TheWaylandCompositorEndingEndsThePlayer) {
  if (!ProgramInPath("weston")) GTEST_SKIP() << "weston is missing (Debian package weston; ./deps.sh installs it)";
  const sample_game::StartupSettings startup{1, 1, 32};
  ASSERT_TRUE(StartDesktop(WindowManager::Openbox, 1024, 768));
  WriteGame(startup);
  NestedWeston weston(Display(), Game().parent_path() / "wayland", 800, 600);
  ASSERT_TRUE(weston.Ready()) << "weston did not start: " << weston.Stderr();
  SpawnedProgram& player = StartPlayer({}, {{"DISPLAY", std::nullopt},
                                            {"WAYLAND_DISPLAY", weston.Socket()},
                                            {"SDL_VIDEODRIVER", "wayland"},
                                            {"SDL_RENDER_DRIVER", "software"}});
  // The window's line follows the window's creation, and the game's start.
  ASSERT_TRUE(WaitUntilWithin(kEventWaitMs, kPollMs, [&] {
    return Report().find(", video wayland, renderer software") != std::string::npos || player.EndsWithin(0);
  })) << player.Stderr();
  ASSERT_FALSE(player.EndsWithin(0)) << player.Stderr() << Report();
  EXPECT_NE(Report().find("Display : (800,600)\n"), std::string::npos) << Report();
  weston.End();
  ExpectEndedForTheLoss(player, weston.Socket());
}

}  // namespace
}  // namespace desktop_test

// The display going away under a running player, as a session's end takes
// it: the X server ends at the title or in a stage, or the Wayland
// compositor ends, also while the player makes and shows its window. The
// player says so once in its report log and on stderr and ends with status
// 1 soon after, never by a signal.
#include <gtest/gtest.h>
#include <sys/syscall.h>

#include <fstream>
#include <string>

#include "tests/desktop/desktop_waits.h"
#include "tests/desktop/display_forwarder.h"
#include "tests/desktop/display_loss_checks.h"
#include "tests/desktop/headless_frames.h"
#include "tests/desktop/process_threads.h"
#include "tests/desktop/wayland_fixture.h"
#include "tests/support/wait_until.h"

namespace desktop_test {
namespace {

// The main thread of the process waits in a poll (as a client waits for
// its display's answer).
bool WaitsInAPoll(pid_t pid) {
  std::ifstream call("/proc/" + std::to_string(pid) + "/syscall");
  long number = -1;
  call >> number;
#ifdef SYS_poll
  if (number == SYS_poll) return true;
#endif
  return number == SYS_ppoll;
}

class DisplayLossOnADesktop : public WaylandDesktopFixture {
 protected:
  // The player ended in time, with status 1, and said once which display it lost.
  void ExpectThePlayerEndedForTheLoss(SpawnedProgram& player, const std::string& display) {
    ExpectEndedForTheLoss(player, display);
    ExpectReportSaysTheLossOnce(Game(), display);
  }
};

TEST_F(DisplayLossOnADesktop, TheXServerEndingAtTheTitleEndsThePlayer) {
  SpawnedProgram* const player = StartPlayerAtTheTitle({1, 1, 32});
  ASSERT_TRUE(player);
  const std::string display = Display();
  EndXServer();
  ExpectThePlayerEndedForTheLoss(*player, display);
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
  ExpectThePlayerEndedForTheLoss(player, display);
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
  ExpectThePlayerEndedForTheLoss(player, forwarder.Display());
}

// Also: the report's machine line gives the Wayland desktop's size.
TEST_F(DisplayLossOnADesktop, TheWaylandCompositorEndingEndsThePlayer) {
  if (!WestonSession::Installed()) GTEST_SKIP() << WestonSession::kMissing;
  ASSERT_TRUE(StartWaylandDesktop({800, 600}, {1, 1, 32}));
  SpawnedProgram& player = StartPlayerOnWeston();
  // The window's line follows the window's creation, and the game's start.
  ASSERT_TRUE(WaitUntilWithin(kEventWaitMs, kPollMs, [&] {
    return Report().find(", video wayland, renderer software") != std::string::npos || player.EndsWithin(0);
  })) << player.Stderr() << Report() << DescribeThreads(player.Pid());
  ASSERT_FALSE(player.EndsWithin(0)) << player.Stderr() << Report();
  EXPECT_NE(Report().find("Display : (800,600)\n"), std::string::npos) << Report();
  Weston().End();
  ExpectThePlayerEndedForTheLoss(player, Weston().Socket());
}

// The compositor stops answering as the player starts to make and show its
// window (once the player holds the instance lock and writes its report
// log), and dies while the player waits for its answer inside SDL. The next
// start plays without a question: the lock went with the player.
TEST_F(DisplayLossOnADesktop, TheWaylandCompositorStallingAndDyingAsThePlayerShowsItsWindowEndsThePlayer) {
  if (!WestonSession::Installed()) GTEST_SKIP() << WestonSession::kMissing;
  ASSERT_TRUE(StartWaylandDesktop({800, 600}, {1, 1, 32}));
  SpawnedProgram& player = StartPlayerOnWeston();
  // Looked at every millisecond: the player makes and shows its window
  // moments after this line.
  constexpr int kReportLookMs = 1;
  ASSERT_TRUE(WaitUntilWithin(kEventWaitMs, kReportLookMs, [&] {
    return Report().find("Display : ") != std::string::npos || player.EndsWithin(0);
  })) << player.Stderr() << Report() << DescribeThreads(player.Pid());
  Weston().Stop();
  EXPECT_TRUE(WaitUntilWithin(kEventWaitMs, kPollMs, [&] {
    return WaitsInAPoll(player.Pid()) || player.EndsWithin(0);
  })) << "the player does not wait for the stopped compositor";
  Weston().Kill();
  ExpectThePlayerEndedForTheLoss(player, Weston().Socket());
  ExpectToPlayWithoutAQuestion(StartPlayer(), Game(), "x11");
}

}  // namespace
}  // namespace desktop_test

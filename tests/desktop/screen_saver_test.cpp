// The X server's screen saver beside the player: held off while the game
// plays in front with the keyboard's focus, let run while the game waits
// behind another window.
#include <gtest/gtest.h>

#include <optional>

#include "tests/desktop/desktop_fixture.h"
#include "tests/desktop/desktop_waits.h"
#include "tests/desktop/focus_window.h"
#include "tests/desktop/headless_frames.h"
#include "tests/support/wait_until.h"

namespace desktop_test {
namespace {

constexpr int kSaverTimeoutSeconds = 2;
// Watched for this long without input, the saver would have come on more
// than twice over.
constexpr int kSaverHeldOffWatchMs = 3 * kSaverTimeoutSeconds * 1000;

using ScreenSaverBesideTheGame = DesktopFixture;

// With the saver set to come on after 2 seconds without input (as
// `xset s 2 0` sets it): it stays off while the focused game plays at its
// title, comes on while a window of the test's has the focus, and goes off
// once the game has the focus again.
TEST_F(ScreenSaverBesideTheGame, ComesOnlyWhileTheGameIsNotInFront) {
  const sample_game::StartupSettings startup;
  const TitleFrames frames = HeadlessTitleFrames(startup);
  ASSERT_TRUE(StartDesktop(WindowManager::Openbox, 1024, 768));
  WriteGame(startup);
  SpawnedProgram& player = StartPlayer();
  const std::optional<XWindowId> game = WindowOf(player);
  ASSERT_TRUE(game);
  ASSERT_TRUE(WaitUntilShown(*game, frames.title));
  ASSERT_TRUE(WaitUntilWithin(kEventWaitMs, kPollMs, [&] { return X().HasFocus(*game); }));
  X().SetScreenSaverTimeout(kSaverTimeoutSeconds);

  EXPECT_FALSE(WaitUntilWithin(kSaverHeldOffWatchMs, kPollMs, [&] { return X().ScreenSaverShows(); }))
      << "the saver came on while the game played in front";
  {
    FocusWindow other(X());
    ASSERT_TRUE(WaitUntilWithin(kEventWaitMs, kPollMs, [&] { return other.TakeFocus(); }));
    EXPECT_TRUE(WaitUntilWithin(kEventWaitMs, kPollMs, [&] { return X().ScreenSaverShows(); }))
        << "the saver did not come on while another window had the focus";
  }
  EXPECT_TRUE(WaitUntilWithin(kEventWaitMs, kPollMs, [&] {
    if (X().HasFocus(*game)) return !X().ScreenSaverShows();
    X().Activate(*game);
    return false;
  })) << "the saver stayed on once the game had the focus again";
  EXPECT_TRUE(Terminate(player));
}

}  // namespace
}  // namespace desktop_test

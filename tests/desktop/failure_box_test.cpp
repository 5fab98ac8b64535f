// A failure's box in full screen under a window manager: a stage file that a
// broken copy cut short, started on the command line.
#include <X11/keysym.h>
#include <gtest/gtest.h>

#include "tests/desktop/desktop_fixture.h"
#include "tests/desktop/desktop_waits.h"
#include "tests/desktop/headless_frames.h"
#include "tests/support/wait_until.h"

namespace desktop_test {
namespace {

using FailureBoxOnADesktop = DesktopFixture;

// The box shows in the full-screen picture as the headless player draws it,
// with the pointer over it to click with; Enter answers it, and the stage
// started directly then closes the player with status 1.
TEST_F(FailureBoxOnADesktop, AFullScreenBoxShowsWithThePointerAndTakesTheKeyboard) {
  const sample_game::StartupSettings startup{0, 0, 32};
  const GameFrame box = HeadlessDamagedStageBox(startup);
  ASSERT_FALSE(box.pixels.empty()) << "the headless player showed no box";
  ASSERT_TRUE(StartDesktop(WindowManager::Openbox, 1024, 768));
  WriteGame(startup);
  DamageTheForestStage(Game());
  SpawnedProgram& player = StartPlayer({kForestStage});
  const std::optional<XWindowId> window = WindowOf(player);
  ASSERT_TRUE(window);
  ASSERT_TRUE(WaitUntilShown(*window, box));
  const ScreenRect inner = *X().InnerRect(*window);
  X().MovePointer(inner.x + inner.width / 2, inner.y + inner.height / 2);
  EXPECT_TRUE(WaitUntilWithin(kEventWaitMs, kPollMs, [&] { return !X().PointerHidden(); }))
      << "no pointer over the box";
  EXPECT_TRUE(TapAndWaitForThePictureToChange(*window, XK_Return)) << "Enter did not answer the box";
  ASSERT_TRUE(player.EndsWithin(kProgramEndWaitMs));
  EXPECT_EQ(player.ExitCode(), 1) << player.Stderr();
}

}  // namespace
}  // namespace desktop_test

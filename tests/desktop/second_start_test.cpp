// A second start of the player while the first runs the game full screen,
// under each window manager: its question ("二重起動") must be seen and
// answered, and leave the running game as it was.
#include <X11/keysym.h>
#include <gtest/gtest.h>

#include "tests/desktop/desktop_fixture.h"
#include "tests/desktop/desktop_waits.h"
#include "tests/desktop/headless_frames.h"
#include "tests/support/wait_until.h"

namespace desktop_test {
namespace {

class SecondStartOnADesktop : public DesktopFixture, public testing::WithParamInterface<WindowManager> {};

// The question comes above the full-screen game with the keyboard's focus;
// Escape answers it No there (a key that reached the game instead would end
// it, unasked at the title); the first player runs on, its report log keeps
// every line it had, and its game is seen again with the keyboard's focus.
TEST_P(SecondStartOnADesktop, TheQuestionComesOnTopAndNoLeavesTheRunningGameWhole) {
  const sample_game::StartupSettings startup{0, 0, 32};
  const GameFrame title = HeadlessTitleFrames(startup).title;
  ASSERT_TRUE(StartDesktop(GetParam(), 1024, 768));
  WriteGame(startup);
  SpawnedProgram& first = StartPlayer();
  const std::optional<XWindowId> game = WindowOf(first);
  ASSERT_TRUE(game);
  ASSERT_TRUE(WaitUntilShown(*game, title));
  const std::string firstReport = Report();

  SpawnedProgram& second = StartPlayer();
  std::optional<XWindowId> question;
  ASSERT_TRUE(WaitUntilWithin(kEventWaitMs, kPollMs, [&] {
    question = X().WindowTitled("二重起動");
    return question.has_value() || second.EndsWithin(0);
  }));
  ASSERT_TRUE(question) << "the second player asked nothing: " << second.Stderr();
  EXPECT_TRUE(WaitUntilWithin(kEventWaitMs, kPollMs, [&] { return X().LiesAbove(*question, *game); }))
      << "the question stays behind the game";
  EXPECT_TRUE(WaitUntilWithin(kEventWaitMs, kPollMs, [&] { return X().HasFocus(*question); }))
      << "the question did not get the keyboard's focus";
  X().TapKey(XK_Escape);
  EXPECT_TRUE(second.EndsWithin(kProgramEndWaitMs)) << "the question was not answered";
  EXPECT_EQ(second.ExitCode(), 0) << second.Stderr();
  EXPECT_FALSE(first.EndsWithin(0)) << "the running game ended";
  EXPECT_EQ(Report(), firstReport);
  EXPECT_TRUE(WaitUntilShown(*game, title)) << "the game is not seen again";
  EXPECT_TRUE(WaitUntilWithin(kEventWaitMs, kPollMs, [&] { return X().HasFocus(*game); }))
      << "the game did not get the keyboard's focus back";
}

INSTANTIATE_TEST_SUITE_P(WindowManagers, SecondStartOnADesktop,
                         testing::Values(WindowManager::Openbox, WindowManager::Fluxbox),
                         [](const auto& info) { return std::string(NameOf(info.param)); });

}  // namespace
}  // namespace desktop_test

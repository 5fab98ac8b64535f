// Second starts of the player while the first runs the game full screen,
// under each window manager: each question ("二重起動") must be seen and
// answered, and leave the running game as it was.
#include <X11/keysym.h>
#include <gtest/gtest.h>
#include <signal.h>

#include <algorithm>

#include "tests/desktop/desktop_fixture.h"
#include "tests/desktop/desktop_waits.h"
#include "tests/desktop/headless_frames.h"
#include "tests/support/wait_until.h"

namespace desktop_test {
namespace {

class SecondStartOnADesktop : public DesktopFixture, public testing::WithParamInterface<WindowManager> {
 protected:
  // The first player, its game full screen at the title.
  bool StartTheGame() {
    const sample_game::StartupSettings startup{0, 0, 32};
    title_ = HeadlessTitleFrames(startup).title;
    if (!StartDesktop(GetParam(), 1024, 768)) return false;
    WriteGame(startup);
    first_ = &StartPlayer();
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

// The question comes above the full-screen game with the keyboard's focus;
// Escape answers it No there (a key that reached the game instead would end
// it, unasked at the title); the first player runs on, its report log keeps
// every line it had, and its game is seen again with the keyboard's focus.
TEST_P(SecondStartOnADesktop, TheQuestionComesOnTopAndNoLeavesTheRunningGameWhole) {
  ASSERT_TRUE(StartTheGame());
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
  ASSERT_TRUE(StartTheGame());
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
  ASSERT_TRUE(StartTheGame());
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

}  // namespace
}  // namespace desktop_test

// The player as built, on the sample game, under a window manager that draws
// title bars and honours full screen, in each drawing mode the game can
// choose, in a window and full screen (DirectDraw at 8 bits runs full screen
// only: a window shows the desktop's depth); full screen also where no window
// manager runs, and a window on a desktop of 10 bits a channel.
#include <X11/keysym.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <vector>

#include "tests/desktop/desktop_fixture.h"
#include "tests/desktop/desktop_waits.h"
#include "tests/desktop/headless_frames.h"
#include "tests/support/wait_until.h"
#include "tests/tools/report_lines.h"

namespace desktop_test {
namespace {

bool FullScreen(const sample_game::NamedStartup& mode) { return mode.startup.windowMode == 0; }

class SampleGameOnADesktop : public DesktopFixture {
 protected:
  // Starts a 1024x768 desktop of the colour depth, writes the sample game in
  // the drawing mode and starts the player on it: its window once shown
  // (nothing when the case failed on the way).
  std::optional<XWindowId> StartGame(WindowManager manager, const sample_game::StartupSettings& startup,
                                     int depth = 24) {
    if (!StartDesktop(manager, 1024, 768, depth)) return std::nullopt;
    WriteGame(startup);
    player_ = &StartPlayer();
    return WindowOf(*player_);
  }
  // A termination ends the player quietly, and its report log got no failure
  // line on the way.
  void EndTheGame() {
    ASSERT_TRUE(Terminate(*player_));
    EXPECT_EQ(player_->ExitCode(), 0) << player_->Stderr();
    EXPECT_EQ(sample_game_test::FailureLines(Report()), std::vector<std::string>{});
  }

 private:
  SpawnedProgram* player_ = nullptr;
};

class DrawingModeOnADesktop : public SampleGameOnADesktop,
                              public testing::WithParamInterface<sample_game::NamedStartup> {};

// The title shows as the headless player draws it (scaled as the presenter
// scales it), also once the focus went to another window and came back;
// full screen hides the pointer over the game and a window keeps it; Down
// and Z on the title lead to the save-slot list; the report log gets no
// failure line on the way.
TEST_P(DrawingModeOnADesktop, ShowsTheTitleThroughAFocusChangeAndTakesKeys) {
  const TitleFrames frames = HeadlessTitleFrames(GetParam().startup);
  const std::vector<GameFrame> menu = HeadlessTitleMenu(GetParam().startup);
  ASSERT_FALSE(frames.title.pixels.empty());
  ASSERT_GT(menu.size(), 1u);
  const std::optional<XWindowId> window = StartGame(WindowManager::Openbox, GetParam().startup);
  ASSERT_TRUE(window);
  EXPECT_TRUE(WaitUntilShown(*window, frames.title)) << "at the start";
  const std::optional<ScreenRect> inner = X().InnerRect(*window);
  ASSERT_TRUE(inner);
  if (FullScreen(GetParam())) {
    EXPECT_EQ(*inner, X().Screen());
  }

  X().MovePointer(inner->x + inner->width / 2, inner->y + inner->height / 2);
  if (FullScreen(GetParam())) {
    EXPECT_TRUE(WaitUntilWithin(kEventWaitMs, kPollMs, [&] { return X().PointerHidden(); }))
        << "the pointer shows over the full-screen game";
  } else {
    EXPECT_FALSE(X().PointerHidden()) << "the window hid the pointer";
  }

  ASSERT_TRUE(TakeAndReturnTheFocus(*window));
  EXPECT_TRUE(WaitUntilShown(*window, frames.title)) << "once the focus came back";

  EXPECT_TRUE(TapUntilChosen(*window, XK_Down, menu, 1)) << "Down did not choose the title's second command";
  EXPECT_TRUE(TapAndWaitForThePictureToChange(*window, XK_z)) << "Z did not leave the title's menu";
  EXPECT_TRUE(WaitUntilShown(*window, frames.slots)) << "the save-slot list";
  EndTheGame();
}

INSTANTIATE_TEST_SUITE_P(SampleGame, DrawingModeOnADesktop, testing::ValuesIn(sample_game::kEveryDrawingMode),
                         [](const auto& info) { return std::string(info.param.name); });

std::vector<sample_game::NamedStartup> FullScreenModes() {
  std::vector<sample_game::NamedStartup> modes;
  std::copy_if(std::begin(sample_game::kEveryDrawingMode), std::end(sample_game::kEveryDrawingMode),
               std::back_inserter(modes), FullScreen);
  return modes;
}

class FullScreenWithoutAWindowManager : public SampleGameOnADesktop,
                                        public testing::WithParamInterface<sample_game::NamedStartup> {};

// An X session that runs only the game (a kiosk) has no window manager to
// make the window full screen: the player's window covers the screen all
// the same, and the whole title shows in it, scaled as in full screen.
TEST_P(FullScreenWithoutAWindowManager, CoversTheScreenWithTheWholeTitle) {
  const TitleFrames frames = HeadlessTitleFrames(GetParam().startup);
  ASSERT_FALSE(frames.title.pixels.empty());
  const std::optional<XWindowId> window = StartGame(WindowManager::None, GetParam().startup);
  ASSERT_TRUE(window);
  EXPECT_TRUE(WaitUntilShown(*window, frames.title));
  EXPECT_EQ(X().InnerRect(*window), X().Screen());
  EndTheGame();
}

INSTANTIATE_TEST_SUITE_P(SampleGame, FullScreenWithoutAWindowManager, testing::ValuesIn(FullScreenModes()),
                         [](const auto& info) { return std::string(info.param.name); });

using DeepColourDesktop = SampleGameOnADesktop;

// A desktop of 10 bits a channel (an X screen of depth 30, for a deep-colour
// monitor) is one of 32 bits to the game, as Windows shows it to programs:
// the sample game, a 32-bit game in a window, starts there and shows its title.
TEST_F(DeepColourDesktop, ShowsA32BitGameInAWindow) {
  const sample_game::StartupSettings startup;
  const TitleFrames frames = HeadlessTitleFrames(startup);
  ASSERT_FALSE(frames.title.pixels.empty());
  const std::optional<XWindowId> window = StartGame(WindowManager::Openbox, startup, 30);
  ASSERT_TRUE(window);
  EXPECT_TRUE(WaitUntilShown(*window, frames.title));
  EndTheGame();
}

}  // namespace
}  // namespace desktop_test

// Letters by the keyboard layout's labels, as the game's texts name them: on
// a German or a French keyboard the key printed Z decides at the title and
// jumps in a stage, wherever it lies; the German Y, which lies where a US
// keyboard has Z, does not decide. The layout is set before the player starts
// and switched while it runs.
#include <X11/keysym.h>
#include <gtest/gtest.h>

#include "tests/desktop/desktop_fixture.h"
#include "tests/desktop/headless_frames.h"
#include "tests/tools/report_lines.h"

namespace desktop_test {
namespace {

// The stage's banners stand right of this column.
constexpr int kBannersLeft = 248;

class KeyboardLayoutOnADesktop : public DesktopFixture {};

TEST_F(KeyboardLayoutOnADesktop, TheKeyPrintedZDecidesAtTheTitleAndJumpsInAStage) {
  const sample_game::StartupSettings startup{1, 1, 32};
  const TitleFrames frames = HeadlessTitleFrames(startup);
  const std::vector<GameFrame> menu = HeadlessTitleMenu(startup);
  const GameFrame forest = HeadlessForestFrame(startup);
  ASSERT_FALSE(frames.title.pixels.empty());
  ASSERT_GT(menu.size(), 1u);
  ASSERT_FALSE(forest.pixels.empty()) << "the headless player did not play the forest";
  ASSERT_TRUE(StartDesktop(WindowManager::Openbox, 1024, 768));
  WriteGame(startup);

  // German: Z and Y change places.
  ASSERT_TRUE(SwitchKeyboardLayout("de"));
  SpawnedProgram& atTitle = StartPlayer();
  std::optional<XWindowId> window = WindowOf(atTitle);
  ASSERT_TRUE(window);
  ASSERT_TRUE(WaitUntilShown(*window, frames.title));
  // Down moves the title's menu to its second command (the game reads its
  // keys); Y deciding there would open the save-slot list, from which Up
  // does not lead back to the title.
  EXPECT_TRUE(TapUntilChosen(*window, XK_Down, menu, 1)) << "Down did not choose the title's second command";
  X().TapKey(XK_y);
  ASSERT_TRUE(TapUntilChosen(*window, XK_Up, menu, 0)) << "the German Y left the title's menu";
  EXPECT_TRUE(TapUntilChosen(*window, XK_Down, menu, 1)) << "Down did not choose the title's second command";
  EXPECT_TRUE(TapAndWaitForThePictureToChange(*window, XK_z)) << "the German Z did not leave the title's menu";
  ASSERT_TRUE(WaitUntilShown(*window, frames.slots)) << "the German Z did not lead to the save-slot list";

  // French from now on, the game running: Z lies where a US keyboard has W.
  // X, which stays in its place, cancels back to the title's menu; Z on its
  // first command opens the new game's save-slot list, drawn as the other.
  ASSERT_TRUE(SwitchKeyboardLayout("fr"));
  EXPECT_TRUE(TapAndWaitForThePictureToChange(*window, XK_x)) << "X did not leave the save-slot list";
  ASSERT_TRUE(TapUntilChosen(*window, XK_Up, menu, 0)) << "X and Up did not lead back to the title's first command";
  EXPECT_TRUE(TapAndWaitForThePictureToChange(*window, XK_z)) << "the French Z did not leave the title's menu";
  EXPECT_TRUE(WaitUntilShown(*window, frames.slots)) << "the French Z did not lead to the save-slot list";
  ASSERT_TRUE(Terminate(atTitle));
  EXPECT_EQ(atTitle.ExitCode(), 0) << atTitle.Stderr();

  // A stage started on the command line: Z held, the hero leaves the
  // ground once the stage's intro has ended. The hero's side of the forest
  // is watched, left of where the intro's banners stand.
  SpawnedProgram& inStage = StartPlayer({kForestStage});
  window = WindowOf(inStage);
  ASSERT_TRUE(window);
  ASSERT_TRUE(WaitUntilShown(*window, forest));
  GameFrame heroSide = forest;
  heroSide.part.width = kBannersLeft;
  EXPECT_TRUE(HoldUntilNoLongerShown(*window, XK_z, heroSide)) << "the French Z did not make the hero jump";
  ASSERT_TRUE(Terminate(inStage));
  EXPECT_EQ(inStage.ExitCode(), 0) << inStage.Stderr();
  EXPECT_EQ(sample_game_test::FailureLines(Report()), std::vector<std::string>{});
}

}  // namespace
}  // namespace desktop_test

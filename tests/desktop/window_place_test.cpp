// The player's window under a window manager that frames it with a title
// bar and borders: where it opens, where it comes back after a close, and
// the size it comes back at on a smaller screen.
#include <gtest/gtest.h>
#include <signal.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "shell/window/window_pos.h"
#include "tests/desktop/desktop_fixture.h"
#include "tests/desktop/desktop_waits.h"
#include "tests/desktop/headless_frames.h"

namespace desktop_test {
namespace {

namespace fs = std::filesystem;

using WindowPlaceOnADesktop = DesktopFixture;

// The inner area opens centred in the work area, and after a close through
// the window manager the next start puts it where it was, whatever the
// frame's size.
TEST_F(WindowPlaceOnADesktop, TheInnerAreaOpensCentredAndComesBackWhereItWas) {
  const sample_game::StartupSettings startup{1, 1, 32};
  const GameFrame title = HeadlessTitleFrames(startup).title;
  ASSERT_TRUE(StartDesktop(WindowManager::Openbox, 1024, 768));
  WriteGame(startup);
  std::vector<ScreenRect> inner;
  for (int start = 0; start < 2; ++start) {
    SpawnedProgram& player = StartPlayer();
    const std::optional<XWindowId> window = WindowOf(player);
    ASSERT_TRUE(window);
    ASSERT_TRUE(WaitUntilShown(*window, title)) << "start " << start;
    inner.push_back(*X().InnerRect(*window));
    X().Close(*window);
    ASSERT_TRUE(player.EndsWithin(kProgramEndWaitMs)) << "the window's close did not end the player";
    EXPECT_EQ(player.ExitCode(), 0) << player.Stderr();
  }
  const ScreenRect area = X().WorkArea();
  EXPECT_LE(std::abs(2 * (inner[0].x - area.x) + inner[0].width - area.width), 1) << inner[0].x;
  EXPECT_LE(std::abs(2 * (inner[0].y - area.y) + inner[0].height - area.height), 1) << inner[0].y;
  EXPECT_EQ(inner[1], inner[0]);
}

// The terminal's signals close the player as SIGTERM does, without asking,
// at the title and while a box of the running game waits alike (the
// title's, about its damaged picture), and the close saves the window's
// place: SIGHUP (the terminal the player was started from closed) and
// SIGINT (Ctrl+C there).
TEST_F(WindowPlaceOnADesktop, TheTerminalsSignalsCloseQuietlyAndSaveThePlace) {
  const sample_game::StartupSettings startup{0, 1, 32};
  const GameFrame title = HeadlessTitleFrames(startup).title;
  const GameFrame box = HeadlessDamagedTitleBox(startup);
  ASSERT_FALSE(box.pixels.empty()) << "the headless player showed no box";
  ASSERT_TRUE(StartDesktop(WindowManager::Openbox, 1024, 768));
  const fs::path saved = Game() / "user_data" / "Window.dat";
  WriteGame(startup);
  for (const bool boxWaits : {false, true}) {
    if (boxWaits) DamageTheTitlePicture(Game());
    for (const int signal : {SIGHUP, SIGINT}) {
      SCOPED_TRACE(std::string(sigabbrev_np(signal)) + (boxWaits ? " while a box waits" : " at the title"));
      fs::remove(saved);
      SpawnedProgram& player = StartPlayer();
      const std::optional<XWindowId> window = WindowOf(player);
      ASSERT_TRUE(window);
      ASSERT_TRUE(WaitUntilShown(*window, boxWaits ? box : title));
      player.Signal(signal);
      ASSERT_TRUE(player.EndsWithin(kProgramEndWaitMs)) << "the signal was not taken";
      EXPECT_EQ(player.EndingSignal(), std::nullopt) << "the signal ended the player unclosed";
      EXPECT_EQ(player.ExitCode(), 0) << player.Stderr();
      EXPECT_TRUE(fs::exists(saved)) << "the window's place was not saved";
    }
  }
}

// A window saved at 200 % on a large desktop (Window.dat: 1280x960 inner
// area) comes back on an 800x600 screen inside the work area with its
// title bar, showing the whole picture.
TEST_F(WindowPlaceOnADesktop, ALargeSavedSizeComesBackWholeOnASmallScreen) {
  const sample_game::StartupSettings startup{1, 2, 32};
  const GameFrame title = HeadlessTitleFrames(startup).title;
  ASSERT_TRUE(StartDesktop(WindowManager::Openbox, 800, 600));
  WriteGame(startup);
  // Written by the player's own record, as its close writes it (a save
  // takes a path inside the working folder only).
  fs::create_directories(Game() / "user_data");
  cWindowPos saved;
  saved.Set(320, 60, 1280, 960, 0);
  const fs::path previous = fs::current_path();
  fs::current_path(Game());
  const int written = SaveFile(saved, "user_data\\Window.dat");
  fs::current_path(previous);
  ASSERT_EQ(written, 1);
  SpawnedProgram& player = StartPlayer();
  const std::optional<XWindowId> window = WindowOf(player);
  ASSERT_TRUE(window);
  EXPECT_TRUE(WaitUntilShown(*window, title));
  const std::optional<ScreenRect> frame = X().FrameRect(*window);
  ASSERT_TRUE(frame);
  const ScreenRect area = X().WorkArea();
  EXPECT_TRUE(area.Holds(*frame)) << "the window " << frame->x << "," << frame->y << " " << frame->width
                                  << "x" << frame->height << " leaves the work area " << area.width << "x"
                                  << area.height;
}

}  // namespace
}  // namespace desktop_test

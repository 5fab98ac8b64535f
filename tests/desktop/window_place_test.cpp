// The player's window under a window manager that frames it with a title
// bar and borders: where it opens, where it comes back after a close (with
// the size the user gave it, on the monitor it was on), and the size it
// comes back at on a smaller screen.
#include <gtest/gtest.h>
#include <signal.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <string>

#include "shell/window/window_pos.h"
#include "tests/desktop/desktop_fixture.h"
#include "tests/desktop/desktop_waits.h"
#include "tests/desktop/headless_frames.h"
#include "tests/support/wait_until.h"

namespace desktop_test {
namespace {

namespace fs = std::filesystem;

using WindowPlaceOnADesktop = DesktopFixture;
using WindowPlaceOnTwoMonitors = DesktopFixture;

// The window's inner area lies centred on the rectangle, to within the
// halving's rounding.
bool CentredOn(const ScreenRect& inner, const ScreenRect& on) {
  return std::abs(2 * (inner.x - on.x) + inner.width - on.width) <= 1 &&
         std::abs(2 * (inner.y - on.y) + inner.height - on.height) <= 1;
}

// Waits until the window's inner area is where `wanted` says.
bool WaitUntilInner(const XDisplay& x, XWindowId window,
                    const std::function<bool(const ScreenRect&)>& wanted) {
  return WaitUntilWithin(kEventWaitMs, kPollMs, [&] {
    const std::optional<ScreenRect> inner = x.InnerRect(window);
    return inner && wanted(*inner);
  });
}

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
  EXPECT_TRUE(CentredOn(inner[0], X().WorkArea())) << testing::PrintToString(inner[0]);
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

// Monitors side by side, the primary one on the left: each place and size
// the window manager gave the resizable window (as when the user drags it
// and its border), on either monitor, comes back at the next start; among
// them sizes smaller than the picture and shapes far from its own.
TEST_F(WindowPlaceOnTwoMonitors, EachPlaceAndSizeTheUserGaveComesBackOnItsMonitor) {
  ASSERT_TRUE(StartDesktop(WindowManager::Openbox, {{1600, 1200, true}, {1280, 1024, false}}));
  ASSERT_EQ(X().Screen(), (ScreenRect{0, 0, 2880, 1200}));
  WriteGame({1, 2, 32});
  const ScreenRect primary{0, 0, 1600, 1200};
  const std::vector<ScreenRect> places = {{41, 72, 480, 360},    {2001, 172, 640, 480},
                                          {1801, 172, 560, 420}, {2300, 600, 400, 300},
                                          {300, 100, 640, 1000}, {150, 600, 1300, 480}};
  for (std::size_t start = 0; start <= places.size(); ++start) {
    SCOPED_TRACE("start " + std::to_string(start));
    SpawnedProgram& player = StartPlayer();
    const std::optional<XWindowId> window = WindowOf(player);
    ASSERT_TRUE(window);
    if (start == 0) {
      EXPECT_TRUE(
          WaitUntilInner(X(), *window, [&](const ScreenRect& inner) { return CentredOn(inner, primary); }))
          << "the first start is not centred on the primary monitor but at "
          << testing::PrintToString(X().InnerRect(*window));
    } else {
      const ScreenRect saved = places[start - 1];
      EXPECT_TRUE(WaitUntilInner(X(), *window, [&](const ScreenRect& inner) { return inner == saved; }))
          << testing::PrintToString(saved) << " came back as "
          << testing::PrintToString(X().InnerRect(*window));
    }
    if (start == places.size()) break;
    X().Place(*window, places[start]);
    ASSERT_TRUE(WaitUntilInner(X(), *window, [&](const ScreenRect& inner) { return inner == places[start]; }))
        << "the window manager did not place the window at " << testing::PrintToString(places[start]);
    X().Close(*window);
    ASSERT_TRUE(player.EndsWithin(kProgramEndWaitMs)) << "the window's close did not end the player";
    EXPECT_EQ(player.ExitCode(), 0) << player.Stderr();
  }
}

// The primary monitor on the right: the first start opens centred on it,
// the report's Display line gives its size, and full screen covers it.
TEST_F(WindowPlaceOnTwoMonitors, TheFirstStartAndFullScreenOpenOnThePrimaryMonitor) {
  ASSERT_TRUE(StartDesktop(WindowManager::Openbox, {{1280, 1024, false}, {1024, 768, true}}));
  const ScreenRect primary{1280, 0, 1024, 768};
  WriteGame({1, 1, 32});
  SpawnedProgram& windowed = StartPlayer();
  std::optional<XWindowId> window = WindowOf(windowed);
  ASSERT_TRUE(window);
  EXPECT_TRUE(
      WaitUntilInner(X(), *window, [&](const ScreenRect& inner) { return CentredOn(inner, primary); }))
      << "the window opened at " << testing::PrintToString(X().InnerRect(*window));
  EXPECT_NE(Report().find("Display : (1024,768)"), std::string::npos) << Report();
  ASSERT_TRUE(Terminate(windowed));

  std::ofstream(Game() / "System.ini", std::ios::binary) << sample_game::SystemIniText({1, 0, 32});
  SpawnedProgram& fullScreen = StartPlayer();
  window = WindowOf(fullScreen);
  ASSERT_TRUE(window);
  EXPECT_TRUE(WaitUntilInner(X(), *window, [&](const ScreenRect& inner) { return inner == primary; }))
      << "full screen covers " << testing::PrintToString(X().InnerRect(*window));
}

}  // namespace
}  // namespace desktop_test

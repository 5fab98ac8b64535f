// The window's place across runs: the record's round trip, the clamp into
// the work area on load, and the place restored at start-up.

#include "shell/window/window_pos.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <tuple>
#include <vector>

#include "foundation/record_stream.h"
#include "platform/headless_window.h"
#include "platform/window.h"
#include "platform/window_placement.h"
#include "shell/harness/run_harness.h"
#include "tests/shell/prepared_game.h"

namespace {

std::tuple<int, int, int, int> Fields(const platform::WindowRect& rect) {
  return {rect.x, rect.y, rect.width, rect.height};
}

TEST(WindowPosClamp, KeepsTheWholeWindowInsideTheAreaWhenItFits) {
  const platform::WindowRect area{0, 0, 1920, 1040};
  cWindowPos pos;
  pos.Set(5000, -300, 640, 480, 0);
  pos.ClampInto(area);
  EXPECT_EQ(pos.m_nX, 1920 - 640);
  EXPECT_EQ(pos.m_nY, 0);
  pos.Set(100, 200, 640, 480, 0);
  pos.ClampInto(area);
  EXPECT_EQ(pos.m_nX, 100);
  EXPECT_EQ(pos.m_nY, 200);
  // Larger than the area, or a damaged size: the top-left corner at the area's.
  pos.Set(300, 300, 3200, -5, 0);
  pos.ClampInto({50, 30, 1920, 1040});
  EXPECT_EQ(pos.m_nX, 50);
  EXPECT_EQ(pos.m_nY, 300);
}

// A size saved on a larger desktop comes back as the largest of its shape
// that fits, so that the whole picture shows; the place is then clamped.
TEST(WindowPosClamp, ASizeLargerThanTheAreaComesBackAsTheLargestOfItsShapeThatFits) {
  struct Case {
    platform::WindowRect saved, area, expected;
  };
  for (const Case& c : {Case{{321, 292, 1280, 960}, {0, 0, 800, 600}, {0, 0, 800, 600}},
                        Case{{40, 50, 2000, 400}, {10, 0, 800, 600}, {10, 50, 800, 160}}}) {
    cWindowPos pos;
    pos.Set(c.saved.x, c.saved.y, c.saved.width, c.saved.height, 0);
    pos.ClampInto(c.area);
    EXPECT_EQ(pos.m_nX, c.expected.x);
    EXPECT_EQ(pos.m_nY, c.expected.y);
    EXPECT_EQ(pos.m_nWidth, c.expected.width);
    EXPECT_EQ(pos.m_nHeight, c.expected.height);
  }
}

// A size no window could have had (a side under 100 pixels, a height of
// 480 read as 4,194,784 with one bit flipped, a 1 x 741 sliver, a side more
// than four times the whole desktop's, a shape beyond 8:1) comes back as
// the picture's size at the saved place; any size a window manager lets the
// user drag the window to stays, smaller than the picture or of another
// shape alike.
TEST(WindowPosClamp, ASizeNoWindowCouldHaveHadBecomesThePicturesAtTheSavedPlace) {
  const platform::WindowRect desktop{0, 0, 1920, 1080};
  struct Case {
    int width, height;
    bool kept;
  };
  for (const Case& c :
       {Case{640, 4194784, false}, Case{1, 1, false},       Case{1, 741, false},   Case{99, 480, false},
        Case{640, 99, false},      Case{0, -480, false},    Case{901, 100, false}, Case{100, 801, false},
        Case{7681, 4000, false},   Case{4000, 4321, false}, Case{480, 360, true},  Case{560, 420, true},
        Case{400, 300, true},      Case{640, 1000, true},   Case{1300, 480, true}, Case{100, 100, true},
        Case{800, 100, true},      Case{640, 480, true},    Case{1280, 960, true}, Case{3200, 2400, true},
        Case{7680, 4320, true}}) {
    cWindowPos pos;
    pos.Set(100, 200, c.width, c.height, 1);
    pos.KeepAWindowSize(desktop);
    const platform::WindowRect expected =
        c.kept ? platform::WindowRect{100, 200, c.width, c.height} : platform::WindowRect{100, 200, 640, 480};
    EXPECT_EQ(Fields({pos.m_nX, pos.m_nY, pos.m_nWidth, pos.m_nHeight}), Fields(expected))
        << c.width << " x " << c.height;
    EXPECT_EQ(pos.m_bZoomed, 1);
  }
}

// The monitor a place belongs to: the one that holds the most of it, the
// primary one (listed first, wherever it stands) when none holds any of it.
TEST(WindowPlacement, APlaceBelongsToTheMonitorHoldingTheMostOfIt) {
  const platform::Monitor primary{{1280, 0, 1024, 768}, {1280, 0, 1024, 740}};
  const platform::Monitor left{{0, 0, 1280, 1024}, {0, 24, 1280, 1000}};
  const std::vector<platform::Monitor> monitors{primary, left};
  const auto holding = [&](const platform::WindowRect& rect) {
    return Fields(platform::MonitorHolding(rect, monitors).bounds);
  };
  EXPECT_EQ(holding({1401, 172, 640, 480}), Fields(primary.bounds));
  EXPECT_EQ(holding({100, 172, 640, 480}), Fields(left.bounds));
  EXPECT_EQ(holding({1000, 172, 640, 480}), Fields(primary.bounds));  // 360 columns of 640 on it
  EXPECT_EQ(holding({700, 172, 640, 480}), Fields(left.bounds));
  EXPECT_EQ(holding({900, 900, 640, 480}), Fields(left.bounds));      // below the primary one's bottom
  EXPECT_EQ(holding({3000, 200, 640, 480}), Fields(primary.bounds));  // a monitor since unplugged
  EXPECT_EQ(holding({-5000, -5000, 640, 480}), Fields(primary.bounds));
  EXPECT_EQ(Fields(platform::MonitorHolding({0, 0, 640, 480}, {}).bounds), Fields({}));
  EXPECT_EQ(Fields(platform::BoundsOfAll(monitors)), Fields({0, 0, 2304, 1024}));
}

// The frame a window manager adds, and where the window lands with it.
TEST(WindowPlacement, AFramedWindowIsBroughtInsideTheAreaAndShrunkWhereItsFrameCannotFit) {
  const platform::WindowFrame frame{1, 20, 1, 1};
  const platform::WindowRect inside = platform::FitFramedWindow({100, 100, 640, 480}, frame, {0, 0, 800, 600});
  EXPECT_EQ(inside.x, 100);
  EXPECT_EQ(inside.y, 100);
  EXPECT_EQ(inside.width, 640);
  const platform::WindowRect top = platform::FitFramedWindow({0, 0, 640, 480}, frame, {0, 0, 800, 600});
  EXPECT_EQ(top.x, 1);
  EXPECT_EQ(top.y, 20);  // the title bar stays on the desktop
  const platform::WindowRect large = platform::FitFramedWindow({0, 0, 800, 600}, frame, {0, 0, 800, 600});
  EXPECT_EQ(large.width, 772);
  EXPECT_EQ(large.height, 579);
  EXPECT_EQ(large.y, 20);
  EXPECT_LE(large.x + large.width + frame.right, 800);
}

class WindowPosStartTest : public testing::Test {
 protected:
  void TearDown() override {
    if (harness_) harness_->Close(platform::CloseReason::Terminate);
    platform::ResetHeadlessWindow();
  }
  void Start(const std::string& ini) {
    WritePreparedGame(folder_.Path(), {ini});
    harness_ = std::make_unique<cRunHarness>(folder_.Path());
    ASSERT_TRUE(harness_->Start());
  }
  ScratchGameFolder folder_{"window_pos"};
  std::unique_ptr<cRunHarness> harness_;
};

TEST_F(WindowPosStartTest, PlaceIsSavedOnCloseAndRestoredAtTheNextStart) {
  Start("Direct3D=1\nWindowMode=2\nExit\n");
  platform::PlaceMainWindow(300, 200, 1280, 960);
  ASSERT_TRUE(harness_->Close());
  Start("Direct3D=1\nWindowMode=2\nExit\n");
  const platform::WindowRect rect = platform::MainWindowRect();
  EXPECT_EQ(rect.x, 300);
  EXPECT_EQ(rect.y, 80);  // moved up so that the 960 rows fit the 1040-row work area
  EXPECT_EQ(rect.width, 1280);
  EXPECT_EQ(rect.height, 960);
  EXPECT_FALSE(platform::MainWindowMaximised());
}

// The window appears once, where it was saved, with the renderer that would
// otherwise make it again once seen.
TEST_F(WindowPosStartTest, TheWindowIsShownOnceAtItsSavedPlaceWithItsRenderer) {
  Start("Direct3D=1\nWindowMode=2\nExit\n");
  platform::PlaceMainWindow(260, 140, 1280, 960);
  ASSERT_TRUE(harness_->Close());
  Start("Direct3D=1\nWindowMode=2\nExit\n");
  ASSERT_EQ(harness_->StepFrames(3), 3);
  const platform::HeadlessWindowLife life = platform::HeadlessWindowHistory();
  EXPECT_EQ(life.timesShown, 1);
  EXPECT_TRUE(life.renderedWhenShown);
  EXPECT_EQ(life.rectWhenShown.x, 260);
  EXPECT_EQ(life.rectWhenShown.y, 80);
  EXPECT_EQ(life.rectWhenShown.width, 1280);
  EXPECT_EQ(life.rectWhenShown.height, 960);
  EXPECT_EQ(life.placedWhileShown, 0);
}

// Under a window manager that frames the window only as it is shown, the
// inner area starts centred on the desktop and comes back at the same place
// at every start; a size saved on a larger desktop fits the smaller one,
// frame and all.
TEST_F(WindowPosStartTest, TheInnerAreaComesBackWhereItWasUnderAWindowManagersFrame) {
  const platform::WindowFrame frame{1, 20, 1, 1};
  platform::SetHeadlessWindowFrame(frame);
  for (const char* mode : {"Direct3D=0\nWindowMode=1\nExit\n", "Direct3D=1\nWindowMode=2\nExit\n"}) {
    SCOPED_TRACE(mode);
    std::filesystem::remove(folder_.Path() / "user_data/Window.dat");
    for (int start = 0; start < 3; ++start) {
      Start(mode);
      ASSERT_EQ(harness_->StepFrames(1), 1);
      const platform::WindowRect rect = platform::MainWindowRect();
      EXPECT_EQ(rect.x, (1920 - 640) / 2) << "start " << start;
      EXPECT_EQ(rect.y, (1080 - 480) / 2) << "start " << start;
      ASSERT_TRUE(harness_->Close());
    }
  }
  Start("Direct3D=1\nWindowMode=2\nExit\n");
  platform::PlaceMainWindow(321, 292, 1280, 960);
  ASSERT_TRUE(harness_->Close());
  platform::SetHeadlessDesktop({{0, 0, 800, 600}, {0, 0, 800, 600}, 32, 60, {}});
  Start("Direct3D=1\nWindowMode=2\nExit\n");
  ASSERT_EQ(harness_->StepFrames(1), 1);
  const platform::WindowRect rect = platform::MainWindowRect();
  EXPECT_GE(rect.x - frame.left, 0);
  EXPECT_GE(rect.y - frame.top, 0);
  EXPECT_LE(rect.x + rect.width + frame.right, 800);
  EXPECT_LE(rect.y + rect.height + frame.bottom, 600);
  EXPECT_EQ(rect.width * 3, rect.height * 4);  // the picture's shape, whole
}

// The bytes of a place's four numbers as the record stores them.
std::string PlaceBytes(const platform::WindowRect& rect) {
  std::string bytes;
  for (const std::int32_t value : {rect.x, rect.y, rect.width, rect.height})
    for (int shift = 0; shift < 32; shift += 8) bytes += static_cast<char>((value >> shift) & 0xFF);
  return bytes;
}

// A saved size no window could have had (a height of 480 read as
// 4,194,784, one bit flipped; a 1 x 1) opens the window at the picture's
// size at its saved place, and the close saves that, so the next start is
// whole too.
TEST_F(WindowPosStartTest, ADamagedSavedSizeComesBackAsThePicturesAtItsPlaceAndIsSavedSo) {
  for (const platform::WindowRect damaged : {platform::WindowRect{300, 200, 640, 480 | 1 << 22}, platform::WindowRect{300, 200, 1, 1}}) {
    SCOPED_TRACE(damaged.height);
    Start("Direct3D=1\nWindowMode=2\nExit\n");
    platform::PlaceMainWindow(300, 200, 640, 480);
    ASSERT_TRUE(harness_->Close());
    const std::filesystem::path file = folder_.Path() / "user_data/Window.dat";
    std::string bytes;
    {
      std::ifstream in(file, std::ios::binary);
      bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    const std::size_t at = bytes.find(PlaceBytes({300, 200, 640, 480}));
    ASSERT_NE(at, std::string::npos);
    bytes.replace(at, 16, PlaceBytes(damaged));
    std::ofstream(file, std::ios::binary) << bytes;
    for (int start = 0; start < 2; ++start) {
      Start("Direct3D=1\nWindowMode=2\nExit\n");
      ASSERT_EQ(harness_->StepFrames(1), 1);
      const platform::WindowRect rect = platform::MainWindowRect();
      EXPECT_EQ(Fields(rect), Fields({300, 200, 640, 480})) << "start " << start;
      ASSERT_TRUE(harness_->Close());
    }
  }
}

// Two monitors, the primary one on the right: the first start opens centred
// on the primary one; a place saved on the other comes back there, inside
// its work area, which is then the one the window's size menu measures; with
// that monitor unplugged the place comes back inside the primary one's.
TEST_F(WindowPosStartTest, APlaceComesBackOnTheMonitorThatHoldsItAndAFirstStartOnThePrimaryOne) {
  const platform::Monitor left{{0, 0, 1280, 1024}, {0, 30, 1280, 994}};
  platform::HeadlessDesktop twoMonitors;
  twoMonitors.bounds = twoMonitors.workArea = {1280, 0, 1024, 768};
  twoMonitors.otherMonitors = {left};
  platform::SetHeadlessDesktop(twoMonitors);
  Start("Direct3D=1\nWindowMode=1\nExit\n");
  EXPECT_EQ(Fields(platform::MainWindowRect()), Fields({1280 + (1024 - 640) / 2, (768 - 480) / 2, 640, 480}));
  platform::PlaceMainWindow(100, 10, 640, 480);
  ASSERT_TRUE(harness_->Close());
  Start("Direct3D=1\nWindowMode=1\nExit\n");
  EXPECT_EQ(Fields(platform::MainWindowRect()), Fields({100, 30, 640, 480}));  // below the left one's panel
  EXPECT_EQ(Fields(platform::DesktopWorkArea()), Fields(left.workArea));
  ASSERT_TRUE(harness_->Close());
  platform::SetHeadlessDesktop({{1280, 0, 1024, 768}, {1280, 0, 1024, 768}, 32, 60, {}});
  Start("Direct3D=1\nWindowMode=1\nExit\n");
  EXPECT_EQ(Fields(platform::MainWindowRect()), Fields({1280, 30, 640, 480}));
}

TEST_F(WindowPosStartTest, AFixedSizeWindowTakesOnlyThePositionAndAMaximisedOneComesBackMaximised) {
  Start("Direct3D=0\nWindowMode=1\nExit\n");
  platform::PlaceMainWindow(40, 50, 640, 480);
  platform::SetHeadlessWindowState(true, false);
  ASSERT_TRUE(harness_->Close());
  Start("Direct3D=0\nWindowMode=1\nExit\n");
  const platform::WindowRect rect = platform::MainWindowRect();
  EXPECT_EQ(rect.x, 40);
  EXPECT_EQ(rect.y, 50);
  EXPECT_EQ(rect.width, 640);
  EXPECT_TRUE(platform::MainWindowMaximised());
}

TEST_F(WindowPosStartTest, AMinimisedWindowKeepsTheLastPlaceSaved) {
  Start("Direct3D=1\nWindowMode=1\nExit\n");
  platform::PlaceMainWindow(70, 80, 640, 480);
  ASSERT_TRUE(harness_->Close());
  Start("Direct3D=1\nWindowMode=1\nExit\n");
  platform::PlaceMainWindow(900, 900, 640, 480);
  platform::SetHeadlessWindowState(false, true);
  ASSERT_TRUE(harness_->Close());
  cWindowPos saved;
  g_DataVersion = kProgramDataVersion;
  ASSERT_TRUE(LoadFile(saved, (folder_.Path() / "user_data/Window.dat").string()));
  EXPECT_EQ(saved.m_nX, 70);
  EXPECT_EQ(saved.m_nY, 80);
}

}  // namespace

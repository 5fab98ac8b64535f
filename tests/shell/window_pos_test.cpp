// The window's place across runs: the record's round trip, the clamp into
// the work area on load, and the place restored at start-up.

#include "shell/window/window_pos.h"

#include <gtest/gtest.h>

#include "foundation/record_stream.h"
#include "platform/headless_window.h"
#include "platform/window.h"
#include "shell/harness/run_harness.h"
#include "tests/shell/prepared_game.h"

namespace {

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

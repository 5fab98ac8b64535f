// The window-size menu: which items the work area allows, where the window
// goes, and the menu drawn in the game window, opened by a right click.

#include "shell/window/scale_menu.h"

#include <gtest/gtest.h>

#include "platform/headless_window.h"
#include "platform/mouse.h"
#include "platform/ui_events.h"
#include "platform/window.h"
#include "shell/harness/run_harness.h"
#include "shell/window/main_window_object.h"
#include "tests/shell/prepared_game.h"

namespace {

using platform::UiEventKind;

std::vector<std::string> Labels(const platform::WindowRect& area) {
  std::vector<std::string> labels;
  for (const auto& item : ScaleMenuItems(area)) labels.push_back(item.label);
  return labels;
}

TEST(ScaleMenuItems, OnlySizesTheWorkAreaHolds) {
  EXPECT_EQ(Labels({0, 0, 1920, 1200}), (std::vector<std::string>{"100% (640*480)", "200% (1280*960)"}));
  EXPECT_EQ(Labels({0, 0, 3200, 2400}).size(), 5u);
  EXPECT_EQ(Labels({0, 0, 3200, 2400}).back(), "500% (3200*2400)");
  EXPECT_TRUE(Labels({0, 0, 600, 400}).empty());
}

TEST(ScaledWindowPlace, KeepsTheHorizontalCentreAndStaysInsideTheWorkArea) {
  const platform::WindowRect area{0, 0, 1920, 1040};
  auto place = ScaledWindowPlace({640, 60, 640, 480}, area, 2);
  EXPECT_EQ(place.x, 320);
  EXPECT_EQ(place.y, 60);
  EXPECT_EQ(place.width, 1280);
  EXPECT_EQ(place.height, 960);
  place = ScaledWindowPlace({10, 300, 640, 480}, area, 2);
  EXPECT_EQ(place.x, 0);   // a left edge before the work area's comes to it
  EXPECT_EQ(place.y, 80);  // moved up to end at the bottom
  place = ScaledWindowPlace({1500, 0, 640, 480}, area, 2);
  EXPECT_EQ(place.x, 1920 - 1280);
  place = ScaledWindowPlace({320, 100, 1280, 960}, area, 1);
  EXPECT_EQ(place.x, 640);
  // The work area of a monitor to the right of another, below a panel: the
  // window stays on that monitor.
  place = ScaledWindowPlace({1290, 40, 640, 480}, {1280, 30, 1920, 1050}, 2);
  EXPECT_EQ(place.x, 1280);
  EXPECT_EQ(place.y, 40);
  place = ScaledWindowPlace({1290, 10, 640, 480}, {1280, 30, 1920, 1050}, 1);
  EXPECT_EQ(place.y, 30);
}

class ScaleMenuTest : public testing::Test {
 protected:
  void TearDown() override {
    platform::ClearHeadlessUiScript();
    if (harness_) harness_->Close(platform::CloseReason::Terminate);
    platform::ResetHeadlessWindow();
  }
  void Start(const std::string& ini) {
    WritePreparedGame(folder_.Path(), {ini});
    harness_ = std::make_unique<cRunHarness>(folder_.Path());
    ASSERT_TRUE(harness_->Start());
    platform::PlaceMainWindow(640, 50, 640, 480);
  }
  ScratchGameFolder folder_{"scale_menu"};
  std::unique_ptr<cRunHarness> harness_;
};

TEST_F(ScaleMenuTest, RightClickOpensTheMenuAndAChoiceResizesTheWindow) {
  Start("Direct3D=1\nWindowMode=1\nShowFps=0\nExit\n");
  harness_->StepFrames(1);
  // The second item, 200 %, lies 20 pixels below the first.
  platform::QueueHeadlessUiEvents({platform::MouseEvent(UiEventKind::MouseDown, 50, 50, 2),
                                   platform::MouseEvent(UiEventKind::MouseMove, 60, 80, 1),
                                   platform::MouseEvent(UiEventKind::MouseDown, 60, 80, 1)});
  harness_->StepFrames(1);
  const platform::WindowRect rect = platform::MainWindowRect();
  EXPECT_EQ(rect.x, 320);
  EXPECT_EQ(rect.y, 50);
  EXPECT_EQ(rect.width, 1280);
  EXPECT_EQ(rect.height, 960);
  EXPECT_TRUE(platform::HeadlessUiScriptEmpty());
}

TEST_F(ScaleMenuTest, KeysMoveThroughTheMenuAndEscapeLeavesTheWindowAsItWas) {
  Start("Direct3D=1\nWindowMode=1\nShowFps=0\nExit\n");
  harness_->StepFrames(1);
  platform::QueueHeadlessUiEvents({platform::KeyDownEvent(platform::kVkDown), platform::KeyDownEvent(platform::kVkEscape)});
  EXPECT_EQ(RunScaleMenu(0, 0), 0);
  int width = 0, height = 0;
  const auto picture = harness_->PresentedFrame(&width, &height);
  EXPECT_EQ(picture[5 * width + 5], 0u);  // the game picture is back
  EXPECT_EQ(platform::MainWindowRect().width, 640);

  platform::QueueHeadlessUiEvents({platform::KeyDownEvent(platform::kVkDown), platform::KeyDownEvent(platform::kVkDown),
                                   platform::KeyDownEvent(platform::kVkReturn)});
  EXPECT_EQ(RunScaleMenu(0, 0), 2);
  EXPECT_EQ(platform::MainWindowRect().width, 1280);
}

TEST_F(ScaleMenuTest, DirectDrawWindowsOfferNoMenuAndEscapeCloses) {
  Start("Direct3D=0\nWindowMode=1\nShowFps=0\nExit\n");
  EXPECT_FALSE(ScaleMenuAvailable());
  platform::QueueHeadlessUiEvents({platform::MouseEvent(UiEventKind::MouseDown, 50, 50, 2),
                                   platform::KeyDownEvent(platform::kVkEscape)});
  EXPECT_EQ(harness_->StepFrames(3), 1);  // the second pass takes Escape and closes at the title
  EXPECT_FALSE(platform::MainWindowExists());
  EXPECT_EQ(platform::MainWindowRect().width, 640);
}

}  // namespace

namespace {

TEST(MainWindowObject, CentresWithHalvesRoundedTowardZeroAndFitsItsClient) {
  platform::HeadlessDesktop desktop;
  desktop.bounds = {0, 0, 1921, 1081};
  platform::SetHeadlessDesktop(desktop);
  ASSERT_TRUE(platform::CreateMainWindow(640, 480));
  g_MainWindow.SetGeometry(640, 480, 100, 100, 640, 480);
  g_MainWindow.Centre();
  EXPECT_EQ(platform::MainWindowRect().x, 640);
  EXPECT_EQ(platform::MainWindowRect().y, 300);
  g_MainWindow.FitClient(1280, 960);
  const auto rect = platform::MainWindowRect();
  EXPECT_EQ(rect.x, 640);
  EXPECT_EQ(rect.width, 1280);
  EXPECT_EQ(g_MainWindow.GetClientRect().height, 960);
  platform::DestroyMainWindow();
  platform::ResetHeadlessWindow();
}

}  // namespace

namespace {

TEST(MainWindowObject, MouseInsideThePictureIsReadAndOutsideItIsNot) {
  ResetMouseButtonLatches();
  platform::SetHeadlessMouseButtons({true, false});
  cMainWindow window;
  EXPECT_EQ(window.QueryMouse(0, 7, 639, 479), 1);
  EXPECT_EQ(window.Mouse().x, 639);
  EXPECT_EQ(window.Mouse().bLeft, 1);
  EXPECT_EQ(window.Mouse().bLeftPush, 1);
  EXPECT_EQ(window.QueryMouse(0, 7, 640, 10), 0);  // the edge is outside
  EXPECT_EQ(window.Mouse().x, 639);
  EXPECT_EQ(window.QueryMouse(1, 7, 700, 10), 1);
  EXPECT_EQ(window.Mouse().x, 700);
  EXPECT_EQ(window.PrevMouse().x, 639);
  EXPECT_EQ(window.Mouse().bLeftPush, 0);  // pressed once, seen once
  platform::SetHeadlessMouseButtons({});
}

}  // namespace

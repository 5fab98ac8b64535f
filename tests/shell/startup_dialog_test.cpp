#include "shell/dialogs/startup_dialog.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>

#include "platform/headless_window.h"
#include "platform/mouse.h"
#include "platform/own_window.h"
#include "tests/shell/dialog_test_support.h"

namespace {

using namespace platform;

class StartupDialogTest : public DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    std::filesystem::create_directory("user_data");
    g_BootData = cBootData();
  }
};

TEST_F(StartupDialogTest, OpensWithDirectDrawCheckedWhenBootDatIsMissingAndSavesTheChoice) {
  SetDialogObserver([](DialogBox& box) {
    EXPECT_EQ(box.GetCheck(IDC_STARTUP_DDRAW), 1);
    EXPECT_EQ(box.GetCheck(IDC_STARTUP_D3D), 0);
    box.Click(IDC_STARTUP_D3D);
    EXPECT_EQ(box.GetCheck(IDC_STARTUP_DDRAW), 0);
    box.Click(IDC_DIALOG_OK);
  });
  int direct3D = -1;
  EXPECT_TRUE(ChooseDrawingMode(0, "Game", &direct3D));
  EXPECT_EQ(direct3D, 1);
  cBootData saved;
  ASSERT_EQ(LoadFile(saved, "user_data\\Boot.dat"), 1);
  EXPECT_EQ(saved.nDrawMode, 1);
  EXPECT_EQ(saved.bNoAsk, 0);
  EXPECT_FALSE(OwnWindowOpen());
}

TEST_F(StartupDialogTest, KeyboardChoosesDirectDrawAndDoNotAskSkipsTheNextStart) {
  g_BootData.nDrawMode = 1;
  cBootData boot;
  boot.nDrawMode = 1;
  ASSERT_EQ(SaveFile(boot, "user_data\\Boot.dat"), 1);
  // Focus starts nowhere: Tab reaches the first radio button, Right chooses
  // the next, Tab reaches the check box, Space ticks it, Enter starts.
  std::vector<UiEvent> events = Keys({kVkTab, kVkRight, kVkTab, kVkSpace});
  events.push_back(KeyDownEvent(kVkReturn));
  for (UiEvent& event : events) event.surface = UiSurface::OwnWindow;
  Script(events);
  int direct3D = -1;
  EXPECT_TRUE(ChooseDrawingMode(0, "Game", &direct3D));
  EXPECT_EQ(direct3D, 0);
  EXPECT_EQ(g_BootData.bNoAsk, 1);
  // Next start: no dialog (an empty script would cancel one).
  g_BootData = cBootData();
  direct3D = -1;
  EXPECT_TRUE(ChooseDrawingMode(0, "Game", &direct3D));
  EXPECT_EQ(direct3D, 0);
}

TEST_F(StartupDialogTest, MouseClicksLandOnTheControlsOfItsOwnWindow) {
  SetDialogObserver([](DialogBox& box) {
    EXPECT_GT(box.WindowRect().x, 0);  // on the desktop, away from its corner
    ClickItem(box, IDC_STARTUP_D3D);
    ClickItem(box, IDC_STARTUP_NOASK);
    ClickItem(box, IDC_DIALOG_OK);
  });
  int direct3D = -1;
  EXPECT_TRUE(ChooseDrawingMode(0, "Game", &direct3D));
  EXPECT_EQ(direct3D, 1);
  EXPECT_EQ(g_BootData.bNoAsk, 1);
}

TEST_F(StartupDialogTest, CancelAndTheCloseBoxSaveNothing) {
  SetDialogObserver([](DialogBox& box) { box.Click(IDC_DIALOG_CANCEL); });
  int direct3D = -1;
  EXPECT_FALSE(ChooseDrawingMode(0, "Game", &direct3D));
  SetDialogObserver(nullptr);
  Script({CloseEvent(UiSurface::OwnWindow)});
  EXPECT_FALSE(ChooseDrawingMode(0, "Game", &direct3D));
  EXPECT_FALSE(std::filesystem::exists("user_data/Boot.dat"));
  EXPECT_EQ(direct3D, -1);
}

TEST_F(StartupDialogTest, EnglishTextsTitleAndPlacement) {
  cBootData boot;
  cStartupDlg dialog(boot, "My Game", 1, 100, -300);
  EXPECT_EQ(dialog.m_nRequestX, 233);
  EXPECT_EQ(dialog.m_nRequestY, -196);
  EXPECT_EQ(dialog.m_nPointerY, 2);  // -196 + 198.9 truncated toward zero
  EXPECT_EQ(OffsetTruncated(-200, 198.9), -1);
  SetDialogObserver([](DialogBox& box) {
    EXPECT_EQ(box.Caption(), "My Game");
    EXPECT_EQ(box.ItemText(IDC_STARTUP_GROUP), "Drawing mode");
    EXPECT_EQ(box.ItemText(IDC_DIALOG_OK), "Start");
    EXPECT_EQ(box.ItemText(IDC_DIALOG_CANCEL), "Cancel");
    EXPECT_EQ(box.ItemText(IDC_STARTUP_NOTE), "Configure the detail settings at \"System.ini\".");
    EXPECT_EQ(box.ItemText(IDC_STARTUP_NOASK), "Do not ask this dialog again");
    EXPECT_EQ(box.ItemText(IDC_STARTUP_D3D), "Direct3D");
    // Pulled into the work area.
    EXPECT_EQ(box.WindowRect().y, 0);
  });
  EXPECT_EQ(dialog.DoModal(0), 0);
}

// The pointer goes where it was measured from the dialog's frame, which a
// window manager puts where the dialog opened, and so onto "ゲーム開始": a
// click without moving the mouse starts the game, under a title bar or
// without a window manager.
TEST_F(StartupDialogTest, ThePointerLandsOnTheStartButtonCountedFromTheFrame) {
  for (const WindowFrame& frame : {WindowFrame{1, 20, 1, 1}, WindowFrame{}}) {
    SCOPED_TRACE(frame.top);
    SetHeadlessWindowFrame(frame);
    ForgetHeadlessPointerWarp();
    cBootData boot;
    cStartupDlg dialog(boot, "Game", 0, 400, 300);
    DialogRect window, button;
    SetDialogObserver([&](DialogBox& box) {
      window = box.WindowRect();
      button = box.Item(IDC_DIALOG_OK)->Rect();
    });
    dialog.DoModal(0);
    SetHeadlessWindowFrame({});
    const std::optional<PointerWarp> pointer = LastHeadlessPointerWarp();
    ASSERT_TRUE(pointer.has_value());
    EXPECT_EQ(pointer->surface, UiSurface::OwnWindow);
    EXPECT_TRUE(button.Contains(pointer->x, pointer->y)) << pointer->x << "," << pointer->y;
    if (frame.top != 0) {
      EXPECT_EQ(window.x + frame.left + pointer->x, dialog.m_nPointerX);
      EXPECT_EQ(window.y + frame.top + pointer->y, dialog.m_nPointerY);
    }
  }
}

TEST_F(StartupDialogTest, UncheckedRadioLeavesItsIntAlone) {
  cBootData boot;
  boot.nDrawMode = 7;  // neither radio's value: both show unchecked
  SetDialogObserver([](DialogBox& box) {
    EXPECT_EQ(box.GetCheck(IDC_STARTUP_D3D), 0);
    EXPECT_EQ(box.GetCheck(IDC_STARTUP_DDRAW), 0);
    box.Click(IDC_DIALOG_OK);
  });
  cStartupDlg dialog(boot, "", 0, 0, 0);
  EXPECT_EQ(dialog.DoModal(0), 1);
  EXPECT_EQ(boot.nDrawMode, 7);
}

}  // namespace

namespace {

TEST_F(StartupDialogTest, DamagedBootDatIsRefusedAndTheDialogAsks) {
  std::ofstream("user_data/Boot.dat", std::ios::binary) << "\x6e\x03\x00\x00\x02";
  g_BootData.bNoAsk = 0;
  SetDialogObserver([](DialogBox& box) { box.Click(IDC_DIALOG_OK); });
  int direct3D = -1;
  EXPECT_TRUE(ChooseDrawingMode(0, "Game", &direct3D));
  EXPECT_EQ(direct3D, 0);
}

}  // namespace

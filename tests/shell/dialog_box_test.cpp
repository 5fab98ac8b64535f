// The dialog manager's rules on a test dialog: Tab order, Enter, Space,
// mouse presses, placement, key routing through the hook, and cDialog's run.
#include "shell/dialogs/dialog_box.h"

#include <gtest/gtest.h>

#include "shell/dialogs/dialog.h"
#include "shell/dialogs/dialog_controls.h"
#include "tests/shell/dialog_test_support.h"

namespace {

using namespace platform;

constexpr int kCheck = 100, kEdit = 101, kButton = 102, kDefault = 103, kDisabled = 104, kLabel = 105;

const DialogTemplate& TestTemplate() {
  static const DialogTemplate layout{"Test",
                                     true,
                                     200,
                                     100,
                                     {
                                         {kLabel, ItemKind::Static, "label", 5, 5, 40, 10, false},
                                         {kCheck, ItemKind::CheckBox, "check", 5, 20, 60, 10, true},
                                         {kDisabled, ItemKind::PushButton, "off", 70, 20, 40, 14, true},
                                         {kEdit, ItemKind::Edit, "", 5, 40, 60, 14, true},
                                         {kButton, ItemKind::PushButton, "push", 70, 40, 40, 14, true},
                                         {kDefault, ItemKind::DefPushButton, "ok", 120, 40, 40, 14, true},
                                     }};
  return layout;
}

// Records the commands and key messages the dialog receives.
class Recorder : public DialogHandler {
 public:
  void InitDialog() override {
    if (box) box->Item(kDisabled)->Enable(false);
  }
  void Command(int id, int code) override {
    if (code == BN_CLICKED) clicked.push_back(id);
  }
  void CloseDialog() override {
    closed = true;
    if (box) box->End(0);
  }
  void WindowKeyDown(int key, std::uint32_t) override { keys.push_back(key); }

  DialogBox* box = nullptr;
  std::vector<int> clicked;
  std::vector<int> keys;
  bool closed = false;
};

class DialogBoxTest : public DialogTest {};

TEST_F(DialogBoxTest, TabSkipsDisabledAndLabelsAndWrapsBothWays) {
  Recorder recorder;
  DialogBox box(TestTemplate(), recorder);
  recorder.box = &box;
  std::vector<int> order;
  SetDialogObserver([&](DialogBox& shown) {
    for (int i = 0; i < 5; ++i) {
      shown.HandleEvent(KeyDownEvent(kVkTab));
      order.push_back(shown.FocusedId());
    }
    shown.HandleEvent(KeyDownEvent(kVkTab, false, true));
    order.push_back(shown.FocusedId());
    shown.End(1);
  });
  EXPECT_EQ(box.Run(UiSurface::GameWindow), 1);
  const std::vector<int> expected = {kCheck, kEdit, kButton, kDefault, kCheck, kDefault};
  EXPECT_EQ(order, expected);
}

TEST_F(DialogBoxTest, EnterPressesTheFocusedButtonElseTheDefaultAndSpaceTicks) {
  Recorder recorder;
  DialogBox box(TestTemplate(), recorder);
  recorder.box = &box;
  SetDialogObserver([&](DialogBox& shown) {
    shown.HandleEvent(KeyDownEvent(kVkReturn));  // no focus: the default button
    shown.SetFocus(kButton);
    shown.HandleEvent(KeyDownEvent(kVkReturn));
    shown.SetFocus(kCheck);
    shown.HandleEvent(KeyDownEvent(kVkSpace));
    EXPECT_EQ(shown.GetCheck(kCheck), 1);
    shown.HandleEvent(KeyDownEvent(kVkEscape));  // IDCANCEL, which this dialog ignores
    EXPECT_FALSE(shown.Ended());
    shown.End(0);
  });
  box.Run(UiSurface::GameWindow);
  const std::vector<int> expected = {kDefault, kButton, kCheck, IDCANCEL_COMMAND};
  EXPECT_EQ(recorder.clicked, expected);
}

TEST_F(DialogBoxTest, AClickCountsOnlyWhenReleasedOverTheButtonAndNotOnADisabledOne) {
  Recorder recorder;
  DialogBox box(TestTemplate(), recorder);
  recorder.box = &box;
  SetDialogObserver([&](DialogBox& shown) {
    const DialogRect r = shown.Item(kButton)->Rect();
    const int x = shown.ClientOriginX() + r.x + 2, y = shown.ClientOriginY() + r.y + 2;
    shown.HandleEvent(MouseEvent(UiEventKind::MouseDown, x, y));
    shown.HandleEvent(MouseEvent(UiEventKind::MouseMove, x + 200, y));
    shown.HandleEvent(MouseEvent(UiEventKind::MouseUp, x + 200, y));
    EXPECT_EQ(shown.FocusedId(), kButton);  // a press takes the focus
    ClickItem(shown, kDisabled);
    ClickItem(shown, kButton);
    shown.End(0);
  });
  box.Run(UiSurface::GameWindow);
  EXPECT_EQ(recorder.clicked, std::vector<int>{kButton});
}

TEST_F(DialogBoxTest, PlacementIsPulledIntoTheGamePicture) {
  Recorder recorder;
  DialogBox box(TestTemplate(), recorder);
  recorder.box = &box;
  box.RequestPosition(600, -20);
  DialogRect placed;
  SetDialogObserver([&](DialogBox& shown) {
    placed = shown.WindowRect();
    shown.End(0);
  });
  box.Run(UiSurface::GameWindow);
  EXPECT_EQ(placed.x, 640 - placed.w);
  EXPECT_EQ(placed.y, 0);
}

TEST_F(DialogBoxTest, BoundDialogGetsForwardedKeysAndEscapeOnAnUnboundBoxIsSwallowed) {
  Recorder recorder;
  DialogBox box(TestTemplate(), recorder);
  recorder.box = &box;
  cHook hook;
  Recorder inner;
  SetDialogObserver([&](DialogBox& shown) {
    if (&shown != &box) {  // the unbound box opened on top
      shown.HandleEvent(KeyDownEvent(kVkEscape));
      EXPECT_FALSE(shown.Ended());
      shown.End(0);
      return;
    }
    hook.SetHook(&box, 0);
    shown.SetFocus(kEdit);
    shown.HandleEvent(KeyDownEvent(kVkLeft));
    shown.HandleEvent(KeyDownEvent('Q'));
    shown.HandleEvent(KeyDownEvent(kVkTab));
    DialogBox onTop(TestTemplate(), inner);
    inner.box = &onTop;
    onTop.Run(UiSurface::GameWindow);
    shown.End(0);
  });
  box.Run(UiSurface::GameWindow);
  cHook::Unhook();
  const std::vector<int> expected = {kVkLeft, 'Q'};
  EXPECT_EQ(recorder.keys, expected);
  EXPECT_TRUE(std::find(inner.clicked.begin(), inner.clicked.end(), IDCANCEL_COMMAND) == inner.clicked.end());
}

// A control that counts the keys the dialog passes to its controls.
class KeyCounter final : public cControl {
 public:
  explicit KeyCounter(int id) : cControl(id) {}
  int OnKeyDown(int key, unsigned, int) override {
    keys.push_back(key);
    return 1;
  }
  std::vector<int> keys;
};

class CountingDialog final : public cDialog {
 public:
  CountingDialog() : cDialog(TestTemplate()) {}
  KeyCounter counter{kLabel};

 private:
  void OnInitDialog(std::uintptr_t wParam, std::intptr_t lParam) override {
    cDialog::OnInitDialog(wParam, lParam);
    counter.Bind(this, kLabel);
    AddControl(&counter);
    EXPECT_TRUE(cHook::Installed());
  }
};

TEST_F(DialogBoxTest, DialogRunPassesKeysToItsControlsAndRemovesTheHookItInstalled) {
  Script({KeyDownEvent(kVkDown), KeyDownEvent('Z'), KeyDownEvent(kVkTab)});
  CountingDialog dialog;
  EXPECT_EQ(dialog.DoModal(0), 0);
  const std::vector<int> expected = {kVkDown, 'Z'};
  EXPECT_EQ(dialog.counter.keys, expected);
  EXPECT_FALSE(cHook::Installed());
  EXPECT_TRUE(dialog.Controls().empty());  // ended: the control list is emptied
  // A hook that was there before stays.
  cHook other;
  other.SetHook(nullptr, 0);
  CountingDialog second;
  second.DoModal(0);
  EXPECT_TRUE(cHook::Installed());
}

}  // namespace

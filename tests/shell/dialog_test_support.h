#pragma once
// Runs dialogs headless: a scratch working folder, a script of events, and
// helpers that find where a control lies in the game's picture to click it.

#include <gtest/gtest.h>

#include <vector>

#include "foundation/message_box.h"
#include "input/key_hook.h"
#include "platform/main_thread.h"
#include "platform/message_box.h"
#include "platform/ui_events.h"
#include "platform/window.h"
#include "shell/dialogs/dialog_box.h"
#include "shell/dialogs/message_box_dialog.h"
#include "tests/foundation/scratch_folder.h"

class DialogTest : public ScratchFolderTest {
 protected:
  void SetUp() override {
    ScratchFolderTest::SetUp();
    // No close or termination left by an earlier test ends or forbids a box.
    platform::ResetMainThreadState();
    platform::BecomeMainThread();
    platform::ClearHeadlessUiScript();
    platform::TakeHeadlessBoxes();
    platform::SetHeadlessBoxAnswer(platform::kAnswerYes);
    SetDialogObserver(nullptr);
  }
  void TearDown() override {
    platform::ClearHeadlessUiScript();
    SetDialogObserver(nullptr);
    platform::SetHeadlessBoxAnswer(platform::kAnswerYes);
    cHook::Unhook();
    ScratchFolderTest::TearDown();
  }

  static void Script(const std::vector<platform::UiEvent>& events) { platform::QueueHeadlessUiEvents(events); }

  // Key down and up.
  static std::vector<platform::UiEvent> Keys(std::initializer_list<int> keys) {
    std::vector<platform::UiEvent> events;
    for (int key : keys) {
      events.push_back(platform::KeyDownEvent(key));
      events.push_back(platform::KeyUpEvent(key));
    }
    return events;
  }

  // A click in the middle of a control of the running dialog.
  static void ClickItem(DialogBox& box, int id) {
    const DialogItem* item = box.Item(id);
    ASSERT_NE(item, nullptr);
    const int x = box.ClientOriginX() + item->Rect().x + item->Rect().w / 2;
    const int y = box.ClientOriginY() + item->Rect().y + item->Rect().h / 2;
    const platform::UiSurface surface = platform::UiSurface::GameWindow;
    box.HandleEvent(platform::MouseEvent(platform::UiEventKind::MouseDown, x, y, 1, surface));
    box.HandleEvent(platform::MouseEvent(platform::UiEventKind::MouseUp, x, y, 1, surface));
  }
};

// The same over a hidden game window, with the player's message boxes shown
// as dialogs in it.
class WindowDialogTest : public DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    ASSERT_TRUE(platform::CreateMainWindow(640, 480));
    platform::ShowMainWindow(false);
    UseDialogMessageBoxes(true);
  }
  void TearDown() override {
    UseDialogMessageBoxes(false);
    platform::DestroyMainWindow();
    DialogTest::TearDown();
  }
};

#include "input/key_hook.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/ui_events.h"

namespace {

using namespace platform;

struct Posted {
  unsigned message;
  int key;
};

class FakeWindow : public cHookWindow {
 public:
  void PostKeyMessage(unsigned message, int key, std::uint32_t) override { posted.push_back({message, key}); }
  bool IsComposing() const override { return composing; }
  std::vector<Posted> posted;
  bool composing = false;
};

class KeyHookTest : public testing::Test {
 protected:
  void SetUp() override {
    cHook::Unhook();
    cHook::SetActiveWindow(&window);
  }
  void TearDown() override {
    cHook::Unhook();
    cHook::SetActiveWindow(nullptr);
  }
  static int Down(int key) { return cHook::KeyboardProc(0, key, 1); }
  static int Up(int key) { return cHook::KeyboardProc(0, key, kKeyDataUp | 1); }

  // The active window and another; the hook, bound to either, goes first.
  FakeWindow window;
  FakeWindow other;
  cHook hook;
};

TEST_F(KeyHookTest, DoesNothingUntilInstalled) {
  EXPECT_EQ(Down(kVkEscape), 0);
  EXPECT_TRUE(window.posted.empty());
  EXPECT_EQ(cHook::Unhook(), 0);
}

TEST_F(KeyHookTest, EscapeOnAWindowNotBoundIsSwallowedUnlessComposing) {
  hook.SetHook(&other, 0);
  EXPECT_EQ(Down(kVkEscape), 1);
  EXPECT_EQ(Down('A'), 0);
  window.composing = true;
  EXPECT_EQ(Down(kVkEscape), 0);
  EXPECT_TRUE(window.posted.empty());
  // No active window at all: treated as not composing.
  cHook::SetActiveWindow(nullptr);
  EXPECT_EQ(Down(kVkEscape), 1);
}

TEST_F(KeyHookTest, BoundWindowGetsKeysForwardKeysAndNotTab) {
  hook.SetHook(&window, 0);
  EXPECT_EQ(Down(kVkEscape), 0);
  Down(kVkTab);
  Down(kVkLeft);
  Down(kVkF1 + 7);
  Down(kVkF1 + 8);
  Down(kVkSpace);
  Down(kVkReturn);
  Up('A');
  const std::vector<Posted> expected = {{WM_KEYDOWN, kVkEscape},      {WM_HOOK_FORWARDKEY, kVkLeft},
                                        {WM_HOOK_FORWARDKEY, kVkF1 + 7}, {WM_KEYDOWN, kVkF1 + 8},
                                        {WM_HOOK_FORWARDKEY, kVkSpace}, {WM_KEYDOWN, kVkReturn},
                                        {WM_KEYUP, 'A'}};
  ASSERT_EQ(window.posted.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(window.posted[i].message, expected[i].message) << i;
    EXPECT_EQ(window.posted[i].key, expected[i].key) << i;
  }
}

TEST_F(KeyHookTest, WhileComposingEnterAndForwardKeysAreNotForwarded) {
  hook.SetHook(&window, 0);
  window.composing = true;
  Down(kVkReturn);
  Down(kVkLeft);
  ASSERT_EQ(window.posted.size(), 1u);
  EXPECT_EQ(window.posted[0].message, WM_KEYDOWN);
  EXPECT_EQ(window.posted[0].key, kVkLeft);
}

TEST_F(KeyHookTest, CtrlFilterKeepsKeysWhileCtrlIsHeld) {
  hook.SetHook(&window, 1);
  Down(kVkControl);
  Down(kVkRight);
  Down('C');
  Up('C');
  Up(kVkControl);
  Down('C');
  ASSERT_EQ(window.posted.size(), 3u);
  EXPECT_EQ(window.posted[0].message, WM_HOOK_FORWARDKEY);
  EXPECT_EQ(window.posted[1].message, WM_KEYUP);
  EXPECT_EQ(window.posted[1].key, kVkControl);
  EXPECT_EQ(window.posted[2].message, WM_KEYDOWN);
  EXPECT_EQ(window.posted[2].key, 'C');
}

TEST_F(KeyHookTest, AnotherWindowsBindingPassesKeysOnAndUnhookRemoves) {
  cHook otherHook;
  otherHook.SetHook(&other, 0);
  hook.SetHook(&window, 0);
  cHook::SetActiveWindow(&other);
  other.m_pHook = &hook;  // bound to a hook that serves another window
  EXPECT_EQ(Down(kVkEscape), 0);
  EXPECT_TRUE(other.posted.empty());
  EXPECT_EQ(cHook::Unhook(), 1);
  EXPECT_FALSE(cHook::Installed());
  EXPECT_EQ(cHook::KeyboardProc(-1, kVkEscape, 1), 0);
}

}  // namespace

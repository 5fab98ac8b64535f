#include "input/mouse_buttons.h"

#include <gtest/gtest.h>

#include "platform/mouse.h"

namespace {

class MouseButtonsTest : public testing::Test {
 protected:
  void SetUp() override {
    ResetMouseButtonLatches();
    platform::SetHeadlessMouseButtons({});
  }
  void TearDown() override { platform::SetHeadlessMouseButtons({}); }
  void Hold(bool left, bool right) {
    platform::SetHeadlessMouseButtons({left, right});
    UpdateMouseButtons(&state, MOUSE_HELD | MOUSE_PRESS | MOUSE_RELEASE);
  }
  MOUSESTATE state;
};

TEST_F(MouseButtonsTest, HeldButtonPressesOnceAndReleasesOnce) {
  Hold(true, false);
  EXPECT_EQ(state.bLeft, 1);
  EXPECT_EQ(state.bLeftPush, 1);
  EXPECT_EQ(state.bLeftRelease, 0);
  Hold(true, false);
  EXPECT_EQ(state.bLeftPush, 0);
  Hold(false, true);
  EXPECT_EQ(state.bLeft, 0);
  EXPECT_EQ(state.bLeftRelease, 1);
  EXPECT_EQ(state.bRightPush, 1);
  Hold(false, false);
  EXPECT_EQ(state.bLeftRelease, 0);
  EXPECT_EQ(state.bRightRelease, 1);
}

TEST_F(MouseButtonsTest, PressLatchIsProgramWide) {
  MOUSESTATE other;
  platform::SetHeadlessMouseButtons({true, false});
  UpdateMouseButtons(&state, 7);
  UpdateMouseButtons(&other, 7);
  EXPECT_EQ(state.bLeftPush, 1);
  EXPECT_EQ(other.bLeftPush, 0);
}

TEST_F(MouseButtonsTest, ModeBitsChooseWhatIsUpdated) {
  platform::SetHeadlessMouseButtons({true, true});
  UpdateMouseButtons(&state, MOUSE_PRESS);
  EXPECT_EQ(state.bLeft, 0);  // held flags untouched: nothing held, nothing pressed
  EXPECT_EQ(state.bLeftPush, 0);
  UpdateMouseButtons(&state, MOUSE_HELD);
  EXPECT_EQ(state.bRight, 1);
  EXPECT_EQ(state.bRightPush, 0);
}

}  // namespace

#include <gtest/gtest.h>

#include <vector>

#include "input/input_record.h"

namespace {

class MenuKeysTest : public testing::Test {
 protected:
  void SetUp() override {
    input_.Init();
    input_.SetKeyRepeat(18, 6);
  }
  std::uint16_t Repeat(std::uint16_t dir) {
    input_.m_wDir = dir;
    input_.RepeatDirKeys();
    return input_.m_wDir;
  }
  std::uint16_t Latch(std::uint16_t buttons, std::uint16_t mask = 0) {
    input_.m_wButton = buttons;
    input_.LatchButtons(mask);
    return input_.m_wButton;
  }
  cInput input_;
};

TEST_F(MenuKeysTest, HeldDirectionActsOnItsFirstFrameThenAfterTheDelayThenEveryInterval) {
  std::vector<int> acted;
  for (int frame = 0; frame <= 40; ++frame)
    if (Repeat(kDirDown) == kDirDown) acted.push_back(frame);
  EXPECT_EQ(acted, (std::vector<int>{0, 18, 24, 30, 36}));
  EXPECT_EQ(Repeat(0), 0);
  EXPECT_EQ(Repeat(kDirDown), kDirDown);  // a new press acts at once
}

TEST_F(MenuKeysTest, AxesRepeatOnTheirOwn) {
  Repeat(kDirLeft);
  for (int frame = 1; frame < 10; ++frame) Repeat(kDirLeft);
  // Up joins while left is held: up acts now, left stays held back.
  EXPECT_EQ(Repeat(kDirLeft | kDirUp), kDirUp);
  EXPECT_EQ(Repeat(kDirLeft | kDirUp), 0);
  // Left changes to right: right acts now, up stays held back.
  EXPECT_EQ(Repeat(kDirRight | kDirUp), kDirRight);
}

TEST_F(MenuKeysTest, LatchLetsOnePressThroughPerHold) {
  EXPECT_EQ(Latch(1), 1);
  EXPECT_EQ(Latch(1), 0);
  EXPECT_EQ(Latch(1), 0);
  EXPECT_EQ(Latch(0), 0);
  EXPECT_EQ(Latch(2), 2);
}

TEST_F(MenuKeysTest, NoMaskedButtonPassesUntilAllAreReleased) {
  EXPECT_EQ(Latch(8), 8);     // button 3 pressed and latched
  EXPECT_EQ(Latch(8 | 1), 0);  // button 0 joins: nothing passes
  EXPECT_EQ(Latch(1), 0);     // button 3 released, 0 still held
  EXPECT_EQ(Latch(0), 0);
  EXPECT_EQ(Latch(1), 1);
}

TEST_F(MenuKeysTest, UnmaskedButtonsPassUntouched) {
  EXPECT_EQ(Latch(1 | 16, 1), 1 | 16);
  EXPECT_EQ(Latch(1 | 16, 1), 16);
  EXPECT_EQ(Latch(16, 1), 16);
}

}  // namespace

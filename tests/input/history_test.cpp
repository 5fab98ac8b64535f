#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <vector>

#include "input/input_record.h"

namespace {

class HistoryTest : public testing::Test {
 protected:
  void SetUp() override { input_.Init(); }
  // One frame with these words.
  void Frame(std::uint16_t dir, std::uint16_t buttons = 0) {
    input_.m_wDir = dir;
    input_.m_wButton = buttons;
    input_.UpdateFrameState();
  }
  cInput input_;
};

TEST_F(HistoryTest, PastStatesFollowTheChangesFrameByFrame) {
  const std::vector<std::uint16_t> buttons = {0, 1, 1, 3, 3, 3, 0, 2};
  for (std::uint16_t word : buttons) Frame(0, word);
  for (std::uint32_t n = 0; n < buttons.size(); ++n)
    EXPECT_EQ(input_.GetPastState(kWordButton, n), buttons[buttons.size() - 1 - n]) << "n " << n;
  EXPECT_EQ(input_.GetPastState(kWordButton, 1), 0);  // the previous frame's buttons
  EXPECT_EQ(input_.GetPastState(kWordDir, 3), 0);
}

TEST_F(HistoryTest, BeyondTheRingThePastIsItsOldestValue) {
  // 40 changes: the ring keeps the last 32 values, the oldest being 9.
  for (std::uint16_t word = 1; word <= 40; ++word) Frame(word % 16, word);
  EXPECT_EQ(input_.GetPastState(kWordButton, 0), 40);
  EXPECT_EQ(input_.GetPastState(kWordButton, 31), 9);
  EXPECT_EQ(input_.GetPastState(kWordButton, 32), 9);
  EXPECT_EQ(input_.GetPastState(kWordButton, std::numeric_limits<std::uint32_t>::max()), 9);
}

TEST_F(HistoryTest, LongValuesKeepTheLargestCount) {
  Frame(4);
  auto& entry = input_.m_History[0][input_.m_nHistoryIndex[0]];
  entry.frames = std::numeric_limits<std::int32_t>::max() - 1;
  input_.m_vDirPress[3].runs[0].frames = std::numeric_limits<std::int32_t>::max() - 1;
  Frame(4);
  Frame(4);
  EXPECT_EQ(entry.frames, static_cast<std::uint32_t>(std::numeric_limits<std::int32_t>::max()));
  EXPECT_EQ(input_.DirPressLog(3).runs[0].frames, std::numeric_limits<std::int32_t>::max());
}

TEST_F(HistoryTest, PressLogsKeepRunsNewestFirstPerPattern) {
  for (int i = 0; i < 3; ++i) Frame(kDirLeft | kDirUp, 1);  // up-left, button 0
  for (int i = 0; i < 2; ++i) Frame(kDirLeft, 0);
  // Exactly left (log 1): not pressed for 3, then pressed for 2.
  EXPECT_EQ(input_.DirPressLog(1).runs[0].pressed, 1u);
  EXPECT_EQ(input_.DirPressLog(1).runs[0].frames, 2);
  EXPECT_EQ(input_.DirPressLog(1).runs[1].pressed, 0u);
  EXPECT_EQ(input_.DirPressLog(1).runs[1].frames, 3);
  // Exactly up-left (log 5) was pressed, then released.
  EXPECT_EQ(input_.DirPressLog(5).runs[1].pressed, 1u);
  EXPECT_EQ(input_.DirPressLog(5).runs[1].frames, 3);
  // Any direction (log 9) has been pressed all five frames.
  EXPECT_EQ(input_.DirPressLog(9).runs[0].pressed, 1u);
  EXPECT_EQ(input_.DirPressLog(9).runs[0].frames, 5);
  // No button (button log 0) for the last 2, button 0 (log 1) before.
  EXPECT_EQ(input_.ButtonPressLog(0).runs[0].frames, 2);
  EXPECT_EQ(input_.ButtonPressLog(1).runs[1].frames, 3);
}

TEST_F(HistoryTest, PressLogsHoldThirtyTwoRuns) {
  for (int i = 0; i < 40; ++i) Frame(0, static_cast<std::uint16_t>(i % 2));
  const PRESSHISTORY& log = input_.ButtonPressLog(1);
  for (int i = 0; i < PRESSHISTORY::kRuns; ++i) {
    EXPECT_EQ(log.runs[i].frames, 1);
    EXPECT_EQ(log.runs[i].pressed, i % 2 == 0 ? 1u : 0u);
  }
}

TEST_F(HistoryTest, OppositeDirectionsCancelInTheCode) {
  Frame(kDirLeft | kDirRight | kDirDown);
  EXPECT_EQ(input_.m_nDirCode, 8);
  Frame(kDirLeft | kDirRight | kDirUp | kDirDown);
  EXPECT_EQ(input_.m_nDirCode, 5);
}

TEST_F(HistoryTest, ResetForgetsThePastAndTheWords) {
  Frame(kDirUp, 3);
  input_.Reset();
  EXPECT_EQ(input_.m_wDir, 0);
  EXPECT_EQ(input_.m_wButton, 0);
  EXPECT_EQ(input_.m_nDirCode, 5);
  EXPECT_EQ(input_.GetPastState(kWordButton, 0), 0);
  EXPECT_EQ(input_.ButtonPressLog(1).runs[0].frames, 0);
  EXPECT_EQ(input_.m_vDirPress.size(), static_cast<std::size_t>(kDirPressLogs));
  EXPECT_EQ(input_.m_vButtonPress.size(), static_cast<std::size_t>(kButtonPressLogs));
}

TEST(InputListTest, ThePlayersRecordIsReadyAtStart) {
  ASSERT_EQ(g_Inputs.size(), 1u);
  EXPECT_EQ(g_Inputs[0].m_nDirCode, 5);
  EXPECT_EQ(g_Inputs[0].m_vDirPress.size(), static_cast<std::size_t>(kDirPressLogs));
}

}  // namespace

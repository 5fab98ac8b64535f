#include <gtest/gtest.h>

#include "input/key_config.h"
#include "input/key_polling.h"
#include "platform/input_devices.h"

namespace {

using platform::JoystickReading;

constexpr int kLeft = 37, kUp = 38, kRight = 39, kDown = 40;

class PollingTest : public testing::Test {
 protected:
  void SetUp() override {
    platform::ReleaseAllInput();
    SetDefaultKeyConfig(g_KeyConfig);
    input_.Init();
    input_.InitJoyButtons();
  }
  void TearDown() override {
    platform::ReleaseAllInput();
    SetDefaultKeyConfig(g_KeyConfig);
  }
  static void Hold(std::initializer_list<int> keys, bool held = true) {
    for (int key : keys) platform::SetKeyHeld(key, held);
  }
  int PollFixed() { return input_.PollFixedKeys(0, 3, 60); }
  int PollConfig() { return input_.PollKeyConfig(1, 60); }
  void UseConfig(std::uint32_t joysticks = 1) {
    g_KeyConfig.useConfig = 1;
    g_KeyConfig.joystickCount = joysticks;
  }

  cInput input_;
};

TEST_F(PollingTest, FixedLayoutGivesEveryDirectionCodeLikeAKeypad) {
  struct Case {
    std::initializer_list<int> keys;
    std::uint16_t word;
    int code;
  };
  const Case cases[] = {
      {{kUp, kLeft}, 5, 1},    {{kUp}, 4, 2},   {{kUp, kRight}, 6, 3},   {{kLeft}, 1, 4}, {{}, 0, 5},
      {{kRight}, 2, 6},        {{kDown, kLeft}, 9, 7}, {{kDown}, 8, 8}, {{kDown, kRight}, 10, 9},
      {{kLeft, kRight}, 3, 5},
  };
  for (const Case& c : cases) {
    platform::ReleaseAllInput();
    Hold(c.keys);
    EXPECT_EQ(PollFixed(), 1);
    EXPECT_EQ(input_.m_wDir, c.word);
    EXPECT_EQ(input_.m_nDirCode, c.code) << "word " << c.word;
    EXPECT_EQ(GetDirCode(input_), c.code);
  }
}

TEST_F(PollingTest, FixedLayoutButtonsAreZXCVASDF) {
  Hold({'Z', 'V', 'F'});
  PollFixed();
  EXPECT_EQ(input_.m_wButton, 1 | 8 | 128);
  Hold({'Z', 'V', 'F'}, false);
  Hold({'X', 'C', 'A', 'S', 'D'});
  PollFixed();
  EXPECT_EQ(input_.m_wButton, 2 | 4 | 16 | 32 | 64);
}

TEST_F(PollingTest, FixedLayoutJoystickDirectionOrButtonsHideTheKeyboardsOwn) {
  Hold({kRight, 'Z'});
  platform::SetJoystick(0, JoystickReading{0, 65535, 0});  // left and down, no button
  PollFixed();
  EXPECT_EQ(input_.m_wDir, kDirLeft | kDirDown);
  EXPECT_EQ(input_.m_nDirCode, 7);
  EXPECT_EQ(input_.m_wButton, 1);  // the joystick gave no button: keyboard buttons count

  platform::SetJoystick(0, JoystickReading{32767, 32767, 1u << 2});
  PollFixed();
  EXPECT_EQ(input_.m_wDir, kDirRight);  // no joystick direction: the arrows count
  EXPECT_EQ(input_.m_wButton, 4);      // joystick button 2 is game button 2; Z is ignored

  platform::SetJoystick(0, JoystickReading{10000, 55535, 0});
  PollFixed();
  EXPECT_EQ(input_.m_wDir, kDirLeft | kDirDown);
  platform::SetJoystick(0, JoystickReading{10001, 55534, 0});
  PollFixed();
  EXPECT_EQ(input_.m_wDir, kDirRight);
}

TEST_F(PollingTest, MissingJoystickIsTriedAgainAfterTwoSeconds) {
  Hold({kUp});
  PollFixed();  // the read fails: missing for 120 frames
  EXPECT_EQ(input_.m_Joystick[0].missing, 1);
  platform::SetJoystick(0, JoystickReading{0, 32767, 0});
  for (int frame = 0; frame < 120; ++frame) {
    PollFixed();
    ASSERT_EQ(input_.m_wDir, kDirUp) << "frame " << frame;
  }
  PollFixed();
  EXPECT_EQ(input_.m_wDir, kDirLeft);
  EXPECT_EQ(input_.m_Joystick[0].missing, 0);
}

TEST_F(PollingTest, EachLayoutStandsAsideForTheOther) {
  Hold({kLeft});
  EXPECT_EQ(PollConfig(), 0);
  EXPECT_EQ(input_.m_wDir, 0);
  UseConfig();
  EXPECT_EQ(PollFixed(), 0);
  EXPECT_EQ(input_.m_wDir, 0);
  EXPECT_EQ(PollConfig(), 1);
  EXPECT_EQ(input_.m_wDir, kDirLeft);
}

TEST_F(PollingTest, ConfiguredKeysSetTheirDirectionAndButtonBits) {
  UseConfig();
  g_KeyConfig.assign[0].code = 'J';
  g_KeyConfig.assign[1].code = 'L';
  g_KeyConfig.assign[4].code = 32;
  g_KeyConfig.assign[11].code = 16;
  Hold({'J', 'L', 32, 16});
  PollConfig();
  EXPECT_EQ(input_.m_wDir, kDirLeft | kDirRight);
  EXPECT_EQ(input_.m_nDirCode, 5);
  EXPECT_EQ(input_.m_wButton, 1 | 128);
}

TEST_F(PollingTest, ConfiguredJoystickCodesTestAxesAndButtonsAlike) {
  UseConfig();
  g_KeyConfig.assign[4] = {0, kJoyXLow, 0};
  g_KeyConfig.assign[5] = {0, kJoyYHigh, 0};
  g_KeyConfig.assign[6] = {0, 0x0003, 0};
  platform::SetJoystick(0, JoystickReading{0, 32767, 0});
  PollConfig();
  EXPECT_EQ(input_.m_wButton, 1);
  // Code 256 is also joystick button 8's mask.
  platform::SetJoystick(0, JoystickReading{32767, 32767, 256});
  PollConfig();
  EXPECT_EQ(input_.m_wButton, 1);
  platform::SetJoystick(0, JoystickReading{32767, 65535, 2});
  PollConfig();
  EXPECT_EQ(input_.m_wButton, 2 | 4);
}

TEST_F(PollingTest, EntriesOfJoysticksNotReadAreNotPressed) {
  UseConfig(1);
  g_KeyConfig.assign[4] = {1, 1, 0};  // joystick 1, beyond the count
  g_KeyConfig.assign[5] = {40, 1, 0};  // no such device at all
  platform::SetJoystick(1, JoystickReading{32767, 32767, 1});
  PollConfig();
  EXPECT_EQ(input_.m_wButton, 0);
}

TEST_F(PollingTest, CountsBeyondTheRecordAreClamped) {
  UseConfig(1000);
  g_KeyConfig.entryCount = 1000;
  g_KeyConfig.assign[11] = {15, 1, 0};
  platform::SetJoystick(15, JoystickReading{32767, 32767, 1});
  PollConfig();
  EXPECT_EQ(input_.m_wButton, 128);
  g_KeyConfig.entryCount = 5;
  PollConfig();
  EXPECT_EQ(input_.m_wButton, 0);
}

// A count below 4 limits only the buttons: all four directions still count.
TEST_F(PollingTest, AShortEntryCountKeepsEveryDirection) {
  UseConfig(1);
  g_KeyConfig.entryCount = 2;
  g_KeyConfig.assign[2] = {0, kJoyYLow, 0};
  g_KeyConfig.assign[3] = {0, kJoyYHigh, 0};
  g_KeyConfig.assign[4] = {0, 1, 0};
  platform::SetJoystick(0, JoystickReading{32767, 0, 1});
  PollConfig();
  EXPECT_EQ(input_.m_wDir, kDirUp);
  EXPECT_EQ(input_.m_wButton, 0);
  platform::SetJoystick(0, JoystickReading{32767, 65535, 1});
  PollConfig();
  EXPECT_EQ(input_.m_wDir, kDirDown);
}

TEST_F(PollingTest, UnpluggedJoystickDoesNotDelayAnotherOne) {
  UseConfig(2);
  g_KeyConfig.assign[4] = {0, 1, 0};
  platform::SetJoystick(0, JoystickReading{32767, 32767, 1});
  for (int frame = 0; frame < 10; ++frame) {
    PollConfig();
    ASSERT_EQ(input_.m_wButton, 1) << "frame " << frame;
  }
  EXPECT_EQ(input_.m_Joystick[1].missing, 1);
  EXPECT_EQ(input_.m_Joystick[0].missing, 0);
}

TEST_F(PollingTest, PollInputPollsThePlayerWithTheChosenLayout) {
  cVector<cInput> inputs(1, input_);
  Hold({kDown, 'X'});
  PollInput(inputs);
  EXPECT_EQ(inputs[0].m_wDir, kDirDown);
  EXPECT_EQ(inputs[0].m_wButton, 2);
  UseConfig();
  g_KeyConfig.assign[3].code = 'S';
  platform::SetKeyHeld('S', true);
  PollInput(inputs);
  EXPECT_EQ(inputs[0].m_wDir, kDirDown);
  EXPECT_EQ(inputs[0].m_wButton, 2 | 32);  // X is button 1, S button 5 in the defaults
  cVector<cInput> none;
  PollInput(none);
}

TEST(JoyAxisTest, OnlyTheFourAxisCodesTestThePosition) {
  const JoystickReading corner{0, 65535, 0xFFFFFFFFu};
  EXPECT_EQ(TestJoyAxis(corner, kJoyXLow), 1);
  EXPECT_EQ(TestJoyAxis(corner, kJoyXHigh), 0);
  EXPECT_EQ(TestJoyAxis(corner, kJoyYLow), 0);
  EXPECT_EQ(TestJoyAxis(corner, kJoyYHigh), 1);
  EXPECT_EQ(TestJoyAxis(corner, kJoyXLow | kJoyYHigh), 0);
  EXPECT_EQ(TestJoyAxis(corner, 1), 0);
}

}  // namespace

#include "input/input_startup.h"

#include <gtest/gtest.h>

#include "input/input_record.h"
#include "input/key_config.h"
#include "platform/input_devices.h"
#include "tests/foundation/scratch_folder.h"

namespace {

class InputStartupTest : public ScratchFolderTest {
 protected:
  void TearDown() override {
    StopInput();
    SetDefaultKeyConfig(g_KeyConfig);
    ScratchFolderTest::TearDown();
  }
};

TEST_F(InputStartupTest, WithoutAFileTheDefaultsAndJoystickButtonsAreSet) {
  g_KeyConfig = KEYCONFIG{};
  g_Inputs[0].m_wJoyButton.fill(0);
  StartInput();
  SetInputKeyRepeat();
  EXPECT_EQ(g_KeyConfig.assign[4].code, 'Z');
  EXPECT_EQ(g_KeyConfig.entryCount, 12u);
  EXPECT_EQ(g_Inputs[0].m_wJoyButton[7], 128);
  EXPECT_EQ(g_Inputs[0].m_nRepeatDelay, 18u);
  EXPECT_EQ(g_Inputs[0].m_nRepeatInterval, 6u);
}

TEST_F(InputStartupTest, TheUsersFileIsReadAndStopReleasesTheKeys) {
  std::filesystem::create_directories(folder_ / "user_data");
  std::vector<unsigned char> bytes(108, 0);
  bytes[104] = 1;  // the configuration is in use
  WriteBytes(folder_ / "user_data" / "KeyConfig.dat", bytes);
  StartInput();
  EXPECT_EQ(g_KeyConfig.useConfig, 1u);
  platform::SetKeyHeld('Z', true);
  StopInput();
  EXPECT_FALSE(platform::IsKeyHeld('Z'));
}

}  // namespace

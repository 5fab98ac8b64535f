// Input through the whole player: start-up reads the key configuration of
// the game folder, and every frame step polls the keys into the player's
// input record.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "input/input_record.h"
#include "input/key_config.h"
#include "platform/input_devices.h"
#include "shell/harness/run_harness.h"
#include "tests/shell/prepared_game.h"

namespace {

class InputFramesTest : public testing::Test {
 protected:
  void TearDown() override {
    platform::ReleaseAllInput();
    SetDefaultKeyConfig(g_KeyConfig);
  }
};

TEST_F(InputFramesTest, EachFramePollsTheFixedKeysWithoutAConfiguration) {
  ScratchGameFolder folder("input_fixed");
  WritePreparedGame(folder.Path());
  cRunHarness harness(folder.Path());
  ASSERT_TRUE(harness.Start());
  EXPECT_EQ(g_KeyConfig.useConfig, 0u);
  EXPECT_EQ(g_Inputs[0].m_nRepeatDelay, 18u);
  platform::SetKeyHeld(39, true);   // Right
  platform::SetKeyHeld('C', true);  // button 2
  ASSERT_EQ(harness.StepFrames(1), 1);
  EXPECT_EQ(g_Inputs[0].m_wDir, kDirRight);
  EXPECT_EQ(g_Inputs[0].m_wButton, 4);
  platform::ReleaseAllInput();
  ASSERT_EQ(harness.StepFrames(1), 1);
  EXPECT_EQ(g_Inputs[0].m_wDir, 0);
  EXPECT_TRUE(harness.Close());
}

TEST_F(InputFramesTest, TheGamesKeyConfigurationIsReadAtStartUp) {
  ScratchGameFolder folder("input_config");
  WritePreparedGame(folder.Path());
  KEYCONFIG config;
  SetDefaultKeyConfig(config);
  config.assign[0].code = 'J';  // left on J
  config.useConfig = 1;
  std::filesystem::create_directories(folder.Path() / "user_data");
  std::ofstream(folder.Path() / "user_data" / "KeyConfig.dat", std::ios::binary)
      .write(reinterpret_cast<const char*>(&config), sizeof config);
  cRunHarness harness(folder.Path());
  ASSERT_TRUE(harness.Start());
  platform::SetKeyHeld('J', true);
  ASSERT_EQ(harness.StepFrames(1), 1);
  EXPECT_EQ(g_Inputs[0].m_wDir, kDirLeft);
  EXPECT_TRUE(harness.Close());
}

}  // namespace

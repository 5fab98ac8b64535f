// The colour variants of an 8-bit project and the pulsing menu colours.

#include <gtest/gtest.h>

#include <fstream>

#include "graphics/effects/blend.h"
#include "graphics/images/palette.h"
#include "project/global_data.h"
#include "shell/game/blend_palette.h"
#include "shell/game/menu_colors.h"
#include "shell/harness/run_harness.h"
#include "tests/shell/prepared_game.h"

namespace {

class ColourTest : public testing::Test {
 protected:
  void TearDown() override {
    if (harness_) harness_->Close(platform::CloseReason::Terminate);
  }
  void Start(const std::string& ini) {
    WritePreparedGame(folder_.Path(), {ini});
    std::filesystem::create_directories(folder_.Path() / "bmp/hbt");
    for (const char* name : {"hbt00.dat", "hbt01.dat", "hbt13.dat", "hbt23.dat"})
      std::ofstream(folder_.Path() / "bmp/hbt" / name, std::ios::binary) << std::string(kBlendTableSize, name[4]);
    harness_ = std::make_unique<cRunHarness>(folder_.Path());
    ASSERT_TRUE(harness_->Start());
  }
  // The fixture palette's red channel is the entry's number.
  static int RedOf(int entry) { return g_PalEntries[entry].peRed; }

  ScratchGameFolder folder_{"colours"};
  std::unique_ptr<cRunHarness> harness_;
};

TEST_F(ColourTest, VariantsRotateOrRepeatThePaletteRowsWithTheirBlendTable) {
  Start("Direct3D=0\nWindowMode=0\nBpp=8\nExit\n");
  ASSERT_EQ(LoadBlendPalette(1), 1);
  EXPECT_EQ(g_BlendTable[0], '1');  // the last digit of hbt01
  EXPECT_EQ(RedOf(15), 15);   // below the rows: unchanged
  EXPECT_EQ(RedOf(32), 16);   // rows moved on by one row
  EXPECT_EQ(RedOf(16), 192);  // the last row came round to the first
  EXPECT_EQ(RedOf(208), 208);
  EXPECT_EQ(g_ScreenPalette[32].peRed, 16);

  ASSERT_EQ(LoadBlendPalette(13), 1);
  EXPECT_EQ(g_BlendTable[0], '3');  // hbt13
  for (int row = 16; row <= 192; row += 16) EXPECT_EQ(RedOf(row + 5), 32 + 5) << row;
  // A variant out of range is taken as the nearest; a missing table stops.
  ASSERT_EQ(LoadBlendPalette(99), 1);
  EXPECT_EQ(RedOf(16), 16 * 12);
  std::filesystem::remove(folder_.Path() / "bmp/hbt/hbt00.dat");
  EXPECT_EQ(LoadBlendPalette(0), 0);
}

TEST_F(ColourTest, OutsideEightBitDirectDrawNoTableIsNeeded) {
  Start("Direct3D=1\nWindowMode=1\nExit\n");
  EXPECT_EQ(LoadBlendPalette(5), 1);
}

TEST_F(ColourTest, MenuColoursPulseAndTheNinthChangesChannelAtTheLowEnd) {
  Start("Direct3D=1\nWindowMode=1\nExit\n");
  ResetMenuColors();
  AnimateMenuColors();
  EXPECT_EQ(g_MenuColors[0].dwColor, 0xFF101010u);
  EXPECT_EQ(g_MenuColors[1].nStyle, 10);
  EXPECT_EQ(g_MenuColors[2].dwColor, 0xFF100000u);
  EXPECT_EQ(g_MenuColors[5].dwColor, 0xFF101000u);
  EXPECT_EQ(g_MenuColors[6].dwColor, 0xFF100004u);
  EXPECT_EQ(g_MenuColors[8].dwColor, 0xFF100000u);  // red first
  EXPECT_EQ(g_MenuColors[8].nStyle, 7);
  for (int call = 2; call <= 31; ++call) AnimateMenuColors();  // up to 240, back down to the low end
  EXPECT_EQ(g_MenuColors[8].dwColor, 0xFF001000u);  // then green
}

TEST_F(ColourTest, OldEightBitProjectsCycleTheirPaletteGroupsEverySixthCall) {
  Start("Direct3D=0\nWindowMode=0\nBpp=8\nExit\n");
  g_System->m_nCompat289 = 1;
  ResetMenuColors();
  for (int call = 0; call < 5; ++call) AnimateMenuColors();
  EXPECT_EQ(RedOf(208), 208);
  AnimateMenuColors();
  EXPECT_EQ(RedOf(208), 209);
  EXPECT_EQ(RedOf(211), 208);
  EXPECT_EQ(RedOf(236), 237);
  EXPECT_EQ(RedOf(240), 240);
  EXPECT_EQ(g_ScreenPalette[208].peRed, 209);
}

}  // namespace

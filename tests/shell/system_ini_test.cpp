// "System.ini" over the project's defaults: the reading rules with their
// quirks (values end at a blank or slash, exact keys, the FreeStage length
// rule) and the mends (a last "Exit" without a line feed, CR LF lines,
// over-long paths).

#include "shell/init/system_ini.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "foundation/game_files.h"
#include "project/system_record.h"
#include "tests/shell/prepared_game.h"

namespace {

class SystemIniTest : public testing::Test {
 protected:
  void SetUp() override {
    previous_ = std::filesystem::current_path();
    std::filesystem::current_path(folder_.Path());
    ForgetGameFolderListings();
    SetSystemIniDefaults(ini_, system_.m_vOptions);
  }
  void TearDown() override {
    std::filesystem::current_path(previous_);
    ForgetGameFolderListings();
  }
  int Load(const std::string& text) {
    std::ofstream(folder_.Path() / "System.ini", std::ios::binary) << text;
    ForgetGameFolderListings();
    return LoadSystemIni("System.ini", ini_, system_.m_vOptions);
  }

  ScratchGameFolder folder_{"system_ini"};
  std::filesystem::path previous_;
  cSystem system_;
  SYSTEMINIDATA ini_;
};

TEST_F(SystemIniTest, DefaultsComeFromTheSystemRecordsEntries) {
  EXPECT_EQ(ini_.Direct3D, 2);
  EXPECT_EQ(ini_.WindowMode, 0);
  EXPECT_EQ(ini_.VSync, 2);
  EXPECT_EQ(ini_.DD_FontCache, 1);
  EXPECT_EQ(ini_.ShowFps, 1);
  EXPECT_EQ(ini_.Midi_DirectMusic, 1);
  EXPECT_EQ(ini_.FreeStage, "");
  system_.m_vOptions[INI_ENGLISH].m_nValue = 1;
  system_.m_vOptions[INI_FREESTAGE].m_strValue = "data\\stg4\\a.stg4_000";
  SetSystemIniDefaults(ini_, system_.m_vOptions);
  EXPECT_EQ(ini_.English, 1);
  EXPECT_EQ(ini_.FreeStage, "data\\stg4\\a.stg4_000");
}

TEST_F(SystemIniTest, SettingsEndAtBlankOrSlashAndExitEndsTheFile) {
  EXPECT_EQ(Load("WindowMode=1\nBpp=16 // colour depth\nVSync=0/no sync\nExit\nShowFps=2\n"), 1);
  EXPECT_EQ(ini_.WindowMode, 1);
  EXPECT_EQ(ini_.Bpp, 16);
  EXPECT_EQ(ini_.VSync, 0);
  EXPECT_EQ(ini_.ShowFps, 1);  // after "Exit": not read
}

TEST_F(SystemIniTest, WithoutExitTheSettingsHoldButTheResultIsZero) {
  EXPECT_EQ(Load("WindowMode=1\nBpp=16\n"), 0);
  EXPECT_EQ(ini_.WindowMode, 1);
  EXPECT_EQ(ini_.Bpp, 16);
  EXPECT_EQ(Load("WindowMode=1\nExi"), 0);
}

TEST_F(SystemIniTest, LastExitWithoutLineFeedEndsTheFileProperly) {
  EXPECT_EQ(Load("WindowMode=1\nExit"), 1);
  EXPECT_EQ(Load("WindowMode=1\r\nExit\r"), 1);
}

TEST_F(SystemIniTest, KeysAreExactButBlanksAroundThemAreSkipped) {
  EXPECT_EQ(Load("windowmode=1\n \tB pp\t=16\nExit\n"), 1);
  EXPECT_EQ(ini_.WindowMode, 0);
  EXPECT_EQ(ini_.Bpp, 16);
}

TEST_F(SystemIniTest, BlankAfterEqualsGivesZeroAndNonDigitsGiveZero) {
  EXPECT_EQ(Load("Direct3D= 1\nVSync=x1\nBpp=32bits\nExit\n"), 1);
  EXPECT_EQ(ini_.Direct3D, 0);
  EXPECT_EQ(ini_.VSync, 0);
  EXPECT_EQ(ini_.Bpp, 32);
}

TEST_F(SystemIniTest, CrLfLinesKeepNoCarriageReturnInTheirValues) {
  EXPECT_EQ(Load("FreeStage=data\\stg4\\a.stg4_000\r\nWindowMode=1\r\nExit\r\n"), 1);
  EXPECT_EQ(ini_.FreeStage, "data\\stg4\\a.stg4_000");
  EXPECT_EQ(ini_.WindowMode, 1);
}

TEST_F(SystemIniTest, FreeStageTakesPathsLongerThanOneByteAndNotTooLong) {
  EXPECT_EQ(Load("FreeStage=a\nExit\n"), 1);
  EXPECT_EQ(ini_.FreeStage, "");
  EXPECT_EQ(Load("FreeStage=" + std::string(260, 'a') + "\nExit\n"), 1);
  EXPECT_EQ(ini_.FreeStage, "");
  EXPECT_EQ(Load("FreeStage=" + std::string(259, 'a') + "\nExit\n"), 1);
  EXPECT_EQ(ini_.FreeStage.size(), 259u);
}

TEST_F(SystemIniTest, NulByteEndsReadingAndAMissingFileFails) {
  EXPECT_EQ(Load(std::string("Bpp=16\n\0WindowMode=1\n", 22)), 1);
  EXPECT_EQ(ini_.Bpp, 16);
  EXPECT_EQ(ini_.WindowMode, 0);
  std::filesystem::remove(folder_.Path() / "System.ini");
  ForgetGameFolderListings();
  EXPECT_EQ(LoadSystemIni("System.ini", ini_, system_.m_vOptions), 0);
}

TEST_F(SystemIniTest, HugeNumbersStopAtTheIntLimits) {
  EXPECT_EQ(Load("Bpp=99999999999999\nVSync=-99999999999999\nExit\n"), 1);
  EXPECT_EQ(ini_.Bpp, 2147483647);
  EXPECT_EQ(ini_.VSync, -2147483647 - 1);
}

}  // namespace

// The project's system record: defaults, a current file's round trip, the
// fix-up ladder of an old file, and the mends of short lists and bad values.

#include <gtest/gtest.h>

#include "foundation/message_box.h"
#include "project/global_data.h"
#include "tests/project/project_test_support.h"

namespace {

std::string Data(const char* utf8) { return Cp932Literal(utf8); }

class SystemRecord : public testing::Test {
 protected:
  void SetUp() override { StartProjectData(); }
  void TearDown() override { StopProjectData(); }
};

TEST_F(SystemRecord, NewRecordHoldsTheDefaults) {
  cSystem system;
  EXPECT_EQ(system.m_nFont, 60);
  EXPECT_EQ(system.m_nPairCount, 40);
  EXPECT_EQ(system.m_nDDDepth, 2);
  EXPECT_EQ(system.m_vCarryOverEnable[21], 1);
  EXPECT_EQ(system.m_vCarryOverEnable[22], 0);
  EXPECT_EQ(system.m_vCarryOverReset[11], 1);
  EXPECT_EQ(system.m_vGauges[4].m_strText, Data("人"));
  EXPECT_EQ(system.m_vGauges[0].m_nDigits, 4);
  EXPECT_EQ(system.m_vTitleMenu[6].m_strName, Data("しゅうりょう"));
  EXPECT_EQ(system.m_vOptionMenu[5].m_strName, "");
  EXPECT_EQ(system.m_vTerms.size(), 29u);
  EXPECT_EQ(system.m_vTerms[16], Data("保存先が不明です！一度は「セーブ」して下さい！"));
  EXPECT_EQ(system.m_vTerms[22], "");
  EXPECT_EQ(system.m_vLifeStart[3], 99);
  EXPECT_EQ(system.m_vRankingSettings[3].m_bOn, 0);
  ASSERT_EQ(system.m_vOptions.size(), 11u);
  EXPECT_EQ(system.m_vOptions[8].m_nType, cOptionEntry::kText);
  EXPECT_EQ(system.m_vOptions[10].m_strKey, "Midi_DirectMusic");
  EXPECT_EQ(system.m_vOptions[10].m_nValue, 1);
}

TEST_F(SystemRecord, CurrentFileLoadsAndSavesBackByteForByte) {
  cSystem written;
  written.m_strTitle = Data("テスト");
  written.m_nCompat696 = 3;
  written.m_byTransGreen = 9;
  written.m_vScreenBgm[1] = 1;
  written.m_vTerms[3] = "crlf\r\nkept";
  written.m_vOptions[8].m_strValue = "free.stg4_x";
  ByteFixture file;
  file.I32(878);
  for (std::uint8_t byte : SavedStream(written)) file.U8(byte);

  cSystem loaded;
  ASSERT_TRUE(LoadFromBytes(loaded, file));
  EXPECT_EQ(loaded.m_vTerms[3], "crlf\r\nkept");
  EXPECT_EQ(loaded.m_nCompat696, 3);
  EXPECT_EQ(SavedStream(loaded), SavedStream(written));
}

// A file of version 150, written out by hand.
ByteFixture Version150File() {
  ByteFixture f;
  f.I32(150);
  // Blocks: score step, pause draw, font option, setting 113, setting 0A,
  // pair count, use pair count; then the title.
  f.I32(7).I32(200).I32(0).I32(1).I32(9).I32(0).I32(10).I32(0).I32(1).Str("old");
  // Carry-over enable: items 0, 5, 16, 20, 23 and 24 set.
  f.I32(25);
  for (int item = 0; item < 25; ++item)
    f.U8(item == 0 || item == 5 || item == 16 || item == 20 || item == 23 || item == 24 ? 1 : 0);
  f.I32(5);
  for (int gauge = 0; gauge < 5; ++gauge) f.I32(3).I32(1).I32(0).I32(gauge).I32(1).Str("g");
  f.I32(4).I32(3).I32(3).I32(3).I32(9);
  f.I32(21);
  for (int term = 0; term < 21; ++term) f.Str("t" + std::to_string(term));
  f.I32(2).Str("s0").Str("s1");
  f.I32(4).I32(1).I32(7).I32(-2).I32(0);
  f.I32(7);
  for (int item = 0; item < 7; ++item) f.I32(1).I32(1).I32(1).Str("title" + std::to_string(item));
  f.I32(3);
  for (int item = 0; item < 3; ++item) f.I32(1).I32(1).I32(1).Str("m" + std::to_string(item));
  f.I32(6);
  for (int item = 0; item < 6; ++item) f.I32(1).I32(1).I32(1).Str("o" + std::to_string(item));
  f.I32(5);
  f.I32(2).I32(0).I32(1).I32(2).Str("WindowMode").Str("");
  f.I32(2).I32(0).I32(0).I32(2).Str("Bpp").Str("");
  f.I32(2).I32(0).I32(5).I32(2).Str("VSync").Str("");
  f.I32(2).I32(0).I32(0).I32(2).Str("ShowFps").Str("");
  f.I32(2).I32(1).I32(0).I32(2).Str("FreeStage").Str("s.stg4");
  return f;
}

TEST_F(SystemRecord, Version150FileClimbsTheWholeLadder) {
  cSystem system;
  ASSERT_TRUE(LoadFromBytes(system, Version150File()));
  EXPECT_EQ(system.m_strTitle, "old");
  EXPECT_EQ(system.m_nScoreStep, 200);
  EXPECT_EQ(system.m_nSetting113, 9);
  EXPECT_EQ(system.m_nPairCount, 10);
  EXPECT_EQ(system.m_nTitleMenuOpt, 0);
  EXPECT_EQ(system.m_nScreen167D, 1);
  EXPECT_EQ(system.m_nFontOpt2, 0);
  EXPECT_EQ(system.m_bReplayRecord, 1);
  EXPECT_EQ(system.m_bScoreStep, 1);
  EXPECT_EQ(system.m_byTransGreen, 177);
  EXPECT_EQ(system.m_bRetryVarsStageFile, 1);
  EXPECT_EQ(system.m_nSetting191A, 0);
  EXPECT_EQ(system.m_nPause224B, 0);
  EXPECT_EQ(system.m_nCompat272, 0);
  EXPECT_EQ(system.m_nCompat289, 1);
  EXPECT_EQ(system.m_nCompat637, 1);
  EXPECT_EQ(system.m_bPause757, 0);
  EXPECT_EQ(system.m_nSetting821, 0);
  EXPECT_EQ(system.m_nCompat833, 0);
  EXPECT_EQ(system.m_nSetting838, 1);
  EXPECT_EQ(system.m_nCompat845C, 1);
  EXPECT_EQ(system.m_nCompat845D, 0);
  EXPECT_EQ(system.m_nCompat875, 1);
  EXPECT_EQ(system.m_nCompat696, 1);
  EXPECT_EQ(system.m_nMenuColorStep, 16);

  // 168 inserts a set item at 16, 201 a clear one at 14, 210 one at 9.
  std::vector<int> enabled;
  for (std::size_t item = 0; item < system.m_vCarryOverEnable.size(); ++item)
    if (system.m_vCarryOverEnable[static_cast<long long>(item)]) enabled.push_back(static_cast<int>(item));
  EXPECT_EQ(enabled, (std::vector<int>{0, 5, 18, 19, 23}));
  EXPECT_EQ(system.m_vCarryOverReset, cVector<std::uint8_t>(25, 0));

  EXPECT_EQ(system.m_vGauges[0].m_bGaugeNumber, 1);
  EXPECT_EQ(system.m_vGauges[2].m_nThreshold, 33);
  EXPECT_EQ(system.m_vGauges[3].m_bThresholdPercent, 1);
  EXPECT_EQ(system.m_vGauges[4].m_nThreshold, 0);
  EXPECT_EQ(system.m_vLifeUnlimited, (cVector<std::int32_t>{0, 0, 0, 1}));
  EXPECT_EQ(system.m_vRankingSettings[0].m_vGenre, (cVector<std::uint8_t>{1, 1, 1, 0, 0}));
  EXPECT_EQ(system.m_vScreenBgm, (cVector<std::int32_t>{1, 0, 0, 0}));
  EXPECT_EQ(system.m_vScreenBgmOn, (cVector<std::uint8_t>{1, 1, 1, 1}));
  ASSERT_EQ(system.m_vSoundFiles.size(), 17u);
  EXPECT_EQ(system.m_vSoundFiles[1], "s1");

  ASSERT_EQ(system.m_vMapMenu.size(), 4u);
  EXPECT_EQ(system.m_vMapMenu[1].m_strName, Data("オートセーブ"));
  EXPECT_EQ(system.m_vMapMenu[3].m_strName, "m2");

  const std::vector<std::string> terms(system.m_vTerms.begin(), system.m_vTerms.end());
  const std::vector<std::string> expectedTerms = {
      "t0", "t1", "t2", "t3", "t4", "t5", "t6", "t7", Data("残りHP"), Data("残りSP"), "t8", "t9", "t10", "t11",
      Data("オートセーブＯＮ"), Data("オートセーブＯＦＦ"), Data("保存先が不明です！一度は「セーブ」して下さい！"),
      "t12", "t13", "t14", "t15", "t16", Data("マップへ戻る"), Data("リトライ"), Data("マップへ戻る"), "t17", "t18",
      "t19", "t20"};
  EXPECT_EQ(terms, expectedTerms);

  ASSERT_EQ(system.m_vOptions.size(), 11u);
  const char* keys[] = {"Direct3D",      "WindowMode", "Bpp",       "VSync",   "D3D_FontCache",   "DD_FontCache",
                        "DD_VideoStretch", "ShowFps", "FreeStage", "English", "Midi_DirectMusic"};
  const int values[] = {1, 1, 0, 2, 0, 1, 0, 0, 0, 0, 1};
  for (int i = 0; i < 11; ++i) {
    EXPECT_EQ(system.m_vOptions[i].m_strKey, keys[i]) << i;
    EXPECT_EQ(system.m_vOptions[i].m_nValue, values[i]) << i;
  }
  EXPECT_EQ(system.m_vOptions[8].m_strValue, "s.stg4");
}

// A file older than the compatibility fields of 695 to 861 plays by the old
// rules they stand for; the trigger switch of 525 is already the new rule.
TEST_F(SystemRecord, Version690FileTurnsOnTheLaterCompatibilitySwitches) {
  cSystem system;
  ASSERT_TRUE(LoadFromBytes(system, FileOfVersion(cSystem(), 690)));
  EXPECT_EQ(system.m_nCompat525, 0);
  for (std::int32_t cSystem::*field : {&cSystem::m_nCompat695, &cSystem::m_nCompat744, &cSystem::m_nCompat773,
                                       &cSystem::m_nCompat783, &cSystem::m_nCompat861})
    EXPECT_EQ(system.*field, 1);
  cSystem current;
  ASSERT_TRUE(LoadFromBytes(current, FileOfVersion(cSystem(), kProgramDataVersion)));
  EXPECT_EQ(current.m_nCompat695, 0);
  EXPECT_EQ(current.m_nCompat861, 0);
}

// A current file whose lists the editor left short or empty.
ByteFixture ShortListsFile(int font, int screenBgm) {
  cSystem system;
  system.m_nFont = font;
  DataWriter base("fixture");
  system.cRecord::Save(base);
  ByteFixture f;
  f.I32(878);
  for (std::uint8_t byte : base.Bytes()) f.U8(byte);
  f.I32(2).U8(1).U8(1);              // carry-over enable
  f.I32(0);                          // carry-over reset: keeps its defaults
  f.I32(1).I32(6).I32(1).I32(1).I32(2).I32(0).I32(0).I32(0).I32(1).Str("x");  // one gauge
  f.I32(0).I32(0);                   // lives
  f.I32(1).I32(1).I32(1).I32(0).I32(0);  // one ranking setting with no genres
  f.I32(0).I32(0);                   // terms, sound files
  f.I32(1).I32(screenBgm).I32(0);    // screen music
  f.I32(0).I32(0).I32(0).I32(0);     // menus and entry modes
  f.I32(0);                          // options
  return f;
}

TEST_F(SystemRecord, ShortListsArePaddedWithTheirDefaults) {
  cSystem system;
  ASSERT_TRUE(LoadFromBytes(system, ShortListsFile(60, 1)));
  const cSystem defaults;
  EXPECT_EQ(system.m_vCarryOverEnable.size(), 25u);
  EXPECT_EQ(system.m_vCarryOverEnable[1], 1);
  EXPECT_EQ(system.m_vCarryOverEnable[13], defaults.m_vCarryOverEnable[13]);
  EXPECT_EQ(system.m_vCarryOverReset, defaults.m_vCarryOverReset);
  ASSERT_EQ(system.m_vGauges.size(), 5u);
  EXPECT_EQ(system.m_vGauges[0].m_strText, "x");
  EXPECT_EQ(system.m_vGauges[4].m_strText, defaults.m_vGauges[4].m_strText);
  ASSERT_EQ(system.m_vRankingSettings.size(), 4u);
  EXPECT_EQ(system.m_vRankingSettings[0].m_vGenre.size(), 5u);
  EXPECT_EQ(system.m_vTerms, defaults.m_vTerms);
  EXPECT_EQ(system.m_vSoundFiles.size(), 17u);
  EXPECT_EQ(system.m_vScreenBgm, (cVector<std::int32_t>{1, 0, 0, 0}));
  EXPECT_EQ(system.m_vTitleMenu.size(), 7u);
  EXPECT_EQ(system.m_vMapMenu.size(), 4u);
  EXPECT_EQ(system.m_vOptionMenu.size(), 6u);
  EXPECT_EQ(system.m_vRankingEntryModes.size(), 4u);
  ASSERT_EQ(system.m_vOptions.size(), 11u);
  EXPECT_EQ(system.m_vOptions[0].m_strKey, "Direct3D");
}

TEST_F(SystemRecord, FontIndexAndScreenMusicAreBroughtIntoRange) {
  cSystem system;
  ASSERT_TRUE(LoadFromBytes(system, ShortListsFile(500, 7)));
  EXPECT_EQ(system.m_nFont, 60);
  EXPECT_EQ(system.m_vScreenBgm[0], 0);
  ASSERT_TRUE(LoadFromBytes(system, ShortListsFile(-1, -5)));
  EXPECT_EQ(system.m_nFont, 60);
  EXPECT_EQ(system.m_vScreenBgm[0], 0);
  ASSERT_TRUE(LoadFromBytes(system, ShortListsFile(122, 1)));
  EXPECT_EQ(system.m_nFont, 122);
}

TEST_F(SystemRecord, ScreenMusicBeyondTheDatabaseBecomesZeroOnSave) {
  g_Database->m_vBgm.resize(5);
  cSystem system;
  system.m_vScreenBgm = {4, 7, 5, 0};
  SavedStream(system);
  EXPECT_EQ(system.m_vScreenBgm, (cVector<std::int32_t>{4, 0, 0, 0}));
}

TEST(SystemElements, RankingSettingGenreCounts) {
  cRankingSetting setting;
  ByteFixture none;
  none.I32(878).I32(1).I32(1).I32(0).I32(0);
  ASSERT_TRUE(LoadFromBytes(setting, none));
  EXPECT_EQ(setting.m_vGenre.size(), 5u);
  ByteFixture three;
  three.I32(878).I32(1).I32(1).I32(0).I32(3).U8(1).U8(0).U8(1);
  ASSERT_TRUE(LoadFromBytes(setting, three));
  EXPECT_EQ(setting.m_vGenre, (cVector<std::uint8_t>{1, 0, 1}));

  cSystem system;
  system.m_vRankingSettings[1] = setting;
  EXPECT_EQ(GetRankingGenreCount(system, 1), 2);
  EXPECT_EQ(GetRankingGenreCount(system, 0), 5);
  EXPECT_EQ(GetRankingGenreCount(system, 3), 0);
  system.m_vRankingSettings[1].m_bOn = 0;
  EXPECT_EQ(GetRankingGenreCount(system, 1), 0);
}

TEST(SystemElements, GaugeFromVersion300KeepsItsNumberFlagAndHasNoThreshold) {
  cGaugeEntry gauge;
  gauge.m_nThreshold = 4;
  ByteFixture file;
  file.I32(300).I32(4).I32(1).I32(1).I32(3).I32(0).I32(1).Str("HP");
  ASSERT_TRUE(LoadFromBytes(gauge, file));
  EXPECT_EQ(gauge.m_bGaugeNumber, 0);
  EXPECT_EQ(gauge.m_nDigits, 3);
  EXPECT_EQ(gauge.m_nThreshold, 4);
}

TEST(SystemElements, ThresholdTest) {
  cSystem system;
  system.m_vGauges[2].m_nThreshold = 33;
  system.m_vGauges[2].m_bThresholdPercent = 1;
  EXPECT_EQ(IsBelowThreshold(system, 2, 33, 100), 1);
  EXPECT_EQ(IsBelowThreshold(system, 2, 34, 100), 0);
  EXPECT_EQ(IsBelowThreshold(system, 2, 0, 0), 0);
  EXPECT_EQ(IsBelowThreshold(system, 2, -5, -10), 0);  // a negative maximum is no percentage either
  system.m_vGauges[3].m_nThreshold = 10;
  EXPECT_EQ(IsBelowThreshold(system, 3, 10, 0), 1);
  EXPECT_EQ(IsBelowThreshold(system, 3, 11, 100), 0);
}

}  // namespace

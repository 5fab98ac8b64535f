// The user options, the selection name tables and the global data objects.

#include <gtest/gtest.h>

#include "foundation/message_box.h"
#include "project/global_data.h"
#include "project/name_tables.h"
#include "tests/project/project_test_support.h"

namespace {

TEST(UserOption, FirstRunDefaults) {
  cUserOption option;
  EXPECT_EQ(option.m_nPalette, 0);
  EXPECT_EQ(option.m_bMusic, 1);
  EXPECT_EQ(option.m_nSoundVolume, 7);
  EXPECT_EQ(option.m_nRankingMode, 0);
  EXPECT_EQ(option.m_strName, "aaa");
}

ByteFixture OptionFile(int palette, int music, int volume, int mode) {
  ByteFixture f;
  f.I32(878).I32(4).I32(palette).I32(music).I32(volume).I32(mode).I32(1).Str("bob");
  return f;
}

TEST(UserOption, LoadedValuesAreKeptInsideTheirTables) {
  cUserOption option;
  ASSERT_TRUE(LoadFromBytes(option, OptionFile(23, 0, 10, 3)));
  EXPECT_EQ(option.m_nPalette, 23);
  EXPECT_EQ(option.m_bMusic, 0);
  EXPECT_EQ(option.m_nSoundVolume, 10);
  EXPECT_EQ(option.m_nRankingMode, 3);
  EXPECT_EQ(option.m_strName, "bob");
  ASSERT_TRUE(LoadFromBytes(option, OptionFile(24, 5, 11, 4)));
  EXPECT_EQ(option.m_nPalette, 23);
  EXPECT_EQ(option.m_bMusic, 1);
  EXPECT_EQ(option.m_nSoundVolume, 10);
  EXPECT_EQ(option.m_nRankingMode, 3);
  ASSERT_TRUE(LoadFromBytes(option, OptionFile(-1, -1, -1, -1)));
  EXPECT_EQ(option.m_nPalette, 0);
  EXPECT_EQ(option.m_bMusic, 0);
  EXPECT_EQ(option.m_nSoundVolume, 0);
  EXPECT_EQ(option.m_nRankingMode, 0);
}

TEST(NameTables, FontNamesByIndex) {
  ASSERT_EQ(g_FontNames().size(), 123u);
  EXPECT_EQ(g_FontNames()[60], Cp932Literal("ＭＳ Ｐゴシック"));
  EXPECT_EQ(g_FontNames()[0], "System");
  EXPECT_EQ(g_FontNames()[121], "Sydnie");
  EXPECT_EQ(g_FontNames()[122], "");
  EXPECT_EQ(FontNameAt(93), Cp932Literal("HG創英角ﾎﾟｯﾌﾟ体"));
  EXPECT_EQ(FontNameAt(123), g_FontNames()[60]);
  EXPECT_EQ(FontNameAt(-1), g_FontNames()[60]);
}

TEST(NameTables, SettingValueNamesEndWithAnEmptyText) {
  EXPECT_EQ(g_ColorModeNames().size(), 3u);
  EXPECT_EQ(g_DDDepthNames()[2], Cp932Literal("8bit(256色)"));
  EXPECT_EQ(g_DDDepthNames()[3], "");
  EXPECT_EQ(g_D3DDepthNames().size(), 3u);
  EXPECT_EQ(g_DrawPrefNames()[1], Cp932Literal("互換性重視"));
  EXPECT_EQ(g_WorldStageKindNames()[2], Cp932Literal("壁"));
  EXPECT_EQ(g_AfterLastStageNames()[1], Cp932Literal("2周目へ突入"));
  EXPECT_EQ(g_AfterLastStageNames()[3], "");
}

TEST(GlobalData, StartBuildsEveryObjectWithItsDefaultsAndStopDestroysThem) {
  StartProjectData();
  EXPECT_TRUE(g_System.IsStarted());
  EXPECT_EQ(g_System->m_nFont, 60);
  EXPECT_EQ(g_Database->m_vAnime.size(), 2u);
  EXPECT_EQ(g_WorldMap->m_nWidth, 20);
  EXPECT_EQ(g_UserOption->m_strName, "aaa");
  EXPECT_TRUE(g_AnimeFrameTable.empty());
  StopProjectData();
  EXPECT_FALSE(g_System.IsStarted());
  EXPECT_FALSE(g_Database.IsStarted());
  EXPECT_FALSE(g_WorldMap.IsStarted());
  EXPECT_FALSE(g_UserOption.IsStarted());
}

}  // namespace

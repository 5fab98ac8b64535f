// The stage file read from hand-written bytes of several data versions,
// written back, and refused when damaged.
#include "definitions/stage/stage_file.h"

#include <gtest/gtest.h>

#include <cmath>

#include "definitions/stage/stage_record.h"
#include "tests/definitions/stage_layout.h"

namespace {

class StageFileTest : public DefinitionsTest {
 protected:
  void SetUp() override {
    DefinitionsTest::SetUp();
    g_Database->m_vBgm.resize(4);
    g_Stage.SetDefaults();
  }
};

std::vector<std::uint8_t> SavedStage(cEdStage& stage) {
  DataWriter out("fixture");
  out.Write<std::uint32_t>(878);
  stage.Save(out);
  return {out.Bytes().begin(), out.Bytes().end()};
}

ByteFixture Bytes(const std::vector<std::uint8_t>& bytes) {
  ByteFixture f;
  for (std::uint8_t b : bytes) f.U8(b);
  return f;
}

TEST_F(StageFileTest, MinimalStageWrittenFromTheLayoutLoads) {
  StageParts parts = HeroStageParts(878);
  parts.texts = {"note"};
  cEdStage stage;
  ASSERT_TRUE(LoadFromBytes(stage, StageFile(878, SmallStageSettings(), parts, "hello")));
  EXPECT_EQ(stage.StageText, "hello");
  EXPECT_EQ(stage.Width, 30);
  EXPECT_EQ(stage.Height, 20);
  EXPECT_EQ(stage.LeftColumn, 10);  // 25 is past Width - 20
  EXPECT_DOUBLE_EQ(stage.Gravity, 0.5);
  EXPECT_EQ(stage.SpeedLevel, 15);
  // Derived values are recomputed from the level, not taken from the file.
  EXPECT_EQ(stage.Level, 5);
  EXPECT_DOUBLE_EQ(stage.LevelF, 5.0);
  EXPECT_DOUBLE_EQ(stage.SpeedLimit, 60.0);
  EXPECT_DOUBLE_EQ(stage.SpeedLimitStep, 12.0);
  EXPECT_DOUBLE_EQ(stage.GravityStep, 0.5 / 25.0);
  EXPECT_EQ(stage.Level6, 30);
  EXPECT_EQ(stage.Level8, 40);
  ASSERT_EQ(stage.m_vChara.size(), 1u);
  EXPECT_EQ(stage.m_vChara[0].m_nColumn, 2);
  EXPECT_EQ(stage.m_vChara[0].m_nRow, 3);
  EXPECT_EQ(stage.FindHeroStart(), 0);
  ASSERT_EQ(stage.m_vBlock.size(), 1u);
  EXPECT_EQ(stage.m_vBlock[0].m_nGraphicNo, 4);
  EXPECT_EQ(stage.m_vBlock[0].m_nRow, 5);
  // Empty stage-palette lists get their two default entries.
  EXPECT_EQ(stage.m_vPaletteBlock.size(), 2u);
  EXPECT_EQ(stage.m_vPaletteChara.size(), 2u);
  EXPECT_EQ(stage.m_vPaletteItem.size(), 2u);
  ASSERT_EQ(stage.m_vBackground.size(), 1u);
  EXPECT_EQ(stage.m_vBackground[0].Fill, 1u);
  ASSERT_EQ(stage.m_vText.size(), 1u);
  EXPECT_EQ(stage.m_vText[0].Text, "note");
  EXPECT_EQ(stage.RemovalAreas[4].m_nBottom, 10u);
}

TEST_F(StageFileTest, RoundTripAtTheProgramVersionIsByteIdentical) {
  cEdStage stage;
  ASSERT_TRUE(LoadFromBytes(stage, StageFile(878, SmallStageSettings(), HeroStageParts(878), "t")));
  const std::vector<std::uint8_t> first = SavedStage(stage);
  cEdStage again;
  ASSERT_TRUE(LoadFromBytes(again, Bytes(first)));
  EXPECT_EQ(SavedStage(again), first);
  // The written settings block is the layout's: 98 values, 416 bytes.
  ASSERT_GT(first.size(), 8u + 416u);
  EXPECT_EQ(first[4], 98);
}

TEST_F(StageFileTest, ReplayFormTakesTheSettingsOfThePlayCopy) {
  cEdStage loaded;
  ASSERT_TRUE(LoadFromBytes(loaded, StageFile(878, SmallStageSettings(), HeroStageParts(878))));
  cEdStage play;
  static_cast<cEdStageSettings&>(play) = loaded;
  play.TimeLimit = 77;
  play.RankingSwitches = {0, 0, 0, 0, 1};
  play.m_vText.resize(3);
  DataWriter out("fixture");
  out.Write<std::uint32_t>(878);
  loaded.SaveForReplay(out, play);
  cEdStage read;
  ASSERT_TRUE(LoadFromBytes(read, Bytes({out.Bytes().begin(), out.Bytes().end()})));
  EXPECT_EQ(read.TimeLimit, 77);
  EXPECT_EQ(read.RankingSwitches[0], 0u);
  EXPECT_EQ(read.m_vText.size(), 3u);
  EXPECT_EQ(read.m_vChara.size(), 1u);
  EXPECT_EQ(read.m_vBlock.size(), 1u);
}

TEST_F(StageFileTest, RemovalAreasBelow125HoldFiveWords) {
  cEdStage stage;
  ASSERT_TRUE(LoadFromBytes(stage, StageFile(124, SmallStageSettings(), HeroStageParts(124))));
  // Left switch and the four distances; the three later switches keep the defaults.
  EXPECT_EQ(stage.RemovalAreas[0].m_bLeft, 1u);
  EXPECT_EQ(stage.RemovalAreas[0].m_nLeft, 10u);
  EXPECT_EQ(stage.RemovalAreas[0].m_bRight, 0u);
  EXPECT_EQ(stage.RemovalAreas[4].m_bRight, 1u);
}

TEST_F(StageFileTest, BackgroundLayersOfOlderVersions) {
  BackgroundValues layer;
  layer.show = 0;
  layer.fill = 1;
  layer.colour = 40;
  layer.rateX = 0.25;
  layer.rateY = 0.5;
  layer.autoX = 1;
  layer.image = "back.bmp";
  for (std::uint32_t version : {60u, 61u, 62u, 875u, 876u}) {
    SCOPED_TRACE(version);
    StageParts parts = HeroStageParts(version);
    parts.backgrounds = {BackgroundStream(version, layer)};
    cEdStage stage;
    ASSERT_TRUE(LoadFromBytes(stage, StageFile(version, SmallStageSettings(), parts)));
    ASSERT_EQ(stage.m_vBackground.size(), 1u);
    const cEdBackground& read = stage.m_vBackground[0];
    EXPECT_EQ(read.FillColour, 40u);
    EXPECT_EQ(read.Image, "back.bmp");
    EXPECT_EQ(read.Show, version >= 62 ? 0u : 1u);
    if (version < 61) {
      EXPECT_DOUBLE_EQ(read.RateX, 0.1);  // the two old words are dropped
      EXPECT_EQ(read.AutoX, 0u);
    } else if (version < 876) {
      // The automatic speed moves out of the rate, which becomes 1.
      EXPECT_DOUBLE_EQ(read.AutoSpeedX, 0.25);
      EXPECT_DOUBLE_EQ(read.RateX, 1.0);
      EXPECT_DOUBLE_EQ(read.RateY, 0.5);
    } else {
      EXPECT_DOUBLE_EQ(read.RateX, 0.25);
      EXPECT_DOUBLE_EQ(read.AutoSpeedX, 0.0);
    }
  }
}

TEST_F(StageFileTest, OlderVersionsGetTheRepairsOfTheirVersion) {
  StageParts parts = HeroStageParts(750);
  parts.ranking = {1, 1, 1};
  FieldValues settings = SmallStageSettings();
  cEdStage stage;
  ASSERT_TRUE(LoadFromBytes(stage, StageFile(150, settings, HeroStageParts(150))));
  EXPECT_EQ(stage.BgmParam, 1);
  EXPECT_EQ(stage.StatusPanel, 1);
  EXPECT_EQ(stage.IntroSwitch2, 0);
  EXPECT_EQ(stage.HeroBoxB[0], stage.HeroBoxA[0]);
  EXPECT_EQ(stage.CharaSize[1], 30);
  EXPECT_EQ(stage.HeroGraphic2[0], 5);
  EXPECT_EQ(stage.m_vText.size(), 1000u);
  ASSERT_EQ(stage.RankingSwitches.size(), 5u);
  EXPECT_EQ(stage.RankingSwitches[3], 0u);

  cEdStage v750;
  ASSERT_TRUE(LoadFromBytes(v750, StageFile(750, settings, parts)));
  EXPECT_EQ(v750.m_vText.size(), 1000u);
  EXPECT_EQ(v750.RankingSwitches[2], 1u);
}

TEST_F(StageFileTest, EndValueRulesByVersion) {
  // 172: no end value, reading stops after the text list.
  StageParts parts = HeroStageParts(172);
  parts.endValue = false;
  cEdStage stage;
  EXPECT_TRUE(LoadFromBytes(stage, StageFile(172, SmallStageSettings(), parts)));
  // 173: the end value is present and read, but not tested.
  parts = HeroStageParts(173);
  parts.end = 5;
  EXPECT_TRUE(LoadFromBytes(stage, StageFile(173, SmallStageSettings(), parts)));
  // 174: a wrong end value damages the stream, also where no file check runs.
  parts = HeroStageParts(174);
  parts.end = 5;
  EXPECT_FALSE(LoadFromBytes(stage, StageFile(174, SmallStageSettings(), parts)));
}

TEST_F(StageFileTest, ZeroRankingCountKeepsThePreviousSwitches) {
  StageParts parts = HeroStageParts(878);
  parts.ranking.clear();
  cEdStage stage;
  stage.RankingSwitches = {0, 1, 0, 1, 0};
  ASSERT_TRUE(LoadFromBytes(stage, StageFile(878, SmallStageSettings(), parts)));
  EXPECT_EQ(stage.RankingSwitches, (cVector<std::uint32_t>{0, 1, 0, 1, 0}));
}

TEST_F(StageFileTest, OversizedStageIsRefusedAsDamaged) {
  FieldValues settings = SmallStageSettings();
  settings[1] = 100000;
  cEdStage stage;
  stage.Width = 7;
  EXPECT_FALSE(LoadFromBytes(stage, StageFile(878, settings, HeroStageParts(878))));
  EXPECT_EQ(stage.Width, 7);
  settings[1] = 8192;
  settings[4] = 8192;
  EXPECT_FALSE(LoadFromBytes(stage, StageFile(878, settings, HeroStageParts(878))));
}

// Where a placed element lies is the set-up's concern: the file keeps them all.
TEST_F(StageFileTest, PlacedDefinitionsFarOutsideTheStageAreKept) {
  StageParts parts = HeroStageParts(878);
  parts.blocks.push_back(BlockStream(878, {{6, 1}}, 30 + 10, 0));    // past the margin
  parts.blocks.push_back(BlockStream(878, {{6, 1}}, -10, 19 + 10));  // last cells of the margin
  cEdStage stage;
  ASSERT_TRUE(LoadFromBytes(stage, StageFile(878, SmallStageSettings(), parts)));
  ASSERT_EQ(stage.m_vBlock.size(), 3u);
  EXPECT_EQ(stage.m_vBlock[1].m_nColumn, 40);
  EXPECT_EQ(stage.m_vBlock[2].m_nColumn, -10);
}

TEST_F(StageFileTest, StagePaletteInheritanceAsEachEntryIsRead) {
  StageParts parts = HeroStageParts(878);
  std::vector<std::uint8_t> nameFlag(11, 0);
  nameFlag[0] = 1;
  // Entry 0 (reset after reading), entry 1 named, entry 2 inherits the name
  // of entry 1, entry 3 of the later entry 4 (still a default record then),
  // entry 4 named; a placed block inherits from entry 5 of a 5-entry palette.
  parts.paletteBlocks.push_back(BlockStream(878, {{6, 1}}, 0, 0, {}, "zero"));
  parts.paletteBlocks.push_back(BlockStream(878, {{6, 1}}, 0, 0, {}, "one"));
  parts.paletteBlocks.push_back(BlockStream(878, {{1, 2}, {2, 1}, {6, 1}}, 0, 0, nameFlag, "own"));
  parts.paletteBlocks.push_back(BlockStream(878, {{1, 2}, {2, 4}, {6, 1}}, 0, 0, nameFlag, "own"));
  parts.paletteBlocks.push_back(BlockStream(878, {{6, 1}}, 0, 0, {}, "four"));
  parts.blocks.push_back(BlockStream(878, {{1, 2}, {2, 5}, {6, 1}}, 0, 0, nameFlag, "placed"));
  parts.blocks.push_back(BlockStream(878, {{1, 2}, {2, 0}, {6, 1}}, 0, 0, nameFlag, "index0"));
  cEdStage stage;
  ASSERT_TRUE(LoadFromBytes(stage, StageFile(878, SmallStageSettings(), parts)));
  EXPECT_EQ(stage.m_vPaletteBlock[0].m_strName, "");
  EXPECT_EQ(stage.m_vPaletteBlock[2].m_strName, "one");
  EXPECT_EQ(stage.m_vPaletteBlock[3].m_strName, "");
  ASSERT_EQ(stage.m_vBlock.size(), 3u);
  EXPECT_EQ(stage.m_vBlock[1].m_strName, "placed");
  EXPECT_EQ(stage.m_vBlock[1].m_nPalKind, 0);
  EXPECT_EQ(stage.m_vBlock[2].m_strName, "index0");
  EXPECT_EQ(stage.m_vBlock[2].m_nPalKind, 2);
  // Reading a stage leaves g_Stage's palette alone.
  EXPECT_EQ(g_Stage.m_vPaletteBlock.size(), 1u);
}

TEST_F(StageFileTest, NormalizeWorksOnItsOwnRecord) {
  cEdStage stage;
  stage.Width = 30;
  stage.LeftColumn = 25;
  stage.RightColumn = 40;
  stage.Height = 10;
  stage.TopRow = 3;
  stage.SpeedLevel = 20;
  stage.BgmNumber = 4;  // the number of music entries
  stage.m_vPaletteItem.clear();
  g_Stage.SpeedLevel = 3;
  stage.Normalize();
  EXPECT_EQ(stage.LeftColumn, 10);
  EXPECT_EQ(stage.RightColumn, 29);
  EXPECT_EQ(stage.TopRow, -5);
  EXPECT_EQ(stage.Level, 20);
  EXPECT_DOUBLE_EQ(stage.SpeedLimit, 120.0);
  EXPECT_EQ(stage.BgmNumber, 0);
  EXPECT_EQ(stage.m_vPaletteItem.size(), 2u);
  EXPECT_EQ(g_Stage.SpeedLevel, 3);
}

TEST_F(StageFileTest, SpeedLevelZeroKeepsIeeeQuotients) {
  cEdStage stage;
  stage.Gravity = 0.4;
  stage.SetSpeedLevel(0);
  EXPECT_EQ(stage.Level, 0);
  EXPECT_DOUBLE_EQ(stage.SpeedLimit, 0.0);
  EXPECT_TRUE(std::isnan(stage.SpeedLimitStep));
  EXPECT_TRUE(std::isinf(stage.GravityStep));
  stage.SetSpeedLevel(10);
  EXPECT_DOUBLE_EQ(stage.SpeedLimitStep, 6.0);
  EXPECT_DOUBLE_EQ(stage.SpeedLimit, 60.0);
}

TEST_F(StageFileTest, HeroStartNeedsTheGraphicAndThePlayer) {
  cEdStage stage;
  stage.m_vChara.resize(3);
  stage.m_vChara[0].m_nGraphicNo = 3;               // operated by the computer
  stage.m_vChara[1].m_nOperator = kOperatorPlayer;  // no graphic
  EXPECT_EQ(stage.FindHeroStart(), -1);
  EXPECT_EQ(stage.HasHero(), 0);
  stage.m_vChara[2].m_nOperator = kOperatorPlayer;
  stage.m_vChara[2].m_nGraphicNo = 1;
  EXPECT_EQ(stage.FindHeroStart(), 2);
}

TEST_F(StageFileTest, DefaultsOfANewStage) {
  cEdStage stage;
  EXPECT_EQ(stage.TimeLimit, 200);
  EXPECT_EQ(stage.FrameRate, 60);
  EXPECT_EQ(stage.RankingSwitches, (cVector<std::uint32_t>{1, 1, 1, 1, 1}));
  EXPECT_EQ(stage.RemovalAreas[3].m_bTop, 1u);
  EXPECT_EQ(stage.RemovalAreas[3].m_nTop, 0u);
  EXPECT_EQ(stage.RemovalAreas[0].IsOn(), false);
  EXPECT_EQ(stage.HeroBoxC[1], 8);
  EXPECT_EQ(stage.ShotSize[7], 16);
  EXPECT_EQ(stage.SwitchE, 1);
  ASSERT_EQ(stage.m_vBackground.size(), 1u);
  EXPECT_EQ(stage.m_vBackground[0].Fill, 1u);
  EXPECT_DOUBLE_EQ(stage.m_vBackground[0].RateX, 0.1);
}

TEST(RemovalAreaTest, SidesAndStageEdges) {
  cEdStageCond area;
  area.Set(1, 1, 0, 1, 2, 0, 0, 1);
  const StageBox edges{0, 0, 3200, 960};
  const auto outside = [&](StageBox box) { return IsInRemovalArea(area, box, 320, 0, edges); };
  EXPECT_TRUE(outside({200, 100, 256, 132}));  // right edge 256 <= 320 - 64
  EXPECT_FALSE(outside({200, 100, 257, 132}));
  EXPECT_TRUE(outside({960, 100, 990, 132}));  // left >= 320 + 640
  EXPECT_FALSE(outside({959.5, 100, 990, 132}));
  EXPECT_TRUE(outside({400, 512, 430, 540}));  // top >= 480 + 32
  EXPECT_FALSE(outside({400, 511.5, 430, 540}));
  EXPECT_FALSE(outside({400, 5, 430, 20}));  // top switch off
  // Each boundary in whole dots: 320.7 - 64 counts as 256, 320.7 + 640 as 960.
  EXPECT_FALSE(IsInRemovalArea(area, {200, 100, 256.5, 132}, 320.7, 0, edges));
  EXPECT_TRUE(IsInRemovalArea(area, {960.2, 100, 990, 132}, 320.7, 0, edges));
  // Touching the whole stage's edges, whatever the switches.
  const cEdStageCond none;
  EXPECT_TRUE(IsInRemovalArea(none, {0, 100, 31, 132}, 320, 0, edges));
  EXPECT_FALSE(IsInRemovalArea(none, {0.5, 100, 31.5, 132}, 320, 0, edges));
  EXPECT_TRUE(IsInRemovalArea(none, {3168, 100, 3199, 132}, 320, 0, edges));
  EXPECT_FALSE(IsInRemovalArea(none, {3167, 100, 3198, 132}, 320, 0, edges));
  EXPECT_TRUE(IsInRemovalArea(none, {400, 0, 430, 31}, 320, 0, edges));
  EXPECT_TRUE(IsInRemovalArea(none, {400, 928, 430, 959}, 320, 0, edges));
  EXPECT_FALSE(IsInRemovalArea(none, {400, 927, 430, 958}, 320, 0, edges));
}

}  // namespace

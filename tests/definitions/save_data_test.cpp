// Save data from hand-written files of older versions, its operations, the
// save slots and their atomic writes.
#include <gtest/gtest.h>

#include <filesystem>

#include "definitions/save_data/save_slots.h"
#include "tests/definitions/stage_layout.h"

namespace {

// The 35 ints of the save data with the version that added each.
std::vector<LayoutField> SaveDataLayout() {
  const std::map<int, std::uint32_t> since = {{6, 758},  {7, 758},  {8, 758},  {18, 182}, {19, 182},
                                              {22, 166}, {23, 194}, {24, 190}, {25, 191}, {26, 191},
                                              {29, 169}, {32, 678}, {33, 678}, {34, 678}, {35, 679}};
  std::vector<LayoutField> l;
  for (int n = 1; n <= 35; ++n) l.push_back({n, 4, 1, since.count(n) ? since.at(n) : 0});
  return l;
}

struct SaveFileParts {
  std::vector<std::int32_t> carryFlags = std::vector<std::int32_t>(25, 0);
  std::vector<std::int32_t> switches = std::vector<std::int32_t>(1000, 0);
  std::vector<std::int32_t> vars = std::vector<std::int32_t>(1001, 0);
  std::string stage = "forest.", key = "forest.", name = "bob";
};

ByteFixture SaveFile(std::uint32_t version, const FieldValues& values, const SaveFileParts& parts) {
  std::vector<std::string> strings = {parts.stage};
  if (version >= 724) strings.push_back(parts.key);
  strings.push_back(parts.name);
  ByteFixture body = SingleValueStream(SaveDataLayout(), version, values, strings);
  for (int i = 0; i < 8; ++i) body.U16(static_cast<std::uint16_t>(2000 + i));
  const auto ints = [&](const std::vector<std::int32_t>& list) {
    body.I32(static_cast<std::int32_t>(list.size()));
    for (std::int32_t value : list) body.I32(value);
  };
  if (version > 500) ints(parts.carryFlags);
  body.I32(0);  // carried heroes
  body.I32(0);  // stage entries
  body.I32(0);  // pairs
  ints(parts.switches);
  ints(parts.vars);
  return DataFile(version, body);
}

class SaveDataTest : public GameFolderTest {
 protected:
  void SetUp() override {
    GameFolderTest::SetUp();
    StartProjectData();
    g_WorldMap->SetDefaults();
    g_SaveSlots.assign(kSaveSlotCount, cSaveSlot());
  }
  void TearDown() override {
    StopProjectData();
    GameFolderTest::TearDown();
  }
};

TEST_F(SaveDataTest, SlotFileNamesHaveTwoDigits) {
  EXPECT_EQ(MakeSaveFileName(0), "user_data\\story\\Story01.dat");
  EXPECT_EQ(MakeSaveFileName(9), "user_data\\story\\Story10.dat");
  EXPECT_EQ(MakeSaveFileName(98), "user_data\\story\\Story99.dat");
  EXPECT_EQ(g_SaveSlots.size(), 99u);
}

TEST_F(SaveDataTest, NewGame) {
  cSaveData data;
  EXPECT_EQ(data.m_vCarryFlag.size(), 25u);
  EXPECT_EQ(data.m_vCarryChara.size(), 1u);
  EXPECT_EQ(data.m_vSwitch.size(), 1000u);
  EXPECT_EQ(data.m_vSwitch[0], 1);
  EXPECT_EQ(data.m_vVar.size(), 1001u);
  EXPECT_EQ(data.m_nPairIndex, 1);
  EXPECT_EQ(data.m_nSlot, -1);
  EXPECT_EQ(data.m_strName, "aaa");
}

TEST_F(SaveDataTest, OldVersionHasNoCarryFlagsAndGetsItsFixUps) {
  cSaveData data;
  data.m_nResult3 = 8;
  data.m_bAutoSave = 1;
  SaveFileParts parts;
  parts.vars.resize(1000);
  parts.switches[0] = 0;
  ASSERT_TRUE(LoadFromBytes(data, SaveFile(160, {{5, 3}, {13, 4000}}, parts)));
  EXPECT_EQ(data.m_vCarryFlag, cVector<std::int32_t>(25, 1));
  EXPECT_EQ(data.m_nRound, 3);
  EXPECT_EQ(data.m_nScore, 4000);
  EXPECT_EQ(data.m_nResult3, 0);      // below 182
  EXPECT_EQ(data.m_bAutoSave, 0);     // below 169
  EXPECT_EQ(data.m_nStageState2, 1);  // below 166
  EXPECT_EQ(data.m_vSwitch[0], 1);    // below 804
  EXPECT_EQ(data.m_strStageKey, "");  // no key below 724
  EXPECT_EQ(data.m_strName, "bob");
  // A shorter variable list is padded to the new-game length, never cut.
  EXPECT_EQ(data.m_vVar.size(), 1001u);
  EXPECT_EQ(data.m_SaveTime.wYear, 2000);
  EXPECT_EQ(data.m_SaveTime.wMilliseconds, 2007);
}

TEST_F(SaveDataTest, ShortListsArePaddedAndLongOnesKept) {
  SaveFileParts parts;
  parts.carryFlags = {1, 1};
  parts.switches = {0, 1};
  parts.vars = std::vector<std::int32_t>(1500, 2);
  cSaveData data;
  ASSERT_TRUE(LoadFromBytes(data, SaveFile(878, {{14, 9}, {16, 3}}, parts)));
  EXPECT_EQ(data.m_vCarryFlag.size(), 25u);
  EXPECT_EQ(data.m_vCarryFlag[1], 1);
  EXPECT_EQ(data.m_vSwitch.size(), 1000u);
  EXPECT_EQ(data.m_vSwitch[1], 1);
  EXPECT_EQ(data.m_vVar.size(), 1500u);
  EXPECT_EQ(data.m_nStageValue, 9);
  EXPECT_EQ(data.m_nResult1, 3);
}

TEST_F(SaveDataTest, RoundTripWritesTheMapStageSlotAsZero) {
  cSaveData data;
  cWorldStage stage;
  data.m_pMapStage = &stage;
  data.m_nScore = 77;
  data.m_vCarryChara[0].m_Chara.m_strName = "hero";
  const std::vector<std::uint8_t> first = SavedStream(data);
  EXPECT_EQ(first[4 + 12], 0);  // the fourth int
  cSaveData again;
  ByteFixture file;
  file.I32(878);
  for (std::uint8_t b : first) file.U8(b);
  ASSERT_TRUE(LoadFromBytes(again, file));
  EXPECT_EQ(again.m_nScore, 77);
  EXPECT_EQ(again.m_vCarryChara[0].m_Chara.m_strName, "hero");
  EXPECT_EQ(SavedStream(again), first);
}

TEST_F(SaveDataTest, MapCursorAndPairsFitTheProject) {
  g_System->m_nPairCount = 3;
  cSaveData data;
  data.m_nMapX = 20;  // a 20-column map
  data.m_nMapY = 5;
  data.m_nPairIndex = 7;
  data.FitToProject();
  EXPECT_EQ(data.m_nMapX, g_WorldMap->m_nStartX);
  EXPECT_EQ(data.m_nMapY, 5);
  EXPECT_EQ(data.m_vPair.size(), 3u);
  EXPECT_EQ(data.m_nPairIndex, 3);
  data.m_nMapX = -1;
  data.FitToProject();
  EXPECT_EQ(data.m_nMapX, -1);
}

TEST_F(SaveDataTest, CurrentStageNameKeyAndSeries) {
  cSaveData data;
  SetCurrentStage(data, "c01-1.stg4_x", 0, 0, 0);
  EXPECT_EQ(data.m_strStage, "c01.");
  EXPECT_EQ(data.m_strStageKey, "c01.");
  EXPECT_EQ(data.m_bSeriesStart, 1);
  SetCurrentStage(data, "c01-2.stg4_x", 0, 0, 0);
  EXPECT_EQ(data.m_strStage, "c01-2.");
  EXPECT_EQ(data.m_bSeriesStart, 0);
  SetCurrentStage(data, "forest.stg4_x", 1, 7, 2);
  EXPECT_EQ(data.m_strStage, "forest.");
  EXPECT_EQ(data.m_strStageKey, "forest_c007_2.");
  EXPECT_EQ(data.m_nStageCode2, 7);
  SetCurrentStage(data, "nodot", 0, 0, 0);
  EXPECT_EQ(data.m_strStage, "");
  std::string name = "plain";
  AppendStageCode(name, 0, 1, 1);
  EXPECT_EQ(name, "plain");
  AppendStageCode(name, 3, 12, -4);
  EXPECT_EQ(name, "plain_c012_-4");
}

TEST_F(SaveDataTest, StageValuesKeepTheBestPerKey) {
  cSaveData data;
  data.SetStageValue("a.", "a_c001_1.", 1, 1, 1, 50);
  EXPECT_EQ(data.m_nStageValueTotal, 50);
  data.SetStageValue("a.", "a_c001_1.", 1, 1, 1, 30);
  EXPECT_EQ(data.GetStageValue("a_c001_1."), 50);
  data.SetStageValue("a.", "a_c001_1.", 1, 1, 1, 80);
  EXPECT_EQ(data.m_nStageValueTotal, 80);
  data.SetStageValue("b.", "b.", 0, 0, 0, 5);
  EXPECT_EQ(data.m_nStageValueTotal, 85);
  EXPECT_EQ(data.GetStageValue("c."), 0);
}

TEST_F(SaveDataTest, WorldTotalCountsOnlyStagesOnTheMap) {
  cWorldPoint point;
  point.SetDefaults();
  point.m_vStage[0].m_strStage = "forest.stg4_x";
  g_WorldMap->m_vPoint.push_back(point);
  cSaveData data;
  data.SetStageValue("forest.", "forest.", 0, 1, 0, 5);
  data.SetStageValue("forest.", "forest_c002_0.", 1, 2, 0, 11);  // other codes
  data.SetStageValue("cave.", "cave.", 0, 1, 0, 7);
  data.SumWorldStageValues();
  EXPECT_EQ(data.m_nStageValueTotal, 5);
}

TEST_F(SaveDataTest, StageStartSnapshotAndRetry) {
  cSaveData data;
  data.m_vVar[3] = 4;
  data.m_nStageValue = 10;
  EXPECT_EQ(data.RestoreStageStart(1, 0, 0), 10);  // no snapshot yet: nothing restored
  EXPECT_EQ(data.m_vVar[3], 4);
  data.m_nLife = 3;
  data.SaveStageStart();
  data.m_vVar[3] = 9;
  data.m_nStageValue = 99;
  data.m_nLife = 1;
  g_System->m_bRetryVarsStory = 0;
  EXPECT_EQ(data.RestoreStageStart(0, 0, 0), 10);
  EXPECT_EQ(data.m_vVar[3], 9);  // the story flag is clear
  EXPECT_EQ(data.m_nLife, 1);
  g_System->m_bRetryVarsStageFile = 1;
  data.RestoreStageStart(0, 0, 1);
  EXPECT_EQ(data.m_vVar[3], 4);
  data.m_vVar[3] = 9;
  data.RestoreStageStart(0, 3, 0);  // replay: no flag asked
  EXPECT_EQ(data.m_vVar[3], 4);
  data.RestoreStageStart(1, 0, 0);
  EXPECT_EQ(data.m_nLife, 3);
}

TEST_F(SaveDataTest, CarryOverStoresAndAppliesEnabledItems) {
  cSystem& system = *g_System;
  system.m_vCarryOverEnable.assign(25, 0);
  for (int item : {0, 11, 13, 21, 22, 23, 24}) system.m_vCarryOverEnable[item] = 1;
  cEdChara hero;
  hero.m_nGraphicNo = 0;
  hero.m_nGraphicKind = 4;
  hero.m_nMaxHp = 40;
  hero.m_nZ = 7;
  hero.m_vFlows.resize(3);
  cSaveData data;
  data.StoreCarryOver(0, hero, 25, 5, 1, 2, 3, 120, 4, 6);
  EXPECT_EQ(data.m_bCarryOver, 1);
  EXPECT_EQ(data.m_vCarryFlag[13], 1);
  EXPECT_EQ(data.m_vCarryFlag[2], 0);

  cEdChara next;
  cEdStage stage;
  data.m_nLife = 1;
  data.ApplyCarryOver(0, next, stage);
  EXPECT_EQ(next.m_nGraphicKind, 4);
  EXPECT_EQ(next.m_nGraphicNo, 1);  // a stored graphic 0 comes back as 1
  EXPECT_EQ(next.m_nMaxHp, 40);
  EXPECT_EQ(next.m_nZ, 3);  // item 2 not enabled
  EXPECT_EQ(next.m_vFlows.size(), 3u);
  EXPECT_EQ(stage.TimeLimit, 120);
  EXPECT_EQ(stage.BgmNumber, 6);
  EXPECT_EQ(data.m_nLife, 4);
  std::int32_t hp = 0, sp = 0;
  data.ApplyCarryOverStatus(0, hp, sp);
  EXPECT_EQ(hp, 25);
  EXPECT_EQ(sp, 0);  // item 12 not enabled

  system.m_vCarryOverReset.assign(25, 0);
  system.m_vCarryOverReset[11] = 1;
  data.ResetCarryOverFlags();
  hp = 0;
  data.ApplyCarryOverStatus(0, hp, sp);
  EXPECT_EQ(hp, 0);
}

TEST_F(SaveDataTest, NextRoundClearsTheSwitches) {
  cSaveData data;
  data.m_vSwitch[5] = 1;
  data.m_nMapX = 9;
  data.StartNextRound();
  EXPECT_EQ(data.m_nRound, 1);
  EXPECT_EQ(data.m_vSwitch[5], 0);
  EXPECT_EQ(data.m_vSwitch[0], 1);
  EXPECT_EQ(data.m_nMapX, g_WorldMap->m_nStartX);
}

TEST_F(SaveDataTest, SlotSaveIsAtomicAndValidOnlyWhenWritten) {
  std::filesystem::create_directories(Folder() / "user_data/story");
  cSaveData data;
  data.m_nScore = 12;
  ASSERT_EQ(SaveToSlot(data, 0), 1);
  EXPECT_EQ(g_SaveSlots[0].m_bValid, 1);
  EXPECT_GE(g_SaveSlots[0].m_Time.wYear, 2020);
  EXPECT_TRUE(std::filesystem::exists(Folder() / "user_data/story/Story01.dat"));

  // A slot whose file cannot be written stays as it was.
  std::filesystem::create_directories(Folder() / "user_data/story/Story02.dat");
  EXPECT_EQ(SaveToSlot(data, 1), 0);
  EXPECT_EQ(g_SaveSlots[1].m_bValid, 0);
  EXPECT_EQ(SaveToSlot(data, 99), 0);

  cSaveData loaded;
  g_System->m_vLifeUnlimited.assign(3, 0);
  g_System->m_vLifeStart.assign(3, 5);
  loaded.m_nLife = cSaveData::kUnlimited;
  data.m_nLife = cSaveData::kUnlimited;
  ASSERT_EQ(SaveToSlot(data, 0), 1);
  ASSERT_EQ(LoadFromSlot(loaded, 0), 1);
  EXPECT_EQ(loaded.m_nScore, 12);
  EXPECT_EQ(loaded.m_nLife, 5);
  // A slot that cannot be read leaves the data alone.
  loaded.m_nScore = 3;
  EXPECT_EQ(LoadFromSlot(loaded, 5), 0);
  EXPECT_EQ(loaded.m_nScore, 3);
  g_System->m_vLifeUnlimited[1] = 1;
  EXPECT_EQ(loaded.LoadChallenge(), 0);
  std::filesystem::create_directories(Folder() / "user_data/challenge");
  ASSERT_EQ(SaveFile(data, "user_data\\challenge\\Challenge.dat"), 1);
  ASSERT_EQ(loaded.LoadChallenge(), 1);
  EXPECT_EQ(loaded.m_nLife, cSaveData::kUnlimited);
  EXPECT_EQ(loaded.m_nLifeStart, cSaveData::kUnlimited);
}

}  // namespace

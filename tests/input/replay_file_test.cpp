#include "input/replay_file.h"

#include <gtest/gtest.h>

#include <random>

#include "input/replay_name.h"
#include "input/replay_serving.h"
#include "project/global_data.h"
#include "tests/definitions/stage_layout.h"
#include "tests/project/project_test_support.h"

namespace {

constexpr const char* kPath = "user_data\\rpl4\\try.rpl4_878";

class ReplayFileTest : public GameFolderTest {
 protected:
  void SetUp() override {
    GameFolderTest::SetUp();
    StartProjectData();
    std::filesystem::create_directories(Folder() / "user_data" / "rpl4");
  }
  void TearDown() override {
    g_SaveData = cSaveData();
    StopProjectData();
    GameFolderTest::TearDown();
  }

  static cEdStage StageWithHero() {
    cEdStage stage;
    stage.m_vChara.resize(1);
    stage.m_vChara[0].m_nOperator = kOperatorPlayer;
    stage.m_vChara[0].m_nGraphicNo = 1;
    stage.TimeLimit = 77;
    stage.Normalize();  // as every loaded stage is
    return stage;
  }
  static cReplay RandomReplay(unsigned seed) {
    std::mt19937 random(seed);
    cReplay replay;
    replay.m_nSeed = static_cast<std::int32_t>(random());
    cInput input;
    input.Init();
    for (int frame = 0; frame < 1000; ++frame) {
      if (random() % 10 == 0) input.m_wDir = static_cast<std::uint16_t>(random() % 16);
      if (random() % 7 == 0) input.m_wButton = static_cast<std::uint16_t>(random() % 256);
      replay.RecordFrame(input);
    }
    return replay;
  }
  std::vector<std::uint8_t> FileBytes(const char* name) const { return ReadAllBytes(Folder() / "user_data" / "rpl4" / name); }
  void WriteFileBytes(const char* name, const ByteFixture& bytes) const {
    bytes.WriteTo(Folder() / "user_data" / "rpl4" / name);
  }
};

TEST_F(ReplayFileTest, WrittenReplayReadsBackWithItsStageAndSnapshotAndWritesTheSameBytes) {
  cEdStage stage = StageWithHero();
  cEdStage working = stage;
  working.TimeLimit = 55;  // the play copy's settings are the ones stored
  cReplay replay = RandomReplay(1);
  cSaveData snapshot;
  snapshot.m_nLife = 7;
  snapshot.m_vVar[12] = 345;
  ASSERT_EQ(WriteReplayFile(replay, kPath, stage, working, snapshot), 1);

  cReplay readReplay;
  cEdStage readStage, readCopy;
  cSaveData readSave;
  ASSERT_EQ(ReadReplayFile(readReplay, kPath, readStage, readCopy, readSave), 1);
  EXPECT_EQ(readStage.TimeLimit, 55);
  EXPECT_EQ(readStage.FindHeroStart(), 0);
  EXPECT_EQ(readCopy.TimeLimit, 55);
  EXPECT_TRUE(readCopy.m_vChara.empty());
  EXPECT_TRUE(readCopy.m_vPaletteChara.empty());
  EXPECT_EQ(readReplay.m_nSeed, replay.m_nSeed);
  EXPECT_EQ(readReplay.m_vDirValue, replay.m_vDirValue);
  EXPECT_EQ(readReplay.m_vButtonLength, replay.m_vButtonLength);
  EXPECT_EQ(readSave.m_nLife, 7);
  EXPECT_EQ(readSave.m_vVar[12], 345);

  ASSERT_EQ(WriteReplayFile(readReplay, "user_data\\rpl4\\again.rpl4_878", readStage, readStage, readSave), 1);
  EXPECT_EQ(FileBytes("again.rpl4_878"), FileBytes("try.rpl4_878"));
}

// A replay of version 172: the stage, the replay, and no save data.
ByteFixture OldReplay() {
  ByteFixture file = StageFile(172, SmallStageSettings(), HeroStageParts(172));
  file.I32(1).I32(4242).I32(0);  // the record base: the seed
  file.I32(2).U16(1).U16(2);     // direction values
  file.I32(1).U16(8);            // button values
  file.I32(2).I32(30).I32(10);   // direction run lengths
  file.I32(1).I32(40);           // button run lengths
  return file;
}

TEST_F(ReplayFileTest, ReplayFromBeforeVersion173HasNoSnapshot) {
  WriteFileBytes("old.rpl4_878", OldReplay());
  cReplay replay;
  cEdStage stage, copy;
  cSaveData save;
  save.m_nLife = 3;
  ASSERT_EQ(ReadReplayFile(replay, "user_data\\rpl4\\old.rpl4_878", stage, copy, save), 1);
  EXPECT_EQ(replay.m_nSeed, 4242);
  EXPECT_EQ(replay.m_vDirLength[0], 30u);
  EXPECT_EQ(save.m_nLife, 3);  // left as it was
  cInput input;
  input.Init();
  int frames = 0;
  while (replay.PlayFrame(input) == 0) ++frames;
  EXPECT_EQ(frames, 40);
}

TEST_F(ReplayFileTest, DamagedNewerAndHeroLessFilesAreRefusedWithNothingChanged) {
  ByteFixture newer = OldReplay();
  std::vector<std::uint8_t> bytes = newer.Bytes();
  bytes[0] = 0x6F;  // 879
  bytes[1] = 0x03;
  ByteFixture newerFile;
  for (std::uint8_t b : bytes) newerFile.U8(b);
  WriteFileBytes("newer.rpl4_878", newerFile);

  ByteFixture truncated;
  for (std::size_t i = 0; i + 1 < OldReplay().Bytes().size(); ++i) truncated.U8(OldReplay().Bytes()[i]);
  WriteFileBytes("truncated.rpl4_878", truncated);

  cEdStage noHero;
  cReplay empty;
  cSaveData save;
  ASSERT_EQ(WriteReplayFile(empty, "user_data\\rpl4\\nohero.rpl4_878", noHero, noHero, save), 1);

  cReplay replay = RandomReplay(2);
  const cReplay before = replay;
  cEdStage stage = StageWithHero(), copy;
  save.m_nLife = 9;
  for (const char* name : {"user_data\\rpl4\\newer.rpl4_878", "user_data\\rpl4\\truncated.rpl4_878",
                           "user_data\\rpl4\\nohero.rpl4_878", "user_data\\rpl4\\missing.rpl4_878"}) {
    EXPECT_EQ(ReadReplayFile(replay, name, stage, copy, save), 0) << name;
    EXPECT_EQ(replay.m_vDirValue, before.m_vDirValue);
    EXPECT_EQ(stage.TimeLimit, 77);
    EXPECT_EQ(save.m_nLife, 9);
  }
  EXPECT_EQ(ReadReplayFile(replay, "user_data\\rpl4\\newer.rpl4_878", stage, copy, save), 0);
  EXPECT_EQ(g_bFileNewer, 1);
}

TEST_F(ReplayFileTest, FailedReadAndWriteOfTheRequestsAreMessagesOnly) {
  g_Replay = RandomReplay(3);
  g_strReplayFile = "before";
  EXPECT_FALSE(LoadChosenReplay("user_data\\rpl4\\missing.rpl4_878"));
  EXPECT_FALSE(SaveChosenReplay("no_such_folder\\x.rpl4_878", false));
  const auto boxes = platform::TakeHeadlessBoxes();
  EXPECT_EQ(boxes.size(), 2u);
  EXPECT_EQ(g_strReplayFile, "before");
}

TEST_F(ReplayFileTest, RequestsSaveTheChosenAttemptAndLoadItBack) {
  g_Stage = StageWithHero();
  g_PlayStage = g_Stage;
  g_ReplayPrev = RandomReplay(4);
  g_ReplaySaveDataPrev.m_nLife = 5;
  ASSERT_TRUE(SaveChosenReplay(kPath, true));
  g_Stage = cEdStage();
  g_Replay = cReplay();
  ASSERT_TRUE(LoadChosenReplay(kPath));
  EXPECT_EQ(g_strReplayFile, kPath);
  EXPECT_EQ(g_Replay.m_vButtonValue, g_ReplayPrev.m_vButtonValue);
  EXPECT_EQ(g_Stage.TimeLimit, 77);
  EXPECT_EQ(g_SaveData.m_nLife, 5);
}

TEST_F(ReplayFileTest, NameCarriesStageCodeTimeAndANumberWhenTaken) {
  const platform::LocalDateTime when{2026, 12, 1, 7, 8, 15, 0, 0};
  std::string name;
  EXPECT_EQ(MakeReplayFileName(name, "", when), 0);
  EXPECT_TRUE(name.empty());

  ASSERT_EQ(MakeReplayFileName(name, "data\\stg4\\forest.stg4_001", when), 1);
  EXPECT_EQ(name, "user_data\\rpl4\\forest__2026__12_07__08_15.rpl4_878");

  g_SaveData.m_nStageCode1 = 1;
  g_SaveData.m_nStageCode2 = 7;
  g_SaveData.m_nStageCode3 = 2;
  ASSERT_EQ(MakeReplayFileName(name, "data\\stg4\\forest.stg4_001", when), 1);
  EXPECT_EQ(name, "user_data\\rpl4\\forest_c007_2__2026__12_07__08_15.rpl4_878");

  WriteFileBytes("forest_c007_2__2026__12_07__08_15.rpl4_878", ByteFixture().U8(1));
  ASSERT_EQ(MakeReplayFileName(name, "forest.stg4_001", when), 1);
  EXPECT_EQ(name, "user_data\\rpl4\\forest_c007_2__2026__12_07__08_15 (2).rpl4_878");
}

TEST_F(ReplayFileTest, AfterNumber999TheLastNameIsProposed) {
  const platform::LocalDateTime when{2026, 1, 0, 2, 3, 4, 0, 0};
  const std::string base = "s__2026__01_02__03_04";
  WriteFileBytes((base + ".rpl4_878").c_str(), ByteFixture().U8(1));
  for (int n = 2; n <= 999; ++n)
    WriteFileBytes((base + " (" + std::to_string(n) + ").rpl4_878").c_str(), ByteFixture().U8(1));
  ForgetGameFolderListings();
  std::string name;
  ASSERT_EQ(MakeReplayFileName(name, "s.stg4_000", when), 1);
  EXPECT_EQ(name, "user_data\\rpl4\\" + base + " (999).rpl4_878");
}

}  // namespace

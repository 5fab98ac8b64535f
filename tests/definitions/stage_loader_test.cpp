// Loading stage files on the loader thread: numbered files, the end check,
// failed reads and stages without a hero start, each leaving g_Stage as it
// was when refused.
#include "definitions/stage/stage_loader.h"

#include <gtest/gtest.h>

#include <atomic>

#include "definitions/stage/stage_file.h"
#include "platform/clock.h"
#include "platform/main_thread.h"
#include "tests/definitions/stage_layout.h"
#include "tests/support/damaged_copies.h"

namespace {

class StageLoaderTest : public GameFolderTest {
 protected:
  void SetUp() override {
    GameFolderTest::SetUp();
    StartProjectData();
    g_Stage.SetDefaults();
    g_Stage.Width = 7;
  }
  void TearDown() override {
    StopProjectData();
    platform::ResetMainThreadState();
    GameFolderTest::TearDown();
  }

  static ByteFixture StageOfWidth(std::int32_t width, std::uint32_t version = 878) {
    FieldValues settings = SmallStageSettings();
    settings[1] = width;
    return StageFile(version, settings, HeroStageParts(version));
  }

  std::vector<std::string> BoxTexts() {
    std::vector<std::string> texts;
    for (const platform::ShownBox& box : platform::TakeHeadlessBoxes()) texts.push_back(box.text);
    return texts;
  }

  cThread loader_;
};

TEST_F(StageLoaderTest, NumberedNameTakesTheHighestNumber) {
  StageOfWidth(31).WriteTo(Folder() / "data/stg4/forest.stg4_001");
  StageOfWidth(40).WriteTo(Folder() / "data/stg4/forest.stg4_010");
  cEdStage copy;
  cEdChara hero;
  ASSERT_EQ(LoadStageThreaded(loader_, "data\\stg4\\forest.stg4_***", 1, &copy, &hero), 1);
  EXPECT_EQ(g_Stage.Width, 40);
  EXPECT_EQ(g_Stage.FilePath, "data\\stg4\\forest.stg4_010");
  EXPECT_EQ(g_Stage.Numbered, 1);
  EXPECT_EQ(g_Stage.Loaded, 1);
  EXPECT_EQ(copy.Width, 40);
  EXPECT_TRUE(copy.m_vChara.empty());
  EXPECT_TRUE(copy.m_vPaletteBlock.empty());
  EXPECT_EQ(copy.m_vBackground.size(), 1u);
  EXPECT_EQ(hero.m_nGraphicNo, 5);
  EXPECT_EQ(hero.m_nColumn, 2);
  EXPECT_TRUE(BoxTexts().empty());
}

TEST_F(StageLoaderTest, MissingNumberedFileFailsQuietly) {
  EXPECT_EQ(LoadStageThreaded(loader_, "data\\stg4\\nothing", 1, nullptr, nullptr), 0);
  EXPECT_TRUE(BoxTexts().empty());
  EXPECT_EQ(g_Stage.Width, 7);
}

TEST_F(StageLoaderTest, DamagedTrailerIsRefusedBeforeAnyRead) {
  ByteFixture file = StageOfWidth(40);
  std::vector<std::uint8_t> bytes = file.Bytes();
  bytes.back() ^= 0x55;
  ByteFixture damaged;
  for (std::uint8_t b : bytes) damaged.U8(b);
  damaged.WriteTo(Folder() / "broken.stg4_000");
  EXPECT_EQ(CheckStageFileEnd("broken.stg4_000"), 0);
  const std::vector<std::string> texts = BoxTexts();
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0], "ステージファイル broken.stg4_000 が破損しています！");
  EXPECT_TRUE(platform::ForcedCloseRaised());
  EXPECT_EQ(LoadStageThreaded(loader_, "broken.stg4_000", 0, nullptr, nullptr), 0);
  EXPECT_EQ(g_Stage.Width, 7);
}

TEST_F(StageLoaderTest, EndCheckSkipsOlderAndUnreadableFiles) {
  ByteFixture old = StageOfWidth(40, 173);
  std::vector<std::uint8_t> bytes = old.Bytes();
  bytes.back() ^= 0x55;
  ByteFixture changed;
  for (std::uint8_t b : bytes) changed.U8(b);
  changed.WriteTo(Folder() / "old.stg4_000");
  EXPECT_EQ(CheckStageFileEnd("old.stg4_000"), 1);
  EXPECT_EQ(CheckStageFileEnd("missing.stg4_000"), 1);
  DataFile(900, ByteFixture()).WriteTo(Folder() / "newer.stg4_000");
  EXPECT_EQ(CheckStageFileEnd("newer.stg4_000"), 1);
  EXPECT_TRUE(BoxTexts().empty());
}

TEST_F(StageLoaderTest, FailedReadShowsTheLoadMessage) {
  ByteFixture file = StageOfWidth(40, 172);
  std::vector<std::uint8_t> bytes = file.Bytes();
  bytes.resize(bytes.size() - 3);
  ByteFixture truncated;
  for (std::uint8_t b : bytes) truncated.U8(b);
  truncated.WriteTo(Folder() / "short.stg4_000");
  DataFile(900, ByteFixture()).WriteTo(Folder() / "newer.stg4_000");
  for (const char* name : {"short.stg4_000", "newer.stg4_000"}) {
    SCOPED_TRACE(name);
    EXPECT_EQ(LoadStageThreaded(loader_, name, 0, nullptr, nullptr), 0);
    const std::vector<std::string> texts = BoxTexts();
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0], "ステージファイル " + std::string(name) + " の読み込みに失敗しました！");
    EXPECT_EQ(g_Stage.Width, 7);
  }
}

// However the file is damaged, the report says so in one line: a count that
// the damage lowered is no short record, and a file too short for its head
// is not reported by the end check and again by the read.
TEST_F(StageLoaderTest, DamagedCopiesAreReportedInOneLine) {
  std::filesystem::create_directories(Folder() / "data/stg4");
  ExpectOneReportLinePerDamagedCopy(StageOfWidth(40).Bytes(), Folder() / "data/stg4/damaged.stg4_000",
                                    "data\\stg4\\damaged.stg4_000", Folder() / "Report_Game.txt", [this] {
                                      platform::ResetMainThreadState();
                                      const int loaded = LoadStageThreaded(
                                          loader_, "data\\stg4\\damaged.stg4_000", 0, nullptr, nullptr);
                                      platform::TakeHeadlessBoxes();
                                      return loaded == 1;
                                    });
}

TEST_F(StageLoaderTest, StageWithoutAHeroStartIsRefused) {
  StageParts parts = HeroStageParts(878);
  parts.charas = {CharaStream(878, {{13, 5}, {26, 1}})};
  StageFile(878, SmallStageSettings(), parts).WriteTo(Folder() / "nohero.stg4_000");
  EXPECT_EQ(LoadStageThreaded(loader_, "nohero.stg4_000", 0, nullptr, nullptr), 0);
  const std::vector<std::string> texts = BoxTexts();
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0], "主人公が配置されていないのでプレイできません！");
  EXPECT_TRUE(platform::ForcedCloseRaised());
  EXPECT_EQ(g_Stage.Width, 7);
}

TEST_F(StageLoaderTest, OlderFileKeepsThePreviousStageValuesItLacks) {
  g_Stage.RankingSwitches = {0, 0, 1, 1, 1};
  StageParts parts = HeroStageParts(878);
  parts.ranking.clear();
  StageFile(878, SmallStageSettings(), parts).WriteTo(Folder() / "keep.stg4_000");
  ASSERT_EQ(LoadStageThreaded(loader_, "keep.stg4_000", 0, nullptr, nullptr), 1);
  EXPECT_EQ(g_Stage.RankingSwitches, (cVector<std::uint32_t>{0, 0, 1, 1, 1}));
}

TEST_F(StageLoaderTest, QuitMessageToTheCallerEndsTheLoadWithoutAStage) {
  StageOfWidth(40).WriteTo(Folder() / "quit.stg4_000");
  std::atomic<bool> go{false};
  std::atomic<int> result{-1};
  cThread caller;
  ASSERT_TRUE(caller.Start([&] {
    while (!go) platform::SleepMs(1);
    result = LoadStageThreaded(loader_, "quit.stg4_000", 0, nullptr, nullptr);
    return 0u;
  }));
  ASSERT_TRUE(caller.PostMessage(WM_QUIT));
  go = true;
  caller.Wait();
  EXPECT_EQ(result, 0);
  EXPECT_EQ(g_Stage.Width, 7);
  EXPECT_FALSE(loader_.IsRunning());
  EXPECT_TRUE(BoxTexts().empty());
}

}  // namespace

// Rankings: the insert order of a table, the ranking file as hand-written
// bytes (round trip, the repair of version-180 files, damaged files), its
// path per play mode, clear-time text and the genre stepping.
#include <gtest/gtest.h>

#include <climits>

#include "project/global_data.h"
#include "screens/ranking/ranking_files.h"
#include "screens/ranking/ranking_genre.h"
#include "screens/ranking/time_text.h"
#include "tests/project/byte_fixture.h"
#include "tests/project/project_test_support.h"

namespace {

struct Row {
  std::int32_t used;
  const char* name;
  std::int32_t score;
};

std::vector<std::int32_t> Scores(const cRankingTable& table) {
  std::vector<std::int32_t> scores;
  for (const cRankingEntry& entry : table.m_vEntries)
    if (entry.m_bUsed) scores.push_back(entry.m_nScore);
  return scores;
}

TEST(RankingTableTest, AnEmptyTableTakesTheFirstResultAtRowZero) {
  for (int order : {0, 1}) {
    cRankingTable table;
    table.m_nOrder = order;
    EXPECT_EQ(table.FindInsertPos(-5), 0);
    table.Insert("abc", -5);
    ASSERT_EQ(table.m_vEntries.size(), 20u);
    EXPECT_EQ(table.m_vEntries[0].m_strName, "abc");
    EXPECT_EQ(Scores(table), std::vector<std::int32_t>{-5});
  }
}

TEST(RankingTableTest, BothOrdersSortAndTiesGoAfterTheirEquals) {
  cRankingTable higher;
  higher.m_nOrder = 1;
  cRankingTable lower;
  lower.m_nOrder = 0;
  int n = 0;
  for (std::int32_t score : {50, 70, 50, 10, 70, 60}) {
    const std::string name(1, static_cast<char>('a' + n++));
    higher.Insert(name, score);
    lower.Insert(name, score);
  }
  EXPECT_EQ(Scores(higher), (std::vector<std::int32_t>{70, 70, 60, 50, 50, 10}));
  EXPECT_EQ(Scores(lower), (std::vector<std::int32_t>{10, 50, 50, 60, 70, 70}));
  // The earlier of two equal results stays ahead.
  EXPECT_EQ(higher.m_vEntries[0].m_strName, "b");
  EXPECT_EQ(higher.m_vEntries[1].m_strName, "e");
  EXPECT_EQ(lower.m_vEntries[1].m_strName, "a");
  EXPECT_EQ(lower.m_vEntries[2].m_strName, "c");
}

TEST(RankingTableTest, AFullTableKeepsItsLengthAndIgnoresAWorseResult) {
  cRankingTable table;
  table.m_nOrder = 1;
  for (int i = 0; i < 20; ++i) table.Insert("p", 1000 - i * 10);  // 1000 .. 810
  const std::vector<std::int32_t> full = Scores(table);
  ASSERT_EQ(full.size(), 20u);
  EXPECT_EQ(table.FindInsertPos(810), -1);
  table.Insert("worse", 810);
  table.Insert("worst", 5);
  EXPECT_EQ(Scores(table), full);
  table.Insert("best", 2000);
  EXPECT_EQ(table.m_vEntries.size(), 20u);
  EXPECT_EQ(table.m_vEntries[0].m_strName, "best");
  EXPECT_EQ(table.m_vEntries[19].m_nScore, 820);
  // An empty name stays empty.
  table.Insert("", 3000);
  EXPECT_EQ(table.m_vEntries[0].m_strName, "");
  EXPECT_EQ(table.m_vEntries[0].m_bUsed, 1);
}

TEST(RankingTest, ANewRankingHasFiveTablesOfTwentyRowsAndOrders11011) {
  const cRanking ranking;
  ASSERT_EQ(ranking.m_vTables.size(), 5u);
  const int orders[] = {1, 1, 0, 1, 1};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(ranking.m_vTables[i].m_nOrder, orders[i]);
    EXPECT_EQ(ranking.m_vTables[i].m_vEntries.size(), 20u);
  }
  EXPECT_EQ(g_Ranking.m_vTables.size(), 5u);
}

TEST(FormatTimeTest, MinutesSecondsAndHundredthsWithNegatives) {
  std::string text;
  const std::pair<std::int32_t, const char*> cases[] = {
      {8345, "01:23.45"},   {0, "00:00.00"},      {5, "00:00.05"},         {599999, "99:59.99"},
      {600000, "100:00.00"}, {-8345, "-01:23.45"}, {-1, "-00:00.01"},
      {INT_MIN, "-357913:56.48"}, {INT_MAX, "357913:56.47"}};
  for (const auto& [value, expected] : cases) {
    FormatTime(text, value);
    EXPECT_EQ(text, expected) << value;
  }
}

// A ranking file written byte by byte: version head, the ranking's record
// stream (no fields), the table count, then per table its record stream
// (order), the row count and the rows.
ByteFixture RankingFile(std::uint32_t version, const std::vector<std::pair<int, std::vector<Row>>>& tables,
                        std::int64_t tableCount = -1) {
  ByteFixture f;
  f.I32(static_cast<std::int32_t>(version));
  f.I32(0).I32(0);
  f.I32(tableCount != -1 ? static_cast<std::int32_t>(tableCount) : static_cast<std::int32_t>(tables.size()));
  for (const auto& [order, rows] : tables) {
    f.I32(1).I32(order).I32(0);
    f.I32(static_cast<std::int32_t>(rows.size()));
    for (const Row& row : rows) f.I32(2).I32(row.used).I32(row.score).I32(1).Str(row.name);
  }
  return f;
}

std::vector<Row> FullRows(int best) {
  std::vector<Row> rows;
  for (int i = 0; i < 20; ++i) rows.push_back({i < 3 ? 1 : 0, i < 3 ? "abc" : "", i < 3 ? best - i : 0});
  return rows;
}

class RankingFileTest : public GameFolderTest {
 protected:
  void SetUp() override {
    GameFolderTest::SetUp();
    StartProjectData();
    std::filesystem::create_directories("user_data/story");
    std::filesystem::create_directories("user_data/challenge");
    std::filesystem::create_directories("user_data/free");
  }
  void TearDown() override {
    StopProjectData();
    GameFolderTest::TearDown();
  }
  // A ranking whose tables all differ from the defaults, to see a reset.
  static cRanking Dirty() {
    cRanking ranking;
    for (cRankingTable& table : ranking.m_vTables) table.Insert("zzz", 1);
    ranking.m_vTables.pop_back();
    return ranking;
  }
  static void ExpectDefault(const cRanking& ranking) {
    const cRanking fresh;
    ASSERT_EQ(ranking.m_vTables.size(), 5u);
    for (int i = 0; i < 5; ++i) {
      EXPECT_EQ(ranking.m_vTables[i].m_nOrder, fresh.m_vTables[i].m_nOrder);
      EXPECT_EQ(ranking.m_vTables[i].m_vEntries.size(), 20u);
      EXPECT_TRUE(Scores(ranking.m_vTables[i]).empty());
    }
  }
  int Load(cRanking& ranking) { return LoadRanking(ranking, 1, "data\\stg4\\c01.", 0, 0, 0); }
  const char* kPath = "user_data/challenge/c01.rkg";
};

TEST_F(RankingFileTest, PathsPerModeWithStageCodesInStoryOnly) {
  EXPECT_EQ(RankingFilePath(0, "data\\stg4\\c01.", 0, 7, 2), "user_data\\story\\c01.rkg");
  EXPECT_EQ(RankingFilePath(0, "data\\stg4\\c01.", 1, 7, 2), "user_data\\story\\c01_c007_2.rkg");
  EXPECT_EQ(RankingFilePath(1, "data\\stg4\\c01.", 1, 7, 2), "user_data\\challenge\\c01.rkg");
  EXPECT_EQ(RankingFilePath(2, "free.", 1, 7, 2), "user_data\\free\\free.rkg");
  EXPECT_FALSE(RankingFilePath(3, "c01.", 0, 0, 0).has_value());
  // Every stage of a run is recorded under the name the save data cuts for
  // its first stage, so the run shares one ranking.
  cSaveData data;
  SetCurrentStage(data, "data\\stg4\\c01-1.stg4", 1, 7, 2);
  EXPECT_EQ(RankingFilePath(0, data.m_strStage, data.m_nStageCode1, data.m_nStageCode2, data.m_nStageCode3),
            "user_data\\story\\c01_c007_2.rkg");
  EXPECT_EQ(RankingFilePath(2, data.m_strStage, 1, 7, 2), "user_data\\free\\c01.rkg");
  EXPECT_FALSE(RankingFilePath(-1, "c01.", 0, 0, 0).has_value());
  // A replay has no file: loading resets, saving fails.
  cRanking ranking = Dirty();
  EXPECT_EQ(LoadRanking(ranking, 3, "c01.", 0, 0, 0), 0);
  ExpectDefault(ranking);
  EXPECT_FALSE(SaveRanking(ranking, 3, "c01.", 0, 0, 0));
}

TEST_F(RankingFileTest, AFileOf878LoadsAndSavesBackByteForByte) {
  std::vector<std::pair<int, std::vector<Row>>> tables;
  for (int i = 0; i < 5; ++i) tables.push_back({i == 2 ? 0 : 1, FullRows(900 + i)});
  const ByteFixture file = RankingFile(878, tables);
  file.WriteTo(kPath);
  cRanking ranking = Dirty();
  ASSERT_EQ(Load(ranking), 1);
  EXPECT_EQ(Scores(ranking.m_vTables[3]), (std::vector<std::int32_t>{903, 902, 901}));
  EXPECT_EQ(ranking.m_vTables[3].m_vEntries[0].m_strName, "abc");
  std::filesystem::remove(kPath);
  ASSERT_TRUE(SaveRanking(ranking, 1, "data\\stg4\\c01.", 0, 0, 0));
  EXPECT_EQ(ReadAllBytes(kPath), file.Bytes());
}

TEST_F(RankingFileTest, AFileOfVersion180GetsFiveTablesWithOrders11011) {
  RankingFile(180, {{1, FullRows(50)}, {1, FullRows(40)}, {0, FullRows(30)}}).WriteTo(kPath);
  cRanking ranking = Dirty();
  ASSERT_EQ(Load(ranking), 1);
  ASSERT_EQ(ranking.m_vTables.size(), 5u);
  const int orders[] = {1, 1, 0, 1, 1};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(ranking.m_vTables[i].m_nOrder, orders[i]) << i;
    EXPECT_EQ(ranking.m_vTables[i].m_vEntries.size(), 20u);
  }
  EXPECT_EQ(Scores(ranking.m_vTables[2]), (std::vector<std::int32_t>{30, 29, 28}));
  EXPECT_TRUE(Scores(ranking.m_vTables[4]).empty());
  // Even stored orders of 0 in the new tables' places become 1 in old files.
  RankingFile(180, {{1, FullRows(5)}, {1, FullRows(5)}, {0, FullRows(5)}, {0, {}}, {0, {}}}).WriteTo(kPath);
  ASSERT_EQ(Load(ranking), 1);
  EXPECT_EQ(ranking.m_vTables[3].m_nOrder, 1);
  EXPECT_EQ(ranking.m_vTables[4].m_nOrder, 1);
}

TEST_F(RankingFileTest, AnyLoadedRankingHasFiveTablesOfTwentyRows) {
  // Seven tables of 25 rows and two of 3: surplus dropped, missing rows appended.
  std::vector<Row> long_(25, Row{1, "abc", 7});
  std::vector<std::pair<int, std::vector<Row>>> tables(7, {1, long_});
  tables[1] = {0, {{1, "x", 3}, {1, "y", 2}, {0, "", 0}}};
  RankingFile(878, tables).WriteTo(kPath);
  cRanking ranking;
  ASSERT_EQ(Load(ranking), 1);
  ASSERT_EQ(ranking.m_vTables.size(), 5u);
  for (const cRankingTable& table : ranking.m_vTables) EXPECT_EQ(table.m_vEntries.size(), 20u);
  EXPECT_EQ(ranking.m_vTables[1].m_nOrder, 0);
  EXPECT_EQ(Scores(ranking.m_vTables[1]), (std::vector<std::int32_t>{3, 2}));
  // Two tables only: the other three as a reset makes them.
  RankingFile(878, {{0, FullRows(9)}, {0, FullRows(9)}}).WriteTo(kPath);
  ASSERT_EQ(Load(ranking), 1);
  EXPECT_EQ(ranking.m_vTables[0].m_nOrder, 0);
  EXPECT_EQ(ranking.m_vTables[2].m_nOrder, 0);
  EXPECT_EQ(ranking.m_vTables[3].m_nOrder, 1);
  EXPECT_TRUE(Scores(ranking.m_vTables[4]).empty());
}

TEST_F(RankingFileTest, MissingDamagedShortOversizedAndNewerFilesGiveTheDefaultTables) {
  cRanking ranking = Dirty();
  EXPECT_EQ(Load(ranking), 0);  // missing
  ExpectDefault(ranking);

  std::vector<std::pair<int, std::vector<Row>>> tables(5, {1, FullRows(99)});
  const std::vector<std::uint8_t> good = RankingFile(878, tables).Bytes();
  struct Bad {
    const char* what;
    std::vector<std::uint8_t> bytes;
  };
  std::vector<Bad> bad;
  bad.push_back({"cut in the middle", std::vector<std::uint8_t>(good.begin(), good.begin() + good.size() / 2)});
  bad.push_back({"head only", std::vector<std::uint8_t>(good.begin(), good.begin() + 4)});
  bad.push_back({"empty", {}});
  bad.push_back({"huge table count", RankingFile(878, tables, 0x7FFFFFFF).Bytes()});
  bad.push_back({"negative table count", RankingFile(878, tables, -3LL).Bytes()});
  std::vector<std::uint8_t> rowCount = good;
  rowCount[4 + 8 + 4 + 12] = 0xFF;  // first table's row count, low byte
  rowCount[4 + 8 + 4 + 12 + 3] = 0x7F;
  bad.push_back({"huge row count", rowCount});
  bad.push_back({"newer version", RankingFile(879, tables).Bytes()});
  for (const Bad& b : bad) {
    ByteFixture f;
    for (std::uint8_t byte : b.bytes) f.U8(byte);
    f.WriteTo(kPath);
    ranking = Dirty();
    EXPECT_EQ(Load(ranking), 0) << b.what;
    ExpectDefault(ranking);
  }
  // Damage is reported, naming the file.
  const std::vector<std::uint8_t> report = ReadAllBytes(Folder() / "Report_Game.txt");
  EXPECT_NE(std::string(report.begin(), report.end()).find("c01.rkg"), std::string::npos);
}

TEST_F(RankingFileTest, AFailedSaveReportsAndKeepsTheOldFile) {
  cRanking ranking;
  ASSERT_TRUE(SaveRanking(ranking, 2, "st.", 0, 0, 0));
  const auto before = ReadAllBytes("user_data/free/st.rkg");
  std::filesystem::remove_all("user_data/challenge");
  EXPECT_FALSE(SaveRanking(ranking, 1, "st.", 0, 0, 0));
  // A stage name cannot lead the file out of the ranking folder.
  ranking.m_vTables[0].Insert("new", 5);
  EXPECT_TRUE(SaveRanking(ranking, 2, "..\\..\\st.", 0, 0, 0));
  EXPECT_NE(ReadAllBytes("user_data/free/st.rkg"), before);
}

TEST_F(RankingFileTest, GenresStepOverTheRankedOnesOfTheMode) {
  cRankingSetting& story = g_System->m_vRankingSettings[0];
  story.m_bOn = 1;
  story.m_vGenre = {1, 0, 1, 0, 1};
  cSaveData data;
  data.m_nRankingGenre = 1;
  StepRankingGenre(data, 0, 0);  // an unranked genre moves on
  EXPECT_EQ(data.m_nRankingGenre, 2);
  StepRankingGenre(data, 0, 0);  // a ranked one stays
  EXPECT_EQ(data.m_nRankingGenre, 2);
  const std::pair<int, int> steps[] = {{1, 4}, {1, 0}, {-1, 4}, {2, 2}, {3, 2}, {-7, 0}, {INT_MIN, 2}};
  for (const auto& [step, expected] : steps) {
    StepRankingGenre(data, 0, step);
    EXPECT_EQ(data.m_nRankingGenre, expected) << step;
  }
  // A mode whose ranking is off leaves the genre alone.
  story.m_bOn = 0;
  data.m_nRankingGenre = 3;
  StepRankingGenre(data, 0, 1);
  EXPECT_EQ(data.m_nRankingGenre, 3);
}

}  // namespace

// The generated game through the player's own loaders: every project file
// loads with the values the builders gave it, damaged copies of every file
// kind are reported in one line, the world map can be walked, and every
// bitmap that start-up, the title, the world map and a stage load comes up in
// each drawing mode with the palette and transparent colour.
#include <gtest/gtest.h>
#include <unistd.h>

#include <deque>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "definitions/save_data/save_slots.h"
#include "definitions/stage/stage_record.h"
#include "foundation/game_files.h"
#include "foundation/log.h"
#include "generated_game.h"
#include "graphics/device/device.h"
#include "graphics/images/bitmap_table.h"
#include "graphics/images/palette.h"
#include "graphics/images/palette_file.h"
#include "input/replay.h"
#include "input/replay_file.h"
#include "platform/message_box.h"
#include "project/data_paths.h"
#include "project/global_data.h"
#include "project/user_option.h"
#include "screens/ranking/ranking_files.h"
#include "screens/ranking/ranking_records.h"
#include "tests/support/damaged_copies.h"
#include "tools/sample_game/project_files.h"
#include "tools/sample_game/sample_palette.h"

namespace {

using sample_game_test::GeneratedGame;
using sample_game_test::InGameFolder;

std::vector<char> FileBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(SampleGameLoad, ProjectFilesLoadWithTheBuildersValues) {
  InGameFolder inGame;
  g_Database.Start();
  ASSERT_EQ(LoadDatabases(*g_Database), 1);
  const cDatabase built = sample_game::BuildDatabase();
  EXPECT_EQ(g_Database->m_vAnimeSet.size(), built.m_vAnimeSet.size());
  EXPECT_EQ(g_Database->m_vAnimeSet[1].m_vAnime[1].m_vFrames.size(), 4u);
  EXPECT_EQ(g_Database->m_vBmpCharaExc[1].m_nCellScale, 2);
  EXPECT_EQ(g_Database->m_vSwordType[1].m_vEntries.size(), 3u);
  EXPECT_EQ(g_Database->m_vSound.size(), built.m_vSound.size());
  EXPECT_EQ(g_Database->m_vBgm[sample_game::kBgmStage].m_strFile, "bgm\\Stage.ogg");
  EXPECT_EQ(g_Database->m_vCharaEffect[0].m_nKind, 0);

  cSystem system;
  ASSERT_EQ(LoadFile(system, g_Paths[PATH_SYSTEM]), 1);
  EXPECT_EQ(system.m_strTitle, sample_game::BuildSystemRecord().m_strTitle);
  EXPECT_EQ(system.m_nColorMode, 0);  // a palette project: 8-bit full screen is allowed
  ASSERT_EQ(system.m_vSoundFiles.size(), 17u);
  for (const std::string& file : system.m_vSoundFiles) EXPECT_TRUE(std::filesystem::exists(ResolveGamePath(file))) << file;
  for (std::int32_t bgm : system.m_vScreenBgm) {
    EXPECT_GT(bgm, 0);
    EXPECT_LT(static_cast<std::size_t>(bgm), g_Database->m_vBgm.size());  // survives the range fix
  }
  g_Database.Stop();

  cWorldMap map;
  ASSERT_EQ(LoadFile(map, g_Paths[PATH_WORLD_MAP]), 1);
  EXPECT_EQ(map.m_vPoint.size(), static_cast<std::size_t>(sample_game::kStoryStageCount));
  EXPECT_EQ(map.HasStage("data\\stg4\\Stage1.", 0, 0, 0), 1);
}

TEST(SampleGameLoad, DefaultFolderHoldsTheSameProject) {
  for (const char* name : {"System.dat", "WorldMap.dat", "database/Anime.dat", "database/Bgm.dat"})
    EXPECT_EQ(FileBytes(GeneratedGame() / "data" / name), FileBytes(GeneratedGame() / "default" / name)) << name;
}

// Every point can be reached from the start cell over cells the cursor may enter.
TEST(SampleGameLoad, WorldMapPointsAreReachableFromTheStart) {
  const cWorldMap map = sample_game::BuildWorldMap();
  auto passable = [&](int x, int y) {
    for (const cWorldPoint& p : map.m_vPoint)
      if (p.m_nX == x && p.m_nY == y) return true;
    return map.m_vTile[map.m_vCell[(y << map.m_nPitchShift) + x]].m_bBlock == 0;
  };
  ASSERT_TRUE(passable(map.m_nStartX, map.m_nStartY));
  std::vector<bool> seen(static_cast<std::size_t>(map.m_nWidth * map.m_nHeight), false);
  std::deque<std::pair<int, int>> open{{map.m_nStartX, map.m_nStartY}};
  seen[map.m_nStartY * map.m_nWidth + map.m_nStartX] = true;
  while (!open.empty()) {
    auto [x, y] = open.front();
    open.pop_front();
    for (auto [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
      const int nx = x + dx, ny = y + dy;
      if (nx < 0 || ny < 0 || nx >= map.m_nWidth || ny >= map.m_nHeight || seen[ny * map.m_nWidth + nx]) continue;
      if (!passable(nx, ny)) continue;
      seen[ny * map.m_nWidth + nx] = true;
      open.push_back({nx, ny});
    }
  }
  for (const cWorldPoint& p : map.m_vPoint) EXPECT_TRUE(seen[p.m_nY * map.m_nWidth + p.m_nX]) << p.m_nX << "," << p.m_nY;
}

// A game folder of its own with a copy of the generated game's project
// files, which the test may damage, and its own report.
class ScratchGameFolder {
 public:
  ScratchGameFolder()
      : previous_(std::filesystem::current_path()),
        folder_(std::filesystem::temp_directory_path() / ("sample_damaged_" + std::to_string(::getpid()))) {
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
    std::filesystem::copy(GeneratedGame() / "data", folder_ / "data",
                          std::filesystem::copy_options::recursive);
    for (const char* saves : {"story", "challenge", "free", "rpl4"})
      std::filesystem::create_directories(folder_ / "user_data" / saves);
    std::filesystem::current_path(folder_);
    ForgetGameFolderListings();
    InitReport(Report());
  }
  ~ScratchGameFolder() {
    std::filesystem::current_path(previous_);
    std::filesystem::remove_all(folder_);
    ForgetGameFolderListings();
    platform::TakeHeadlessBoxes();
  }
  ScratchGameFolder(const ScratchGameFolder&) = delete;
  ScratchGameFolder& operator=(const ScratchGameFolder&) = delete;
  std::filesystem::path Report() const { return folder_ / "Report_Game.txt"; }

 private:
  std::filesystem::path previous_, folder_;
};

// Save data with a carried hero whose flows hold commands: records nested
// four deep.
cSaveData SaveDataWithACarriedHero() {
  cSaveData save;
  save.m_vCarryChara[0].m_Chara.m_vFlows.resize(1);
  save.m_vCarryChara[0].m_Chara.m_vFlows[0].m_vCmds.resize(2);
  save.SetStageValue("a.", "a_c001_1.", 1, 1, 1, 40);
  return save;
}

// The database list's own load, which the database load runs for each file.
template <typename Record>
std::function<bool()> ListLoader(PathIndex path) {
  return [path] {
    cVector<Record> list;
    return LoadDatabaseList(list, g_Paths[path], Record()) == 1;
  };
}

// Every kind of data file, damaged in many ways (counts of nested records
// among them), is reported in one line by its own loader.
TEST(SampleGameLoad, DamagedCopiesOfEveryFileKindAreReportedInOneLine) {
  ScratchGameFolder game;
  StartProjectData();
  ASSERT_EQ(LoadDatabases(*g_Database), 1);
  auto sweep = [&](const std::string& storedPath, const std::function<bool()>& load) {
    SCOPED_TRACE(storedPath);
    const std::filesystem::path file = ResolveGamePath(storedPath);
    const std::vector<char> valid = FileBytes(file);
    ExpectOneReportLinePerDamagedCopy({valid.begin(), valid.end()}, file, storedPath, game.Report(), load);
  };

  sweep(std::string(g_Paths[PATH_ANIME_SET]), ListLoader<cAnimeSet>(PATH_ANIME_SET));
  sweep(std::string(g_Paths[PATH_SWORD_TYPE]), ListLoader<cSwordType>(PATH_SWORD_TYPE));
  sweep(std::string(g_Paths[PATH_CHARA_EFFECT]), ListLoader<cCharaEffect>(PATH_CHARA_EFFECT));
  sweep(std::string(g_Paths[PATH_SYSTEM]), [] {
    cSystem system;
    return LoadFile(system, g_Paths[PATH_SYSTEM]) == 1;
  });
  sweep(std::string(g_Paths[PATH_WORLD_MAP]), [] {
    cWorldMap map;
    return LoadFile(map, g_Paths[PATH_WORLD_MAP]) == 1;
  });

  cSaveData save = SaveDataWithACarriedHero();
  ASSERT_EQ(SaveFile(save, MakeSaveFileName(0)), 1);
  sweep(MakeSaveFileName(0), [] {
    cSaveData loaded;
    return LoadFromSlot(loaded, 0) == 1;
  });
  ASSERT_EQ(SaveFile(save, g_Paths[PATH_CHALLENGE_SAVE]), 1);
  sweep(std::string(g_Paths[PATH_CHALLENGE_SAVE]), [] {
    cSaveData loaded;
    return loaded.LoadChallenge() == 1;
  });

  cUserOption option;
  ASSERT_EQ(SaveFile(option, g_Paths[PATH_USER_OPTION]), 1);
  sweep(std::string(g_Paths[PATH_USER_OPTION]), [] {
    cUserOption loaded;
    return LoadFile(loaded, g_Paths[PATH_USER_OPTION]) == 1;
  });

  cRanking ranking;
  ASSERT_TRUE(SaveRanking(ranking, 2, "forest.", 0, 0, 0));
  sweep(*RankingFilePath(2, "forest.", 0, 0, 0), [] {
    cRanking loaded;
    return LoadRanking(loaded, 2, "forest.", 0, 0, 0) == 1;
  });

  cEdStage stage;
  ASSERT_EQ(LoadFile(stage, "data\\stg4\\Stage1.stg4_000"), 1);
  cReplay replay;
  replay.m_vDirValue = {1, 2};
  replay.m_vDirLength = {30, 40};
  const std::string replayPath = "user_data\\rpl4\\damaged.rpl4_878";
  ASSERT_EQ(WriteReplayFile(replay, replayPath, stage, stage, save), 1);
  sweep(replayPath, [&] {
    cReplay loaded;
    cEdStage loadedStage, stageCopy;
    cSaveData loadedSave;
    return ReadReplayFile(loaded, replayPath, loadedStage, stageCopy, loadedSave) == 1;
  });
  StopProjectData();
}

struct DrawingMode {
  const char* name;
  int direct3D;
  int bpp;
};

class SampleGameBitmaps : public testing::TestWithParam<DrawingMode> {
 protected:
  void SetUp() override {
    platform::TakeHeadlessBoxes();
    ASSERT_TRUE(DDInit(GetParam().direct3D, 640, 480, GetParam().bpp, 0, 1, 1, 60, 0, g_BmpSD, g_BmpTable, kBmpCount));
    if (GetParam().direct3D) LinkBitmapSurfaces();
  }
  void TearDown() override {
    DDRelease();
    EXPECT_TRUE(platform::TakeHeadlessBoxes().empty());
  }
  bool Load(std::vector<int> indices) { return LoadBmpSurfaces(g_BmpSD, indices.data(), static_cast<int>(indices.size())); }
};

TEST_P(SampleGameBitmaps, EveryScreensBitmapsLoadWithThePalette) {
  InGameFolder inGame;
  ASSERT_TRUE(DDLoadPaletteFromFile(g_PalEntries.data(), g_BmpTable[0].szPath, 1));
  for (int i = 0; i < 256; ++i) {
    const sample_game::Rgb& c = sample_game::SamplePalette()[i];
    ASSERT_EQ(g_PalEntries[i].peRed, c.r) << i;
    ASSERT_EQ(g_PalEntries[i].peBlue, c.b) << i;
  }
  ASSERT_TRUE(SetTrans(g_BmpTable[0].szPath));
  if (GetParam().direct3D) {
    EXPECT_EQ(lpDTCon->rgbTransmit.rgbtRed, sample_game::SamplePalette()[0].r);
  }

  EXPECT_TRUE(Load({1, 50}));              // start-up
  EXPECT_TRUE(Load({47, 48, 49, 45}));     // title
  EXPECT_EQ(g_BmpSD[47].nWidth, 640);
  EXPECT_EQ(g_BmpSD[45].nWidth, 640);     // the box image centres boxes on the screen
  const std::string worldBack = sample_game::BuildWorldMap().m_strBackBmp;
  std::snprintf(g_BmpTable[54].szPath, sizeof g_BmpTable[54].szPath, "%s", worldBack.c_str());
  EXPECT_TRUE(Load({54, 52, 53, 49, 45, 67}));  // world map
  EXPECT_EQ(g_BmpSD[54].nHeight, 480);
  std::vector<int> stage;
  for (int i = 2; i <= 47; ++i) stage.push_back(i);
  for (int i : {49, 51}) stage.push_back(i);
  for (int i = 55; i <= 70; ++i) stage.push_back(i);
  EXPECT_TRUE(Load(stage));
  EXPECT_EQ(g_BmpSD[4].nHeight, 480);   // 15 cells of 32 to a column
  EXPECT_EQ(g_BmpSD[20].nWidth, 480);   // 30 shot cells to a row
  EXPECT_EQ(g_BmpSD[46].nWidth, 640);   // the panel strip
  EXPECT_GE(g_BmpSD[49].nHeight, 209);  // the character gauges take the 2-dot rows
  EXPECT_GE(g_BmpSD[51].nHeight, 192);  // the time digits at row 160
}

INSTANTIATE_TEST_SUITE_P(Modes, SampleGameBitmaps,
                         testing::Values(DrawingMode{"Direct3D32", 1, 32}, DrawingMode{"DirectDraw32", 0, 32},
                                         DrawingMode{"DirectDraw8", 0, 8}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace

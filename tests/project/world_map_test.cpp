// The world map: a new map, resizing, loading hand-written files with their
// checks and mends, and the stage lookup by key name.

#include <gtest/gtest.h>

#include "foundation/message_box.h"
#include "project/world_map.h"
#include "tests/project/project_test_support.h"

namespace {

struct StageSpec {
  int kind;
  int code1, code2, code3;
  const char* file;
};

ByteFixture StageStream(std::uint32_t version, const StageSpec& stage) {
  ByteFixture f;
  const int ints = version >= 758 ? 14 : version >= 209 ? 11 : 10;
  f.I32(ints).I32(stage.kind);
  for (int i = 1; i < 10; ++i) f.I32(i);
  if (ints >= 11) f.I32(77);
  if (ints == 14) f.I32(stage.code1).I32(stage.code2).I32(stage.code3);
  f.I32(2).Str("stage").Str(stage.file);
  return f;
}

ByteFixture PointStream(std::uint32_t version, int x, int y, std::initializer_list<StageSpec> stages) {
  ByteFixture f;
  f.I32(2).I32(x).I32(y).I32(1).Str("p").I32(static_cast<int>(stages.size()));
  for (const StageSpec& stage : stages) f.Append(StageStream(version, stage));
  return f;
}

struct MapLayout {
  std::uint32_t version = 878;
  int width = 20, height = 15, pitch = 32, shift = 5;
  int startX = 3, startY = 4;
  int tiles = 2;
  std::vector<int> cells = std::vector<int>(15 * 32, 1);
  std::vector<ByteFixture> points;
};

ByteFixture MapFile(const MapLayout& layout) {
  ByteFixture f;
  f.I32(static_cast<int>(layout.version));
  f.I32(8).I32(layout.width).I32(layout.height).I32(layout.pitch).I32(layout.shift);
  f.I32(layout.startX).I32(layout.startY).I32(16).I32(0).I32(2).Str("map").Str("back.bmp");
  f.I32(layout.tiles);
  for (int i = 0; i < layout.tiles; ++i) f.I32(3).I32(0).I32(i % 2).I32(i).I32(2).Str("tile").Str("");
  f.I32(static_cast<int>(layout.cells.size()));
  for (int cell : layout.cells) f.I32(cell);
  f.I32(static_cast<int>(layout.points.size()));
  for (const ByteFixture& point : layout.points) f.Append(point);
  f.I32(0);
  return f;
}

TEST(WorldMap, NewMapIsTwentyByFifteen) {
  cWorldMap map;
  EXPECT_EQ(map.m_nWidth, 20);
  EXPECT_EQ(map.m_nHeight, 15);
  EXPECT_EQ(map.m_nPitch, 32);
  EXPECT_EQ(map.m_nPitchShift, 5);
  EXPECT_EQ(map.m_vCell.size(), 480u);
  EXPECT_EQ(map.m_nStartX, 9);
  EXPECT_EQ(map.m_nStartY, 7);
  EXPECT_EQ(map.m_strName, Cp932Literal("ワールド"));
  ASSERT_EQ(map.m_vPoint2.size(), 1u);
  EXPECT_EQ(map.m_vPoint2[0].m_strName, Cp932Literal("デフォルト"));
  ASSERT_EQ(map.m_vPoint2[0].m_vStage.size(), 1u);
  EXPECT_EQ(map.m_vPoint2[0].m_vStage[0].m_nCode2, 1);
  EXPECT_TRUE(map.m_vPoint.empty());
}

TEST(WorldMap, PitchIsTheSmallestPowerOfTwoNotBelowTheWidth) {
  EXPECT_EQ(PitchShiftForWidth(1), 0);
  EXPECT_EQ(PitchShiftForWidth(2), 1);
  EXPECT_EQ(PitchShiftForWidth(16), 4);
  EXPECT_EQ(PitchShiftForWidth(17), 5);
  EXPECT_EQ(PitchShiftForWidth(20), 5);
}

TEST(WorldMap, SetSizeKeepsEveryCellAtItsPlace) {
  cWorldMap map;
  for (int y = 0; y < 15; ++y)
    for (int x = 0; x < 20; ++x) map.m_vCell[(y << 5) + x] = y * 100 + x;
  ASSERT_EQ(map.SetSize(40, 15), 1);
  EXPECT_EQ(map.m_nPitch, 64);
  EXPECT_EQ(map.m_vCell[(14 << 6) + 19], 1419);
  EXPECT_EQ(map.m_vCell[(14 << 6) + 20], 0);
  ASSERT_EQ(map.SetSize(10, 5), 1);
  EXPECT_EQ(map.m_vCell.size(), 5u * 16u);
  EXPECT_EQ(map.m_vCell[(4 << 4) + 9], 409);
  EXPECT_EQ(map.SetSize(0, 5), 0);
  EXPECT_EQ(map.SetSize(5, -1), 0);
  EXPECT_EQ(map.SetSize(cWorldMap::kMaxSide + 1, 5), 0);
  EXPECT_EQ(map.m_nWidth, 10);
  EXPECT_EQ(map.m_vCell.size(), 80u);
}

TEST(WorldMap, LoadBringsStartCellsAndPointsInside) {
  MapLayout layout;
  layout.startX = 25;
  layout.cells[(2 << 5) + 3] = 12;
  layout.cells[(3 << 5) + 4] = -1;
  layout.points.push_back(PointStream(878, 20, 3, {}));
  layout.points.push_back(PointStream(878, -1, 3, {}));
  layout.points.push_back(PointStream(878, 19, 14, {{0, 0, 1, 0, "a.stg4_x"}}));
  cWorldMap map;
  ASSERT_TRUE(LoadFromBytes(map, MapFile(layout)));
  EXPECT_EQ(map.m_nStartX, 19);
  EXPECT_EQ(map.m_nStartY, 4);
  EXPECT_EQ(map.m_vCell[(2 << 5) + 3], 0);
  EXPECT_EQ(map.m_vCell[(3 << 5) + 4], 0);
  EXPECT_EQ(map.m_vCell[(3 << 5) + 5], 1);
  ASSERT_EQ(map.m_vPoint.size(), 2u);
  EXPECT_EQ(map.m_vPoint[0].m_nX, -1);
  EXPECT_EQ(map.GetPointAt({19, 14}), &map.m_vPoint[1]);
  EXPECT_EQ(map.GetPointAt({19, 13}), nullptr);
  EXPECT_EQ(map.m_vPoint[1].m_vStage[0].m_nValue5, 77);
}

TEST(WorldMap, FilesBefore812GetTenTileKinds) {
  MapLayout layout;
  layout.version = 811;
  layout.tiles = 3;
  layout.cells.assign(15 * 32, 9);
  layout.points.push_back(PointStream(811, 1, 1, {{0, 0, 0, 0, "old.stg4_x"}}));
  cWorldMap map;
  ASSERT_TRUE(LoadFromBytes(map, MapFile(layout)));
  ASSERT_EQ(map.m_vTile.size(), 10u);
  EXPECT_EQ(map.m_vTile[4].m_bBlock, 1);
  EXPECT_EQ(map.m_vTile[4].m_strName, Cp932Literal("移動不可"));
  EXPECT_EQ(map.m_vTile[5].m_bBlock, 0);
  EXPECT_EQ(map.m_vTile[9].m_nChip, 9);
  EXPECT_EQ(map.m_vCell[0], 9);
}

TEST(WorldMap, StageEntriesBefore209HaveNoFifthValue) {
  MapLayout layout;
  layout.version = 208;
  layout.points.push_back(PointStream(208, 1, 1, {{0, 0, 0, 0, "old.stg4_x"}}));
  cWorldMap map;
  ASSERT_TRUE(LoadFromBytes(map, MapFile(layout)));
  const cWorldStage& stage = map.m_vPoint[0].m_vStage[0];
  EXPECT_EQ(stage.m_nValue5, 0);
  EXPECT_EQ(stage.m_nCode2, 1);
  EXPECT_EQ(stage.m_strStage, "old.stg4_x");
}

TEST(WorldMap, GridIsRebuiltFromTheSizeAndBadSizesAreRefused) {
  MapLayout layout;
  layout.pitch = 3;
  layout.shift = 9;
  layout.startX = -4;
  layout.tiles = 0;
  layout.cells.assign(10, 0);
  cWorldMap map;
  ASSERT_TRUE(LoadFromBytes(map, MapFile(layout)));
  EXPECT_EQ(map.m_nPitch, 32);
  EXPECT_EQ(map.m_nPitchShift, 5);
  EXPECT_EQ(map.m_vCell.size(), 480u);
  EXPECT_EQ(map.m_nStartX, 0);
  ASSERT_EQ(map.m_vTile.size(), 1u);
  EXPECT_EQ(map.m_vTile[0].m_bBlock, 0);

  for (int width : {0, -3, cWorldMap::kMaxSide + 1}) {
    MapLayout bad;
    bad.width = width;
    cWorldMap kept;
    EXPECT_FALSE(LoadFromBytes(kept, MapFile(bad))) << width;
    EXPECT_EQ(kept.m_nWidth, 20);
  }
}

TEST(WorldMap, SaveWritesWhatLoadReads) {
  MapLayout layout;
  layout.points.push_back(PointStream(878, 2, 2, {{0, 1, 7, 2, "c01-1.stg4_x"}}));
  cWorldMap map;
  ASSERT_TRUE(LoadFromBytes(map, MapFile(layout)));
  ByteFixture file;
  file.I32(878);
  for (std::uint8_t byte : SavedStream(map)) file.U8(byte);
  EXPECT_EQ(file.Bytes(), MapFile(layout).Bytes());
}

TEST(WorldMap, StageKeyNames) {
  EXPECT_EQ(StageKeyName("c01-1.stg4_x"), "c01.");
  EXPECT_EQ(StageKeyName("forest.stg4_x"), "forest.");
  EXPECT_EQ(StageKeyName("c01-2.stg4_x"), "c01-2.");
  EXPECT_EQ(StageKeyName("plain"), "plain.");
}

TEST(WorldMap, HasStageMatchesKindStageEntriesByKeyAndCodes) {
  MapLayout layout;
  layout.points.push_back(PointStream(878, 1, 1, {{1, 0, 0, 0, "road-1.stg4_x"}, {0, 0, 0, 0, "c01-1.stg4_x"}}));
  layout.points.push_back(PointStream(878, 2, 1, {{0, 1, 7, 2, "forest.stg4_x"}}));
  cWorldMap map;
  ASSERT_TRUE(LoadFromBytes(map, MapFile(layout)));
  EXPECT_EQ(map.HasStage("c01.", 0, 0, 0), 1);
  EXPECT_EQ(map.HasStage("road.", 0, 0, 0), 0);
  EXPECT_EQ(map.HasStage("c01.", 5, 0, 0), 0);
  EXPECT_EQ(map.HasStage("forest.", 0, 0, 0), 0);
  EXPECT_EQ(map.HasStage("forest.", 9, 7, 2), 1);
  EXPECT_EQ(map.HasStage("forest.", 9, 7, 3), 0);
}

}  // namespace

// The world map of the sample game: an island of meadows, a forest and
// mountains, with a road from the first stage past the cave, the garden
// and the cloud bridge to the boss's castle.
#include "tools/sample_game/project_files.h"
#include "tools/sample_game/record_bytes.h"

namespace sample_game {
namespace {

// Tile kinds by chip number (the chip of kind k is picture cell k).
struct TileKind {
  char symbol;
  const char* name;
  int blocked;
};
constexpr TileKind kTiles[] = {
    {'~', "海", 1},   {'.', "草原", 0}, {'=', "道", 0},   {'T', "森", 1},   {'M', "山", 1},
    {'s', "砂浜", 0}, {'H', "橋", 0},   {'*', "花畑", 0}, {'w', "雪", 1},   {'R', "岩", 1},
};

constexpr const char* kLayout[15] = {
    "~~~~~~~~~~~~~~~~~~~~",  //
    "~~~~~~~~~~~~~~~wMM~~",  //
    "~~~~sss~~~~~~~MMwMM~",  //
    "~~~s...s~~~~~M=====~",  //
    "~~s..TT.s~~~~M=MMM~~",  //
    "~~s.TTT..s~~~.=RMM~~",  //
    "~~s.TT.....HHH=..s~~",  //
    "~~~s...=====..T..s~~",  //
    "~~~s...=.**..TTs~~~~",  //
    "~~s..*.=..**..s~~~~~",  //
    "~~s.====......s~~~~~",  //
    "~~~s...RR....s~~~~~~",  //
    "~~~~ss.....ss~~~~~~~",  //
    "~~~~~~sssss~~~~~~~~~",  //
    "~~~~~~~~~~~~~~~~~~~~",  //
};

int KindOf(char symbol) {
  for (int k = 0; k < static_cast<int>(std::size(kTiles)); ++k)
    if (kTiles[k].symbol == symbol) return k;
  return 0;
}

// A point with one stage entry. `clearSwitch` is the save-data switch that the
// stage's clear turns on; `needSwitch` the switch that must be on before the
// point offers the stage (0: none).
cWorldPoint StagePoint(int x, int y, const char* name, const char* stage, int clearSwitch, int needSwitch,
                       int afterLast) {
  cWorldPoint point;
  point.SetDefaults();
  point.m_nX = x;
  point.m_nY = y;
  point.m_strName = Sjis(name);
  cWorldStage& entry = point.m_vStage[0];
  entry.m_nKind = cWorldStage::kStage;
  entry.m_nValue3 = clearSwitch;
  entry.m_nSwitch = needSwitch;
  entry.m_nAfterLast = afterLast;
  entry.m_strName = Sjis(name);
  entry.m_strStage = stage;
  return point;
}

}  // namespace

cWorldMap BuildWorldMap() {
  cWorldMap map;
  map.m_strName = Sjis("メドウ島");
  map.SetSize(20, 15);
  map.m_nStartX = 4;
  map.m_nStartY = 10;
  map.m_nBackColor = 16;
  map.m_bBackPicture = 1;
  map.m_strBackBmp = "bmp\\WorldBack.bmp";
  for (const TileKind& kind : kTiles) {
    cWorldTile tile;
    tile.m_bBlock = kind.blocked;
    tile.m_nChip = static_cast<std::int32_t>(&kind - kTiles);
    tile.m_strName = Sjis(kind.name);
    map.m_vTile.push_back(tile);
  }
  for (int y = 0; y < 15; ++y)
    for (int x = 0; x < 20; ++x) map.m_vCell[(y << map.m_nPitchShift) + x] = KindOf(kLayout[y][x]);
  map.m_vPoint.push_back(StagePoint(7, 10, "はじまりの草原", kStoryStages[0], 1, 0, 0));
  map.m_vPoint.push_back(StagePoint(12, 7, "モスリングの森", kStoryStages[1], 2, 1, 0));
  map.m_vPoint.push_back(StagePoint(14, 6, "こだまの洞窟", kStoryStages[2], 3, 2, 0));
  map.m_vPoint.push_back(StagePoint(14, 4, "案内人の庭", kStoryStages[3], 4, 3, 0));
  map.m_vPoint.push_back(StagePoint(16, 3, "雲の橋", kStoryStages[4], 5, 4, 0));
  map.m_vPoint.push_back(StagePoint(18, 3, "ボスの城", kStoryStages[5], 6, 5, 2));
  return map;
}

}  // namespace sample_game

#include "screens/worldmap/world_map_view.h"

#include <string>

#include "definitions/save_data/save_data.h"
#include "foundation/text_format.h"
#include "graphics/blits/blit.h"
#include "graphics/blits/fill.h"
#include "graphics/device/device.h"
#include "graphics/images/bitmap_table.h"
#include "graphics/text/font_setup.h"
#include "project/global_data.h"
#include "project/system_record.h"
#include "screens/common/ranking_keys.h"
#include "screens/common/screen_pictures.h"
#include "screens/ranking/ranking_records.h"
#include "screens/worldmap/world_stage_rules.h"

namespace {

constexpr int kCell = 32;
constexpr int kViewColumns = 20;
constexpr int kViewRows = 15;
constexpr int kChipsPerRow = 5;
constexpr int kMenuFont = 1;
constexpr int kNameCentre = 304;
constexpr int kStoryRanking = 0;
constexpr int kRankingX = 367, kRankingY = 64;

int TileChip(const cWorldMap& map, int x, int y) {
  const int kind = map.m_vCell[(static_cast<long long>(y) << map.m_nPitchShift) + x];
  return kind >= 0 && kind < static_cast<int>(map.m_vTile.size()) ? map.m_vTile[kind].m_nChip : 0;
}

void DrawBackground(WorldCell view) {
  DDSURFACEDATA* work = &g_BmpSD[kWorldMapWorkPicture];
  DDFillSurface(work, static_cast<std::uint32_t>(g_WorldMap->m_nBackColor));
  if (!g_WorldMap->m_bBackPicture) return;
  int dx = 0, dy = 0, sx = view.x * kCell, sy = view.y * kCell;
  if (sx < 0) dx = -sx, sx = 0;
  if (sy < 0) dy = -sy, sy = 0;
  DDBlt(work, dx, dy, 640, 480, &g_BmpSD[kWorldBackPicture], sx, sy, 0);
}

// A text in a framed box centred on the name column.
void CentredBox(int y, const std::string& text) {
  const int width = 16 * GetCharCount(text);
  g_Fonts[kMenuFont].PrintfBox(&BackBuffer, kNameCentre - width / 2, y, width, 16, "%s", text.c_str());
}

void DrawLivesBox(const cSaveData& data) {
  const bool unlimited = data.m_nLife >= cSaveData::kUnlimited;
  const std::string count = unlimited ? std::string("\x81\x87") : std::to_string(data.m_nLife);
  const int digits = unlimited ? 1 : static_cast<int>(std::to_string(data.m_nLife).size());
  const int width = 16 * (digits + 1);
  g_Fonts[kMenuFont].DrawBox(&BackBuffer, 621 - width, 17, width, 16);
  DDBlt(&BackBuffer, 621 - width, 19, 16, 16, &g_BmpSD[kCursorPicture], 0, 48, 1);
  g_Fonts[kMenuFont].Draw(&BackBuffer, 637 - width, 19, count.c_str());
}

}  // namespace

void DrawWorldMapSurface(WorldCell view, const cSaveData& data) {
  const cWorldMap& map = *g_WorldMap;
  DrawBackground(view);
  DDSURFACEDATA* work = &g_BmpSD[kWorldMapWorkPicture];
  for (int r = 0; r < kViewRows; ++r)
    for (int c = 0; c < kViewColumns; ++c) {
      const int x = view.x + c, y = view.y + r;
      if (x < 0 || y < 0 || x >= map.m_nWidth || y >= map.m_nHeight) continue;
      const int chip = TileChip(map, x, y);
      DDBlt(work, kCell * c, kCell * r, kCell, kCell, &g_BmpSD[kWorldChipPicture], (chip % kChipsPerRow) * kCell,
            (chip / kChipsPerRow) * kCell, 1);
    }
  for (const cWorldPoint& point : map.m_vPoint) {
    if (point.m_nX < view.x || point.m_nX > view.x + kViewColumns || point.m_nY < view.y ||
        point.m_nY > view.y + kViewRows)
      continue;
    const cWorldStage* stage = ChoosePointStage(&point, data);
    if (!stage) continue;
    DDBlt(work, kCell * (point.m_nX - view.x), kCell * (point.m_nY - view.y), kCell, kCell,
          &g_BmpSD[kWorldIconPicture], IsStageCleared(*stage, data) ? kCell : 0, kCell * IconRowOf(*stage), 1);
  }
}

void DrawWorldMapScreen(const WorldMapScreen& screen, bool details, int& frameCounter, WorldCell view,
                        const cSaveData& data) {
  DDSURFACEDATA* work = &g_BmpSD[kWorldMapWorkPicture];
  if (work->bLost) {
    DrawWorldMapSurface(view, data);
    work->bLost = 0;
  }
  DDBlt(&BackBuffer, 0, 0, 640, 480, work, 0, 0, 0);
  if (++frameCounter > 79) frameCounter = 0;
  static constexpr int kFigureSource[4][2] = {{0, 64}, {64, 64}, {64, 96}, {0, 96}};
  const int facing = screen.facing >= 0 && screen.facing < 4 ? screen.facing : 0;
  DDBlt(&BackBuffer, kFigureX, kFigureY, kCell, kCell, &g_BmpSD[kCursorPicture],
        kFigureSource[facing][0] + (frameCounter > 40 ? kCell : 0), kFigureSource[facing][1], 1);
  if (g_System->m_nScreen167A) DrawLivesBox(data);
  if (!details || !screen.stage) return;
  if (RankingSettingOn(kStoryRanking) && data.m_bShowRanking)
    g_Ranking.Draw(&BackBuffer, kRankingX, kRankingY, data.m_nRankingGenre);
  const bool scoreLine = g_System->m_nScreen167B && screen.stageValue > 0;
  const int nameY = scoreLine ? 184 : 204;
  if (!screen.stage->m_strName.empty()) CentredBox(nameY, screen.stage->m_strName);
  if (scoreLine) {
    CentredBox(nameY + 20, g_System->Term(2) + std::to_string(screen.stageValue));
  }
}

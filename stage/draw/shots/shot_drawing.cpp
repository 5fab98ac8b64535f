#include "stage/draw/shots/shot_drawing.h"

#include "graphics/images/bitmap_table.h"
#include "project/database.h"
#include "project/global_data.h"
#include "stage/draw/chara/chara_effect_drawers.h"
#include "stage/draw/chara/graphic_source.h"
#include "stage/draw/resources/effect_sheets.h"
#include "stage/draw/resources/special_surfaces.h"
#include "stage/shots/stage_shot.h"

namespace {

constexpr int kShotCell = 16;
constexpr int kShotsPerRow = 30;
constexpr int kShotSheet = 20;
constexpr int kSwordPlaces = 4;

CellPlacement PlacementOf(const cStageShot& shot, int cellW, int cellH) {
  CellPlacement at;
  at.x = shot.screenLeft;
  at.y = shot.screenTop;
  at.cellW = cellW;
  at.cellH = cellH;
  at.scale = shot.rec.m_nSize > 1 ? shot.rec.m_nSize : 1;
  at.w = cellW * at.scale;
  at.h = cellH * at.scale;
  return at;
}

void DrawSword(const cStageShot& sword, DDSURFACEDATA* surface) {
  const auto& types = g_Database->m_vSwordType;
  if (static_cast<std::size_t>(sword.swordType) >= types.size()) return;
  const auto& entries = types[sword.swordType].m_vEntries;
  if (static_cast<std::size_t>(sword.swordFrame) >= entries.size()) return;
  const cSwordTypeEntry& frame = entries[sword.swordFrame];
  DDSURFACEDATA* sheet = SwordSurface(std::int64_t{sword.swordType} * kSwordPlaces - kSwordPlaces + (sword.facing ? 1 : 0));
  if (sheet == nullptr) return;
  DrawCellPlain(surface, {sheet, frame.nSrcX, frame.nSrcY}, PlacementOf(sword, frame.nWidth, frame.nHeight));
}

}  // namespace

void AdvanceShotDrawing(cStageShot& shot, const ScreenOrigin& view) { shot.UpdateScreenPos(view); }

void DrawShotPixels(const cStageShot& shot, DDSURFACEDATA* surface) {
  if (shot.rec.m_bHide) return;
  if (shot.IsSword()) {
    DrawSword(shot, surface);
    return;
  }
  const int graphic = shot.rec.m_nGraphic;
  // Shots carry no animation of their own: their frame row is the first.
  const int row = 2 * (graphic / kShotsPerRow);
  DDSURFACEDATA* sheet = &g_BmpSD[PickShotSheet(kShotSheet + (shot.facing ? 1 : 0), 0)];
  DrawCellPlain(surface, {sheet, graphic % kShotsPerRow * kShotCell, row * kShotCell},
                PlacementOf(shot, kShotCell, kShotCell));
}

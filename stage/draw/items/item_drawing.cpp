#include "stage/draw/items/item_drawing.h"

#include "graphics/blits/blit.h"
#include "stage/chara/stage_chara.h"
#include "stage/core/stage_rules.h"
#include "stage/draw/chara/chara_effect_drawers.h"
#include "stage/draw/chara/graphic_source.h"
#include "stage/items/stage_item.h"

namespace {

constexpr int kCell = 32;
constexpr int kMarksPerColumn = 15;
constexpr int kIconFirstFrame = 64;
constexpr int kIconCycle = 96;

bool IconShows(const cStageChara& chara) {
  return g_StageRules.showDropIcons && !chara.dropItem.empty && !chara.dead && !chara.cmdHidden &&
         !chara.def.m_bTransparent && chara.present;
}

}  // namespace

void AdvanceItemDrawing(cStageItem& item) { item.UpdateScreenPos(); }

void DrawItemPixels(const cStageItem& item, DDSURFACEDATA* surface, DDSURFACEDATA* markSheet) {
  if (item.def.m_bHidden) return;
  const CellPlacement at = PlacementOf(item);
  const GraphicSource source = GetGraphicSource(item.def.m_nGraphicKind, item.def.m_nGraphicNo, 0);
  if (source.surface != nullptr) DrawCellPlain(surface, source, at);
  if (item.def.m_nOverlay != 1 || markSheet == nullptr) return;
  const int mark = item.def.m_nOverlayNo;
  const GraphicSource overlay{markSheet, mark / kMarksPerColumn * kCell, mark % kMarksPerColumn * kCell};
  DrawCellPlain(surface, overlay, at);
}

void AdvanceDropIcon(cStageChara& chara) {
  if (!IconShows(chara)) return;
  if (++chara.dropIconCounter >= kIconCycle) chara.dropIconCounter = 0;
}

void DrawDropIcon(const cStageChara& chara, DDSURFACEDATA* surface) {
  if (!IconShows(chara) || chara.dropIconCounter < kIconFirstFrame) return;
  const cStageItem& item = chara.dropItem;
  const int centreX = chara.screenLeft + chara.drawWidth / 2;
  DrawGraphicCell(surface, centreX, chara.screenTop - kCell / 2, item.def.m_nGraphicKind, item.def.m_nGraphicNo);
}

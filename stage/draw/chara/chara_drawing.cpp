#include "stage/draw/chara/chara_drawing.h"

#include "stage/chara/chara.h"
#include "stage/draw/chara/chara_effect_advance.h"
#include "stage/draw/chara/chara_effect_drawers.h"
#include "stage/draw/chara/chara_overlays.h"
#include "stage/draw/chara/graphic_number.h"
#include "stage/draw/chara/graphic_source.h"

namespace {

void DrawCell(const cChara& chara, const GraphicSource& source, DDSURFACEDATA* surface) {
  CellPlacement at = PlacementOf(chara);
  if (source.ownCellSize > 0) {  // a bitmap's own cell: centred, standing on the box's bottom
    at.cellW = at.cellH = source.ownCellSize;
    at.x += (chara.baseDrawWidth - at.cellW) * at.scale / 2;
    at.y += (chara.baseDrawHeight - at.cellH) * at.scale;
    at.w = at.cellW * at.scale;
    at.h = at.cellH * at.scale;
  }
  DrawCellWithEffect(surface, source, at, chara.shownEffect);
}

// Kind 4: the graphic number names the bitmap and the rest of the cell
// number picks the cell within it.
GraphicSource SourceOf(const cChara& chara, int number) {
  const int cell = number + chara.drawnFrame;
  if (chara.def.m_nGraphicKind != kGraphicKindExchangeable)
    return GetGraphicSource(chara.def.m_nGraphicKind, cell, chara.facing);
  const int record = chara.def.m_nGraphicNo;
  return GetExchangeableSource(record, cell - record, chara.facing);
}

}  // namespace

void AdvanceCharaDrawing(cChara& chara, int noAdvance) {
  chara.drawnFrame = chara.StepCharaAnim(noAdvance);
  chara.UpdateScreenPos();
  AdvanceCharaEffect(chara, noAdvance);
  if (!chara.cmdHidden) AdvanceCharaGauges(chara);
}

void DrawCharaPixels(const cChara& chara, DDSURFACEDATA* surface, int frame) {
  if (chara.cmdHidden || chara.def.m_bTransparent || chara.drawnFrame < 0) return;
  if (chara.dead && chara.shownEffect.number == 0) return;
  const int number = GetGraphicNumber(chara);
  if (number < 0) return;
  GraphicSource source = SourceOf(chara, number);
  const CellTint tint = GetCellTint(chara, frame);
  source.tinted = tint.on;
  source.tint = tint.pair;
  if (source.surface != nullptr) DrawCell(chara, source, surface);
  if (!chara.dead) DrawCharaMark(chara, surface);
}

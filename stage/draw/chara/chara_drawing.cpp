#include "stage/draw/chara/chara_drawing.h"

#include "graphics/blits/blit.h"
#include "stage/chara/chara.h"
#include "stage/draw/chara/graphic_source.h"

void AdvanceCharaDrawing(cChara& chara, int noAdvance) {
  chara.drawnFrame = chara.StepCharaAnim(noAdvance);
  chara.UpdateScreenPos();
}

void DrawCharaPixels(const cChara& chara, DDSURFACEDATA* surface) {
  if (chara.cmdHidden || chara.drawnFrame < 0) return;
  const cEdChara& def = chara.def;
  const int cell = def.m_nGraphicNo + def.m_nGraphicOffset + chara.drawnFrame;
  const GraphicSource source = GetGraphicSource(def.m_nGraphicKind, cell, chara.facing);
  if (source.surface == nullptr) return;
  const int w = chara.baseDrawWidth;
  const int h = chara.baseDrawHeight;
  if (chara.sizeFactor <= 1) {
    DDBlt(surface, chara.screenLeft, chara.screenTop, w, h, source.surface, source.x, source.y, 1);
    return;
  }
  DDBltStretch(surface, chara.screenLeft, chara.screenTop, w * chara.sizeFactor, h * chara.sizeFactor, source.surface,
               source.x, source.y, w, h, 1);
}

#include "stage/draw/chara/chara_effect_drawers.h"

#include "graphics/blits/blit.h"
#include "graphics/blits/shaped_blits.h"
#include "graphics/effects/blend.h"
#include "graphics/effects/effects.h"
#include "graphics/images/palette.h"
#include "project/effect_records.h"
#include "stage/core/double_to_int.h"
#include "stage/draw/effects/chara_effect_slot.h"

namespace {

int AtLeastOne(int n) { return n < 1 ? 1 : n; }

int Param(const cCharaEffectSlot& slot, int index) {
  return slot.definition == nullptr ? 0 : slot.definition->m_anParam[static_cast<std::size_t>(index)];
}

}  // namespace

void DrawCellPlain(DDSURFACEDATA* surface, const GraphicSource& source, const CellPlacement& at) {
  if (at.w == at.cellW && at.h == at.cellH) {
    DDBlt(surface, at.x, at.y, at.w, at.h, source.surface, source.x, source.y, 1);
    return;
  }
  DDBltStretch(surface, at.x, at.y, at.w, at.h, source.surface, source.x, source.y, at.cellW, at.cellH, 1);
}

void DrawCellWithEffect(DDSURFACEDATA* surface, const GraphicSource& source, const CellPlacement& at,
                        const cCharaEffectSlot& slot) {
  DDSURFACEDATA* src = source.surface;
  const int value = TruncToInt(slot.value) * at.scale;
  const int cx = at.x + at.w / 2;
  const int cy = at.y + at.h / 2;
  switch (slot.Kind()) {
    case kCharaEffectBurst: DDBltBurst(surface, at.x, at.y, at.w, at.h, src, source.x, source.y, value, 1); break;
    case kCharaEffectSplitH:
    case kCharaEffectSplitV: {
      const bool vertical = slot.Kind() == kCharaEffectSplitV;
      const int parts = AtLeastOne(Param(slot, 3));
      const int strip = AtLeastOne(((vertical ? at.w : at.h) + parts - 1) / parts);
      DDBltSplit(surface, at.x, at.y, at.w, at.h, strip, value, src, source.x, source.y, 1, vertical ? 1 : 0);
      break;
    }
    case kCharaEffectWaveH:
    case kCharaEffectWaveV:
      DDBltWave(surface, at.x, at.y, at.w, at.h, AtLeastOne(Param(slot, 3)), value, slot.counterA,
                AtLeastOne(Param(slot, 4)), src, source.x, source.y, 1, slot.Kind() == kCharaEffectWaveV ? 1 : 0);
      break;
    case kCharaEffectBlink:
      if (slot.counterB == 0) DrawCellPlain(surface, source, at);
      break;
    case kCharaEffectRotateA:
    case kCharaEffectRotateB:
      DDBltRotate(surface, cx, cy, at.cellW, at.cellH, at.cellW / 2, at.cellH / 2, TruncToInt(slot.value), src,
                  source.x, source.y, 1);
      break;
    case kCharaEffectRotateDepth:
      DDBltRotateDepth(surface, at.x, at.y, at.w, at.h, src, source.x, source.y, src, source.x, source.y, at.cellW,
                       at.cellH, 1, TruncToInt(slot.value), 0);
      break;
    case kCharaEffectCircle:
      DDBltCircle(surface, cx, cy, at.w / 2, at.h / 2, value, AtLeastOne(Param(slot, 3)), src,
                  source.x + at.cellW / 2, source.y + at.cellH / 2, 1);
      break;
    case kCharaEffectZoom: {
      const int w = value < 0 ? 0 : value;
      const int h = at.cellW > 0 ? static_cast<int>(static_cast<long long>(w) * at.cellH / at.cellW) : 0;
      DDBltStretch(surface, cx - w / 2, cy - h / 2, w, h, src, source.x, source.y, at.cellW, at.cellH, 1);
      break;
    }
    case kCharaEffectLens:
      DDBltLens(surface, cx + Param(slot, 3), cy + Param(slot, 4), AtLeastOne(at.w / 2), value, src,
                source.x + at.cellW / 2, source.y + at.cellH / 2, 1, 0, nullptr);
      break;
    case kCharaEffectColor: {
      const int colour = Param(slot, 3);
      if (colour < 0 || colour > 255) break;
      DDBltColorChange(surface, at.x, at.y, at.cellW, at.cellH, src, source.x, source.y, 1, g_PalEntries.data(),
                       g_BlendTable, colour, value < 0 ? 0 : value, nullptr);
      break;
    }
    case kCharaEffectHalf:
      if (slot.counterB == 0) DDBltHalf(surface, at.x, at.y, at.cellW, at.cellH, src, source.x, source.y, 1, g_BlendTable);
      break;
    case kCharaEffectMosaic:
      DDBltMosaic(surface, at.x, at.y, at.cellW, at.cellH, AtLeastOne(value), src, source.x, source.y, 1, nullptr);
      break;
    case kCharaEffectBlur:
      DDBltBlur(surface, at.x, at.y, at.cellW, at.cellH, value, value, src, source.x, source.y, 1, nullptr);
      break;
    default: DrawCellPlain(surface, source, at); break;
  }
}

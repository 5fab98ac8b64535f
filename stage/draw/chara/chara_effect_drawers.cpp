#include "stage/draw/chara/chara_effect_drawers.h"

#include <algorithm>

#include "graphics/blits/blit.h"
#include "graphics/blits/shaped_blits.h"
#include "graphics/effects/blend.h"
#include "graphics/effects/effects.h"
#include "graphics/device/device.h"
#include "graphics/images/bitmap_table.h"
#include "graphics/images/palette.h"
#include "graphics/surfaces/surface_lock.h"
#include "project/effect_records.h"
#include "stage/core/double_to_int.h"
#include "stage/draw/effects/chara_effect_slot.h"
#include "stage/draw/resources/effect_sheets.h"
#include "stage/objects/stage_obj.h"

namespace {

int AtLeastOne(int n) { return n < 1 ? 1 : n; }

int Param(const cCharaEffectSlot& slot, int index) {
  return slot.definition == nullptr ? 0 : slot.definition->m_anParam[static_cast<std::size_t>(index)];
}

// The effects that draw the cell themselves at any size: the plain drawing,
// the blink (plain), the zoom and the turn in depth (stretches of their
// own; the turn takes its front and back pictures straight from the sheets,
// which gives the pixels of a stretch of the stretched cell).
bool DrawsAtAnySize(int kind) {
  return kind == kCharaEffectNone || kind == kCharaEffectBlink || kind == kCharaEffectZoom ||
         kind == kCharaEffectRotateDepth || kind < kCharaEffectNone || kind >= kCharaEffectKinds;
}

// The top-left w x h of a surface (within its pixels) made see-through.
void ClearToTransparent(DDSURFACEDATA* surface, int w, int h) {
  cSurfaceLock lock;
  if (!lock.Lock(surface)) return;
  const std::uint32_t clear = lpDTCon != nullptr ? lpDTCon->dwClearColor : g_DDState.dwColorKey;
  for (int y = 0; y < h; ++y) {
    if (lock.BitsPerPixel() == 8)
      std::fill_n(lock.Row8(y), w, static_cast<std::uint8_t>(clear));
    else
      std::fill_n(lock.Row32(y), w, clear);
  }
}

void DrawEffect(DDSURFACEDATA* surface, const GraphicSource& source, const CellPlacement& at,
                const cCharaEffectSlot& slot);

constexpr int kBlurColourAt8Bits = 31;

// The cell pulled `count` times halfway toward palette colour `colour`.
void DrawColourChange(DDSURFACEDATA* surface, const GraphicSource& source, const CellPlacement& at, int colour,
                      int count) {
  DDBltColorChange(surface, at.x, at.y, at.cellW, at.cellH, source.surface, source.x, source.y, 1,
                   g_PalEntries.data(), g_BlendTable, colour, count, source.ColourPair());
}

bool TakesColourPair(int kind) {
  return kind <= kCharaEffectNone || kind >= kCharaEffectKinds || kind == kCharaEffectBlink || kind == kCharaEffectColor || kind == kCharaEffectLens || kind == kCharaEffectMosaic ||
         kind == kCharaEffectBlur;
}

// The tint set on the device for the draws that take no colour pair of
// their own, and taken back afterwards.
class DeviceTint {
 public:
  explicit DeviceTint(const std::uint32_t* pair) : m_on(pair != nullptr && lpDTCon != nullptr) {
    if (!m_on) return;
    DDSetDrawColor(pair[0]);
    DDSetColorOp(pair[1]);
  }
  ~DeviceTint() {
    if (!m_on) return;
    DDResetDrawColor();
    DDResetColorOp();
  }
  DeviceTint(const DeviceTint&) = delete;
  DeviceTint& operator=(const DeviceTint&) = delete;

 private:
  bool m_on;
};

}  // namespace

CellPlacement PlacementOf(const cStageObj& object) {
  CellPlacement at;
  at.x = object.screenLeft;
  at.y = object.screenTop;
  at.cellW = object.baseDrawWidth;
  at.cellH = object.baseDrawHeight;
  at.scale = object.sizeFactor > 1 ? object.sizeFactor : 1;
  at.w = at.cellW * at.scale;
  at.h = at.cellH * at.scale;
  return at;
}

void DrawCellPlain(DDSURFACEDATA* surface, const GraphicSource& source, const CellPlacement& at) {
  const bool oneToOne = at.w == at.cellW && at.h == at.cellH;
  if (const std::uint32_t* pair = source.ColourPair()) {
    if (oneToOne) DDBltColor(surface, at.x, at.y, at.w, at.h, source.surface, source.x, source.y, 1, pair);
    else DDBltColorOp(surface, at.x, at.y, at.w, at.h, source.surface, source.x, source.y, at.cellW, at.cellH, 1, pair);
    return;
  }
  if (oneToOne) {
    DDBlt(surface, at.x, at.y, at.w, at.h, source.surface, source.x, source.y, 1);
    return;
  }
  DDBltStretch(surface, at.x, at.y, at.w, at.h, source.surface, source.x, source.y, at.cellW, at.cellH, 1);
}

// A scaled character's effect works on its cell stretched to the drawn size
// in work surface A, so that the effect covers the whole drawn character.
void DrawCellWithEffect(DDSURFACEDATA* surface, const GraphicSource& source, const CellPlacement& at,
                        const cCharaEffectSlot& slot) {
  DDSURFACEDATA* work = &g_BmpSD[SelectEffectSurfaces().workA];
  const cPixelBuffer* pixels = SurfacePixels(work);
  if (at.scale <= 1 || DrawsAtAnySize(slot.Kind()) || pixels == nullptr || at.w > pixels->Width() ||
      at.h > pixels->Height()) {
    DrawEffect(surface, source, at, slot);
    return;
  }
  ClearToTransparent(work, at.w, at.h);
  DDBltStretch(work, 0, 0, at.w, at.h, source.surface, source.x, source.y, at.cellW, at.cellH, 1);
  CellPlacement stretched = at;
  stretched.cellW = at.w;
  stretched.cellH = at.h;
  GraphicSource fromWork = source;
  fromWork.surface = work;
  fromWork.x = 0;
  fromWork.y = 0;
  DrawEffect(surface, fromWork, stretched, slot);
}

namespace {

// The effect's strength: its value, times the size factor in DirectDraw
// mode (where the effect works on the stretched cell's larger dots).
void DrawEffect(DDSURFACEDATA* surface, const GraphicSource& source, const CellPlacement& at,
                const cCharaEffectSlot& slot) {
  DDSURFACEDATA* src = source.surface;
  const int value = TruncToInt(slot.value) * (lpDTCon == nullptr ? at.scale : 1);
  const std::uint32_t* pair = source.ColourPair();
  const DeviceTint tint(TakesColourPair(slot.Kind()) ? nullptr : pair);
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
    case kCharaEffectRotateDepth: {
      // The turned half shows the cell from behind: the other facing's twin.
      DDSURFACEDATA* back = source.backSurface != nullptr ? source.backSurface : src;
      DDBltRotateDepth(surface, at.x, at.y, at.w, at.h, src, source.x, source.y, back, source.x, source.y, at.cellW,
                       at.cellH, 1, TruncToInt(slot.value), 0);
      break;
    }
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
                source.x + at.cellW / 2, source.y + at.cellH / 2, 1, 0, pair);
      break;
    case kCharaEffectColor: {
      const int colour = Param(slot, 3);
      if (colour < 0 || colour > 255) break;
      DrawColourChange(surface, source, at, colour, value < 0 ? 0 : value);
      break;
    }
    case kCharaEffectHalf:
      if (slot.counterB == 0) DDBltHalf(surface, at.x, at.y, at.cellW, at.cellH, src, source.x, source.y, 1, g_BlendTable);
      break;
    case kCharaEffectMosaic:
      DDBltMosaic(surface, at.x, at.y, at.cellW, at.cellH, AtLeastOne(value), src, source.x, source.y, 1, pair);
      break;
    case kCharaEffectBlur:
      // Palette numbers cannot be averaged: at 8 bits the blur pulls the
      // cell toward colour 31 instead, the value giving how many times.
      if (lpDTCon == nullptr && g_DDState.nBpp == 8)
        DrawColourChange(surface, source, at, kBlurColourAt8Bits, value);
      else
        DDBltBlur(surface, at.x, at.y, at.cellW, at.cellH, value, value, src, source.x, source.y, 1, pair);
      break;
    default: DrawCellPlain(surface, source, at); break;
  }
}

}  // namespace

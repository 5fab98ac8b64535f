#include "stage/draw/effects/screen_effect_pixels.h"

#include <algorithm>
#include <cmath>

#include "graphics/blits/blit.h"
#include "graphics/blits/fill.h"
#include "graphics/blits/shaped_blits.h"
#include "graphics/device/device.h"
#include "graphics/effects/effects.h"
#include "graphics/images/palette.h"
#include "stage/core/double_to_int.h"
#include "stage/draw/effects/screen_effect_advance.h"
#include "stage/draw/resources/screen_copies.h"

namespace {

constexpr int kW = 640;
constexpr int kH = 480;
constexpr int kEmptyColour = 16;

int AtLeastOne(int n) { return n < 1 ? 1 : n; }

void FillScreen() { DDFillRect(&BackBuffer, 0, 0, kW, kH, kEmptyColour); }

// Copies the finished picture aside; nullptr when the copy cannot be made
// (the picture is then left as it is).
DDSURFACEDATA* CopyScreen(int which) {
  DDSURFACEDATA* copy = ScreenCopy(which);
  if (copy != nullptr) DDBlt(copy, 0, 0, kW, kH, &BackBuffer, 0, 0, 0);
  return copy;
}

// The wave's slices moved across by their offsets, from the screen copy.
struct WaveShape {
  int waves;
  double amplitude;
  int phase, slice;
  bool vertical;
};

WaveShape WaveOf(const cScrEffectSlot& s) {
  return {AtLeastOne(s.Param(3)), s.value, s.counterA, AtLeastOne(s.Param(4)), s.Kind() == kScreenEffectWaveV};
}

// The horizontal wave's copy, clear and slices a row at a time; false when
// they must be drawn one after another.
bool DrawWaveAcrossByRows(const cScrEffectSlot& s) {
  DDSURFACEDATA* copy = ScreenCopy(0);
  const WaveShape wave = WaveOf(s);
  return copy != nullptr && DDCopyAndWaveAcross(&BackBuffer, copy, kW, kH, wave.waves, wave.amplitude, wave.phase,
                                                wave.slice, PalNumToRGB(kEmptyColour));
}

// The screen cleared where the wave's slices leave it uncovered. Where the
// slices replace what they cover, that is all of the clear they leave
// standing; otherwise the whole screen is cleared.
void ClearUnderWave(const WaveShape& wave, DDSURFACEDATA* copy) {
  if (!DDBltReplacesTarget(&BackBuffer, copy)) {
    FillScreen();
    return;
  }
  const int across = wave.vertical ? kH : kW;
  ForEachWaveSlice(wave.vertical ? kW : kH, wave.waves, wave.amplitude, wave.phase, wave.slice,
                   [&](int first, int size, int offset) {
                     const int lo = std::clamp(offset, 0, across), hi = std::clamp(offset + across, 0, across);
                     const auto clear = [&](int from, int to) {
                       if (to <= from) return;
                       if (wave.vertical) DDFillRect(&BackBuffer, first, from, size, to - from, kEmptyColour);
                       else DDFillRect(&BackBuffer, from, first, to - from, size, kEmptyColour);
                     };
                     clear(0, lo);
                     clear(hi, across);
                   });
}

// Half extents from a centre to the far screen edges.
int HalfExtent(int centre, int size) { return centre < size / 2 ? size - centre : centre; }

void DrawShake(const cScrEffectSlot& s, DDSURFACEDATA* copy, bool horizontal) {
  const double offset = s.secondValue;
  if (horizontal) {
    if (offset > 0) DDFillRect(&BackBuffer, 0, 0, TruncToInt(offset + 1), kH, kEmptyColour);
    else if (offset < 0) DDFillRect(&BackBuffer, TruncToInt(offset + kW), 0, TruncToInt(1 - offset), kH, kEmptyColour);
    DDBlt(&BackBuffer, TruncToInt(offset), 0, kW, kH, copy, 0, 0, 0);
  } else {
    DDBlt(&BackBuffer, 0, TruncToInt(offset), kW, kH, copy, 0, 0, 0);
  }
}

void DrawZoom(const cScrEffectSlot& s, DDSURFACEDATA* copy, ScreenPoint centre) {
  const double f = s.value / kW;
  if (!(f > 0) || !std::isfinite(f)) return;  // the screen stays colour 16
  if (f < 1) {
    const int w = TruncToInt(kW * f);
    const int h = TruncToInt(kH * f);
    DDBltStretch(&BackBuffer, (kW - w) / 2, (kH - h) / 2, w, h, copy, 0, 0, kW, kH, 0);
    return;
  }
  const int w = AtLeastOne(TruncToInt(kW / f));
  const int h = AtLeastOne(TruncToInt(kH / f));
  int left = centre.x - w / 2;
  int top = centre.y - h / 2;
  if (left + w >= kW) left = kW - w;
  else if (left < 0) left = 0;
  if (top + h >= kH) top = kH - h;
  else if (top < 0) top = 0;
  DDBltStretch(&BackBuffer, 0, 0, kW, kH, copy, left, top, w, h, 1);
}

void DrawDistortion(const cScrEffectSlot& s, ScreenPoint centre) {
  const int kind = s.Kind();
  const int copyIndex = kind == kScreenEffectRotate || kind == kScreenEffectLens || kind == kScreenEffectMosaic ? 1 : 0;
  if (kind == kScreenEffectWaveH && DrawWaveAcrossByRows(s)) return;
  DDSURFACEDATA* copy = CopyScreen(copyIndex);
  if (copy == nullptr) return;
  const int value = TruncToInt(s.value);
  DDSetAlphaOp(1);
  const bool wave = kind == kScreenEffectWaveH || kind == kScreenEffectWaveV;
  if (wave) ClearUnderWave(WaveOf(s), copy);
  else FillScreen();
  switch (kind) {
    case kScreenEffectMove: DDBlt(&BackBuffer, s.counterA, s.counterB, kW, kH, copy, 0, 0, 0); break;
    case kScreenEffectShakeH: DrawShake(s, copy, true); break;
    case kScreenEffectShakeV: DrawShake(s, copy, false); break;
    case kScreenEffectSplitH:
    case kScreenEffectSplitV: {
      const bool vertical = kind == kScreenEffectSplitV;
      const int parts = AtLeastOne(s.Param(3));
      const int strip = ((vertical ? kW : kH) + parts - 1) / parts;
      DDBltSplit(&BackBuffer, 0, 0, kW, kH, strip, value, copy, 0, 0, 0, vertical ? 1 : 0);
      break;
    }
    case kScreenEffectWaveH:
    case kScreenEffectWaveV: {
      const WaveShape shape = WaveOf(s);
      DDBltWave(&BackBuffer, 0, 0, kW, kH, shape.waves, shape.amplitude, shape.phase, shape.slice, copy, 0, 0, 0,
                shape.vertical ? 1 : 0);
      break;
    }
    case kScreenEffectRotate: DDBltRotate(&BackBuffer, kW / 2, kH / 2, kW, kH, kW / 2, kH / 2, value, copy, 0, 0, 0); break;
    case kScreenEffectCircle:
      DDBltCircle(&BackBuffer, centre.x, centre.y, HalfExtent(centre.x, kW), HalfExtent(centre.y, kH), value,
                  AtLeastOne(s.Param(3)), copy, centre.x, centre.y, 0);
      break;
    case kScreenEffectZoom: DrawZoom(s, copy, centre); break;
    case kScreenEffectLens: {
      const int cx = centre.x + s.Param(3);
      const int cy = centre.y + s.Param(4);
      const int radius = TruncToInt(std::max(HalfExtent(cy, kH), HalfExtent(cx, kW)) * std::sqrt(2.0));
      DDBltLens(&BackBuffer, cx, cy, radius, value, copy, cx, cy, 0, 0, nullptr);
      break;
    }
    case kScreenEffectMosaic: DDBltMosaic(&BackBuffer, 0, 0, kW, kH, AtLeastOne(value), copy, 0, 0, 0, nullptr); break;
    default: break;
  }
  DDResetAlphaOp();
}

}  // namespace

void DrawScreenEffect(const ScreenEffectFrame& frame, ScreenPoint heroCentre, void (*redrawLayers)()) {
  const cScrEffectSlot& s = frame.shown;
  const int kind = s.Kind();
  if (s.number != 0 && kind == kScreenEffectBlink) {
    if (s.counterB == 0 && redrawLayers != nullptr) redrawLayers();
  } else if (s.number != 0 && kind != kScreenEffectNone) {
    DrawDistortion(s, heroCentre);
  }
  // An effect of kind "none" draws nothing and, like an effect that ends,
  // leaves the virtual back buffer.
  const bool none = s.number != 0 && kind == kScreenEffectNone;
  if ((frame.finished || none) && lpDTCon != nullptr) DDSetVirBackBufferMode(0);
}

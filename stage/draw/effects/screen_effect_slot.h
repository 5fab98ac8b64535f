#pragma once
// The running state of a screen effect (the whole stage picture moved,
// shaken, split, waved, blinked, rotated, seen through a circle, zoomed,
// magnified or made a mosaic) and its stepping. The slot design matches the
// character effects': two bound sets, forward and backward (the backward set
// binds to a work copy whose start and end are exchanged in place), copied
// into the scene's current slot when an effect starts.

#include <cstdint>

#include "stage/draw/effects/effect_run.h"

class cScrEffect;

enum ScreenEffectKind : int {
  kScreenEffectNone = 0,
  kScreenEffectMove = 1,
  kScreenEffectShakeH = 2,
  kScreenEffectShakeV = 3,
  kScreenEffectSplitH = 4,
  kScreenEffectSplitV = 5,
  kScreenEffectWaveH = 6,
  kScreenEffectWaveV = 7,
  kScreenEffectBlink = 8,
  kScreenEffectRotate = 9,
  kScreenEffectCircle = 10,
  kScreenEffectZoom = 11,
  kScreenEffectLens = 12,
  kScreenEffectMosaic = 13,
  kScreenEffectKinds = 14,
};

struct cScrEffectSlot : EffectSlotSelection<cScrEffect> {
  double value = 0.0;
  double secondValue = 0.0;
  double step = 0.0;
  std::int32_t counterA = 0;
  std::int32_t counterB = 0;
  std::int32_t fixedRun = 0;
  double elapsed = 0.0;
  std::int32_t runLength = 0;

  // The kind of the running effect (0 when idle or out of the kind table).
  int Kind() const;
  // Run time T and parameters P1..P4 of the definition (0 when none).
  int Param(int index) const;
};

using ScrEffectSlotSets = EffectSlotSets<cScrEffectSlot>;
extern ScrEffectSlotSets g_ScrEffectSlots;

void BindScrEffectSlot(cScrEffectSlot& slot, std::int16_t n, int set);
void InitScrEffectSlots();

// Starts effect n in the slot; a number outside the definitions is reported
// and the slot is left as it was.
void SelectScrEffect(cScrEffectSlot& slot, int n, int mode, int loop);
void RestartScrEffect(cScrEffectSlot& slot);
// Moves the value by `step` from `from` toward `to`: 1 when the effect has
// finished (the truncated running sum passed its end).
int StepScrEffect(cScrEffectSlot& slot, int from, int to, double step);

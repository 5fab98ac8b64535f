#pragma once
// The running state of a character effect (a burst, split, wave, blink,
// rotation, ... drawn over one character for a while) and its stepping.
//
// Every definition is bound once at start-up into two slot arrays: set 0
// plays it forward, set 1 backward (set 1 binds to a work copy of the
// definitions whose start and end parameters are exchanged in place). A
// character's current slot is a copy of one of them; "there and back" plays
// set 0, then reloads the slot from set 1 and plays it again. The value runs
// from the start to the end parameter; an effect whose start equals its end
// runs for a fixed time instead.

#include <cstdint>

#include "stage/draw/effects/effect_run.h"

class cCharaEffect;

enum CharaEffectKind : int {
  kCharaEffectNone = 0,
  kCharaEffectBurst = 1,
  kCharaEffectSplitH = 2,
  kCharaEffectSplitV = 3,
  kCharaEffectWaveH = 4,
  kCharaEffectWaveV = 5,
  kCharaEffectBlink = 6,
  kCharaEffectRotateA = 7,
  kCharaEffectRotateB = 8,
  kCharaEffectRotateDepth = 9,
  kCharaEffectCircle = 10,
  kCharaEffectZoom = 11,
  kCharaEffectLens = 12,
  kCharaEffectColor = 13,
  kCharaEffectHalf = 14,
  kCharaEffectMosaic = 15,
  kCharaEffectBlur = 16,
  kCharaEffectKinds = 17,
};

struct cCharaEffectSlot : EffectSlotSelection<cCharaEffect> {
  std::int32_t start = 0;
  std::int32_t end = 0;
  double value = 0.0;
  double step = 0.0;
  double elapsed = 0.0;
  std::int32_t runLength = 0;
  std::int32_t counterA = 0;
  std::int32_t counterB = 0;

  // The kind of the running effect; none while the slot is empty.
  int Kind() const;
};

// The two bound sets (forward, backward), one slot per definition.
using CharaEffectSlotSets = EffectSlotSets<cCharaEffectSlot>;
extern CharaEffectSlotSets g_CharaEffectSlots;

// Binds slot to definition n of set s (0: g_Database's list, 1: its work copy,
// whose start and end are exchanged here).
void BindCharaEffectSlot(cCharaEffectSlot& slot, std::int16_t n, int set);
// Sizes and binds both sets to the loaded definitions.
void InitCharaEffectSlots();

// Starts effect n on the slot (mode: 0 forward, 1 backward, 2 there and
// back). A number outside the definitions is reported and nothing starts.
void SelectCharaEffect(cCharaEffectSlot& slot, int n, int mode, int loop);
// Reloads the slot for a loop or the way back of mode 2.
void RestartCharaEffect(cCharaEffectSlot& slot);
// One frame of the running value: 1 when the effect has finished.
int StepCharaEffect(cCharaEffectSlot& slot);

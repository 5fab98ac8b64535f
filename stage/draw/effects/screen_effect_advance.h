#pragma once
// The advance half of a screen effect: what one drawn frame changes in the
// scene's current slot. The pixel half draws the slot as it stood before
// this update (drawing shows the previous frame's state, then the state
// moves on), so the advance keeps that copy for it.

#include "stage/draw/effects/screen_effect_slot.h"

struct ScreenEffectFrame {
  cScrEffectSlot current;  // the running effect; number 0 when idle
  cScrEffectSlot shown;    // the state this frame's pixels show
  int finished = 0;        // the effect ended on this frame
};

// One frame: the blink toggle, then (unless hold) the kind's update. When it
// finishes, the current slot's number becomes 0.
void AdvanceScreenEffect(ScreenEffectFrame& frame, int hold);
// StartScreenEffect: selects effect n (0 stops the running one).
void StartScreenEffect(ScreenEffectFrame& frame, int n, int mode, int loop);

#pragma once
// Commands that act on their entry's first step and then once every tenth
// of a second while the entry lasts (every speed level x 6 sub-steps): the
// entry's step counter runs from 0 and wraps.

#include "stage/chara/flow_state.h"
#include "stage/objects/stage_space.h"

// True on the steps the command acts on.
inline bool PacedStepDue(const cCmdState& entry) { return entry.stepCount == 0; }
// Counts the step, wrapping to 0 after a tenth of a second.
inline void CountPacedStep(cCmdState& entry) {
  if (++entry.stepCount >= g_StageSpace.level * 6) entry.stepCount = 0;
}

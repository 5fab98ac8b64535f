// Stage play started from the shell. Filled by the stage runtime and screens
// work (PlayStageFile); until then no stage can be started.
#include "shell/subsystems/subsystem_steps.h"

bool PlayStageFileStep(const std::string&, int) { return false; }

void InitEffectSlotsStep() {}

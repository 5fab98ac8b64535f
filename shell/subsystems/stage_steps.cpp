// Stage play started from the shell. Filled by the stage runtime and screens
// work (PlayStageFile); until then no stage can be started.
#include "shell/subsystems/subsystem_steps.h"

bool PlayStageFileStep(const std::string&, int) { return false; }

namespace {
void (*g_initEffectSlots)() = nullptr;
}

void SetInitEffectSlots(void (*init)()) { g_initEffectSlots = init; }

void InitEffectSlotsStep() {
  if (g_initEffectSlots != nullptr) g_initEffectSlots();
}

// Stage play started from the shell. The screens and the stage runtime, which
// sit above the shell, hand in the start of a stage file's play
// (PlayStageFile) and the binding of the effect slots; until then no stage
// can be started.
#include <utility>

#include "shell/subsystems/subsystem_steps.h"

namespace {

std::function<bool(const std::string&)> g_playStageFile;
void (*g_initEffectSlots)() = nullptr;

}  // namespace

void SetPlayStageFileStep(std::function<bool(const std::string&)> play) { g_playStageFile = std::move(play); }

bool PlayStageFileStep(const std::string& path, int) { return g_playStageFile && g_playStageFile(path); }

void SetInitEffectSlots(void (*init)()) { g_initEffectSlots = init; }

void InitEffectSlotsStep() {
  if (g_initEffectSlots != nullptr) g_initEffectSlots();
}

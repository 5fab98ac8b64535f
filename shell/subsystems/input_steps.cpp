// Input and replay steps of the shell. Filled by issue #14 (key repeat, key
// configuration, the frame's input poll, replay files, keyboard hooks).
#include "shell/subsystems/subsystem_steps.h"

void SetKeyRepeatStep() {}
void StartInputStep() {}
void PollInputStep() {}
bool ReadReplayStep(const std::string&) { return false; }
std::optional<std::string> MakeReplayFileNameStep() { return std::nullopt; }
bool WriteReplayStep(const std::string&, bool) { return false; }
void UnhookKeyboardStep() {}

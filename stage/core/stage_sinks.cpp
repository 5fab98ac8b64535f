#include "stage/core/stage_sinks.h"

#include "foundation/log.h"
#include "platform/input_devices.h"

namespace {

// Virtual-key codes: Space 32, F1 112 and on.
int VirtualKeyOf(SpecialKey key) {
  if (key == SpecialKey::Space) return 32;
  return 111 + static_cast<int>(key);
}

// Sound and music requests go to the sound subsystem once it serves the
// stage; until then they are dropped.
StageSinks ProgramSinks() {
  StageSinks sinks;
  sinks.sound = [](int) {};
  sinks.music = [](int, int) {};
  sinks.debugLog = [](const std::string& text) { DebugLog(text); };
  sinks.keyHeld = [](SpecialKey key) { return platform::IsKeyHeld(VirtualKeyOf(key)); };
  return sinks;
}

}  // namespace

StageSinks& ActiveStageSinks() {
  static StageSinks sinks = ProgramSinks();
  return sinks;
}

void ResetStageSinks() { ActiveStageSinks() = ProgramSinks(); }

void RequestStageSound(int number) {
  if (ActiveStageSinks().sound) ActiveStageSinks().sound(number);
}

void RequestStageMusic(int bgm, int loop) {
  if (ActiveStageSinks().music) ActiveStageSinks().music(bgm, loop);
}

void StageDebugLog(const std::string& text) {
  if (ActiveStageSinks().debugLog) ActiveStageSinks().debugLog(text);
}

bool IsSpecialKeyHeld(SpecialKey key) {
  return ActiveStageSinks().keyHeld && ActiveStageSinks().keyHeld(key);
}

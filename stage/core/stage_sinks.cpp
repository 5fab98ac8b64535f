#include "stage/core/stage_sinks.h"

#include "foundation/log.h"
#include "platform/input_devices.h"
#include "shell/game/game.h"
#include "sound/waves/sound_requests.h"

namespace {

// Virtual-key codes: Space 32, F1 112 and on.
int VirtualKeyOf(SpecialKey key) {
  if (key == SpecialKey::Space) return 32;
  return 111 + static_cast<int>(key);
}

// The stage's music plays in the stage slot (4) of the music player.
constexpr int kStageMusicSlot = 4;

StageSinks ProgramSinks() {
  StageSinks sinks;
  sinks.sound = [](int n) { RequestSound(n); };
  sinks.music = [](int bgm, int) { g_Game.RequestBgm(bgm, 0, kStageMusicSlot); };
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

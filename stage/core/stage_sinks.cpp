#include "stage/core/stage_sinks.h"

#include "definitions/save_data/save_data.h"
#include "foundation/log.h"
#include "platform/input_devices.h"
#include "platform/main_thread.h"
#include "sound/bgm/bgm_request.h"
#include "sound/waves/sound_requests.h"

namespace {

// Virtual-key codes: Space 32, F1 112 and on.
int VirtualKeyOf(SpecialKey key) {
  if (key == SpecialKey::Space) return 32;
  return 111 + static_cast<int>(key);
}

// The stage's music plays in the stage slot of the music player, which
// takes the loop flag from the word the stage sets before it asks; the
// stage waits until the music has changed.
void RequestStageSlotMusic(int bgm, int loop) {
  g_nStageBgmLoop = loop;
  platform::SendRequest(WM_GAME_PLAYBGM, static_cast<std::uintptr_t>(kStageBgmSlot), bgm);
}

StageSinks ProgramSinks() {
  StageSinks sinks;
  sinks.sound = [](int n) { RequestSound(n); };
  sinks.music = RequestStageSlotMusic;
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
  g_SaveData.m_nStageState1 = bgm;
  g_SaveData.m_nStageState2 = loop;
  if (ActiveStageSinks().music) ActiveStageSinks().music(bgm, loop);
}

void StageDebugLog(const std::string& text) {
  if (ActiveStageSinks().debugLog) ActiveStageSinks().debugLog(text);
}

bool IsSpecialKeyHeld(SpecialKey key) {
  return ActiveStageSinks().keyHeld && ActiveStageSinks().keyHeld(key);
}

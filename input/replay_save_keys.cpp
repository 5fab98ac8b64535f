#include "input/replay_save_keys.h"

#include <atomic>

#include "input/replay.h"
#include "input/replay_requests.h"
#include "platform/input_devices.h"
#include "project/global_data.h"
#include "sound/waves/sound_requests.h"

namespace {

constexpr int kKeyF1 = 112;
constexpr int kKeyF2 = 113;
constexpr int kRefusalCooldown = 60;
constexpr int kSoundDecide = 1;
constexpr int kSoundRefusal = 3;

// The refusal sound's cooldown, and whether F1 / F2 were let go since the last save.
std::atomic<int> g_cooldown{0};
std::atomic<bool> g_armed{true};

}  // namespace

int CheckReplaySaveKeys() {
  const ReplayRequestHooks& hooks = CurrentReplayRequestHooks();
  if ((hooks.isPlayingBack && hooks.isPlayingBack()) || !g_System->m_bReplayRecord) return 0;
  if (g_cooldown > 0) --g_cooldown;
  const bool current = platform::IsKeyHeld(kKeyF1);
  const bool previous = !current && platform::IsKeyHeld(kKeyF2);
  if (!current && !previous) {
    g_armed = true;
    return 0;
  }
  const cReplay& replay = current ? g_Replay : g_ReplayPrev;
  if (!replay.HasDirRuns()) {
    if (g_cooldown == 0) {
      RequestSound(kSoundRefusal);
      g_cooldown = kRefusalCooldown;
    }
    return 0;
  }
  // A key still held after its save (the dialog has closed) saves nothing more.
  if (!g_armed.exchange(false)) return 0;
  RequestSound(kSoundDecide);
  if (hooks.requestSave) hooks.requestSave(current ? 0 : 1);
  return 1;
}

void ResetReplaySaveKeys() {
  g_cooldown = 0;
  g_armed = true;
}

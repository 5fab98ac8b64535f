#include "sound/waves/sound_requests.h"

#include <algorithm>

#include "foundation/log.h"
#include "platform/first_frame.h"
#include "platform/main_thread.h"
#include "project/global_data.h"
#include "sound/sound_messages.h"

cVector<DSSOUNDDATA> g_Sounds;
cVector<DSSOUNDFILE> g_SoundFiles;

namespace {

// Set while the waves wait for the window's first frame (main thread only).
bool g_loadWaiting = false;

void LoadSounds() {
  g_loadWaiting = false;
  DS_LoadSounds(g_Sounds, g_SoundFiles, MasterVolumeOfStep(g_UserOption->m_nSoundVolume));
}

}  // namespace

int MasterVolumeOfStep(int step) {
  return g_MasterVolumeTable[std::size_t(std::clamp(step, 0, int(g_MasterVolumeTable.size()) - 1))];
}

void BuildSoundFileList() {
  const cVector<std::string>& systemFiles = g_System->m_vSoundFiles;
  const cVector<cSound>& database = g_Database->m_vSound;
  // Database sound 0 is no sound; its number is the last system sound's.
  const std::size_t count = kSystemSoundCount + std::max<std::size_t>(database.size(), 1);
  g_SoundFiles.assign(std::max(count, systemFiles.size()), DSSOUNDFILE{});
  for (std::size_t i = 0; i < systemFiles.size(); ++i) g_SoundFiles[(long long)i].path = systemFiles[(long long)i];
  for (std::size_t n = 1; n < database.size(); ++n)
    g_SoundFiles[(long long)(kSystemSoundCount + n)].path = database[(long long)n].m_strFile;
}

void LoadSoundsOnceShown() {
  // Converting every wave to the output's format takes longer than the
  // title's first frame: it is done in the main loop once that is shown.
  g_loadWaiting = true;
  platform::RunOnceShown([] {
    if (g_loadWaiting) LoadSounds();
  });
}

void EnsureSoundsLoaded() {
  if (g_loadWaiting) LoadSounds();
}

void DropWaitingSoundLoad() { g_loadWaiting = false; }

void RequestSound(int n) { platform::SendRequest(WM_GAME_PLAYSE, std::uintptr_t(n)); }

void RequestUserSound(int n) {
  if (n != 0) RequestSound(n + kSystemSoundCount);
}

void PlayCursorSound(int directionWord, int axisMask, int n) {
  if ((axisMask & 1) && (directionWord & 0x3)) RequestSound(n);
  if ((axisMask & 2) && (directionWord & 0xC)) RequestSound(n);
}

void PlaySoundRequest(std::uintptr_t n) {
  EnsureSoundsLoaded();
  // A bad number is the game's fault, not the player's: it is reported and
  // nothing plays, and the game goes on.
  if (n >= g_Sounds.size()) {
    ReportAndLog("err V[%d] ( %d , %d )", static_cast<int>(n), int(g_Sounds.size()), DSSOUNDDATA::kLoggedSize);
    return;
  }
  DS_PlaySound(g_Sounds[(long long)n], 0);
}

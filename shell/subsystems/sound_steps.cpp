// Sound and music steps of the shell: the title music player and the sound
// list at start-up, the sound output with every sound at the options'
// master volume, their release at shutdown, the music stopped on close, and
// the window's sound and music requests.
#include "foundation/log.h"
#include "project/global_data.h"
#include "shell/init/system_ini.h"
#include "shell/subsystems/subsystem_steps.h"
#include "sound/bgm/bgm_player.h"
#include "sound/bgm/bgm_request.h"
#include "sound/waves/sound_requests.h"

void StartMusicStep() {
  if (g_UserOption->m_bMusic)
    g_BgmPlayer.Init(1, g_DefaultOggTracks, g_DefaultMidiTracks, kBgmSlotCount, g_SystemIni.Midi_DirectMusic);
  BuildSoundFileList();
}

bool StartSoundStep() {
  // The game's wish of 22050 Hz, 8 bits, mono; the output plays at its own
  // rate in stereo. Without a device the game runs silent.
  if (!DS_Init(nullptr, 22050, 8, 1)) {
    DebugLogText(Cp932Literal("DS_Init失敗！"));
    return false;
  }
  DebugLogF("DSCreate");
  LoadSoundsOnceShown();
  return true;
}

void ReleaseSoundStep() {
  DropWaitingSoundLoad();
  DS_Release();
  g_BgmPlayer.Release();
  g_Sounds.clear();
  g_SoundFiles.clear();
}

void StopMusicStep() { g_BgmPlayer.Stop(); }

void PlaySoundStep(std::uintptr_t number) { PlaySoundRequest(number); }

void PlayScreenBgmStep(std::uintptr_t slot, std::intptr_t bgmNumber) { PlayBgmRequest(slot, bgmNumber); }

// Sound and music steps of the shell. Filled by issue #15 (cBgmPlayer::Init
// and the sound-file list, DS_Init and DS_LoadSounds, DS_Release and
// cBgmPlayer::Release, cBgmPlayer::Stop, DS_PlaySound, the screen music).
// Until then there are no sounds and no music.
#include "shell/subsystems/subsystem_steps.h"

void StartMusicStep() {}
bool StartSoundStep() { return true; }
void ReleaseSoundStep() {}
void StopMusicStep() {}
int SoundCountStep() { return 0; }
void PlaySoundStep(int) {}
void PlayScreenBgmStep(int) {}

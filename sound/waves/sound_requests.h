#pragma once
// Sound numbers and the way to them: 0 to 16 are the system sounds, 16 + n
// is database sound n (n >= 1). Any thread asks for a sound with a request
// that the main window serves; the sender waits for it. The sound list is
// built at start-up from the system record and the sound database.

#include <array>
#include <cstdint>

#include "foundation/checked_vector.h"
#include "sound/waves/sound_buffers.h"

inline constexpr int kSystemSoundCount = 16;

extern cVector<DSSOUNDDATA> g_Sounds;
extern cVector<DSSOUNDFILE> g_SoundFiles;

// The master volume per sound-volume step 0..10 of the user options, in
// hundredths of a decibel.
inline constexpr std::array<int, 11> g_MasterVolumeTable = {-10000, -3000, -2000, -1300, -800, -500,
                                                            -300,   -150,  -80,   -30,   0};
// The table entry of a step; steps outside 0..10 take the nearest end.
int MasterVolumeOfStep(int step);

// g_SoundFiles := one entry per sound number: the system record's sound
// files first, then the database's; each with 1 copy, volume 0, flag 1.
void BuildSoundFileList();

// Main thread: reads the sound list's waves (DS_LoadSounds at the user
// options' master volume). While the window waits for its first frame this
// is put off until the frame is shown, or until a sound is first played or
// set, whichever comes first.
void LoadSoundsOnceShown();
// Main thread: the put-off load done now, if it is still waiting.
void EnsureSoundsLoaded();
// Main thread: a put-off load that has not run is dropped.
void DropWaitingSoundLoad();

// System sound n (0..15): WM_GAME_PLAYSE with n, waiting for it.
void RequestSound(int n);
// Database sound n: nothing for 0, else WM_GAME_PLAYSE with n + 16.
void RequestUserSound(int n);
// Menu cursors: plays sound n once when mask bit 1 is set and the direction
// word shows left or right (bits 1, 2), and once more when mask bit 2 is set
// and it shows up or down (bits 4, 8).
void PlayCursorSound(int directionWord, int axisMask, int n);

// The window procedure's WM_GAME_PLAYSE: sound n once (after the put-off
// load, if it waits). A number outside the
// list writes the checked list's report line and plays nothing.
void PlaySoundRequest(std::uintptr_t n);

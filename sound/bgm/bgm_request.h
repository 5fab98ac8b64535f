#pragma once
// The window procedure's WM_GAME_PLAYBGM: a screen's music. Slots 0 to 3
// (title, world map, challenge, options) take the screen's music number and
// loop flag from the system record; slot 4 (the stage and the music
// command) takes the number the request carries and the loop flag the
// stage left in g_nStageBgmLoop. Number 0 stops the music; any other picks
// the music database's entry, whose file and volume go into the slot, which
// then plays on channel 0, forced. Slots above 4 are ignored.

#include <cstdint>

#include "sound/sound_messages.h"

inline constexpr int kStageBgmSlot = 4;

// The loop flag of the stage's music request, written before it is sent.
extern int g_nStageBgmLoop;

void PlayBgmRequest(std::uintptr_t slot, std::intptr_t bgmNumber);

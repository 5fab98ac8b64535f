#pragma once
// The requests other threads send to the main window for sound and music;
// the window procedure serves them (sound/waves/sound_requests.h,
// sound/bgm/bgm_request.h).

inline constexpr unsigned WM_GAME_PLAYSE = 0x0400 + 5;
inline constexpr unsigned WM_GAME_PLAYBGM = 0x0400 + 6;

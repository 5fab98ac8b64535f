#pragma once
// The requests that other threads send to the main thread, which owns the
// window, the dialogs, sound and music and the graphics device. The dialog
// requests are posted and answered through hand-shake flags that the asking
// thread polls; the others are sent and waited for.

#include <atomic>
#include <cstdint>

#include "sound/sound_messages.h"  // WM_GAME_PLAYSE, WM_GAME_PLAYBGM

inline constexpr unsigned WM_USER = 0x0400;
inline constexpr unsigned WM_GAME_NAMEENTRY = WM_USER + 1;
inline constexpr unsigned WM_GAME_OPENSTAGE = WM_USER + 2;
inline constexpr unsigned WM_GAME_LOADREPLAY = WM_USER + 3;
inline constexpr unsigned WM_GAME_SAVEREPLAY = WM_USER + 4;  // wParam: 0 this attempt, else the previous one
inline constexpr unsigned WM_GAME_RESTORE = WM_USER + 100;

// Hand-shake flags: set by the main thread when the request is done.
extern std::atomic<int> g_bNameEntryDone;
extern std::atomic<int> g_bFileRequestDone;
extern std::atomic<int> g_nFileRequestResult;

// Asking side (any thread but the main thread): posts the request and waits,
// 1 ms at a time, for its done flag. The wait also ends when the asking
// thread is told to stop or the main thread has quit, so a close never
// deadlocks on a waiting worker; the result is then 0.
// The file requests' result: 1 when a file was chosen and handled.
int RequestFileDialog(unsigned id, std::uintptr_t wParam = 0);
void RequestNameEntry();

// Serving side: the window procedure's part for the game's requests (main thread).
std::intptr_t ServeGameRequest(unsigned id, std::uintptr_t wParam, std::intptr_t lParam);

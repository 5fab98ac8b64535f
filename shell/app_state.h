#pragma once
// Process-wide flags of the application shell.

#include <atomic>

#include "foundation/run_mode.h"

// 1 while the application is active; written by the main thread's event
// loop, read by the main loop and by the game thread.
extern std::atomic<int> g_bActive;
// 1 once the game initialisation succeeded, just before the game thread starts.
extern int g_bGameStarted;
// 1 when the game runs in a window rather than full screen.
extern int g_bWindowed;
// 1 when a stage file was started directly from the command line.
extern int g_bDirectStage;
// 1 once a close has got past the exit question.
extern std::atomic<int> g_bClosing;

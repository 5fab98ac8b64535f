#pragma once
// The game thread's procedure: one frame step per pass while the application
// is active, ended by WM_QUIT on its queue.

#include <functional>

// The first message posted to the game thread once it runs.
inline constexpr unsigned WM_GAME_PROBE = 0x8000;

// The frame step that the game thread runs: 1 to go on, 0 when it failed
// (the thread then raises a close). Without one set, it is the game's own
// (cGame::Frame).
using FrameStep = std::function<int()>;
void SetGameFrameStep(FrameStep step);

unsigned GameThreadProc();

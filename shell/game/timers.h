#pragma once
// The millisecond timers and counters of the frame step, read from the game
// clock. Each keeps one global state, as the frame step and the screens
// share them: the elapsed-time start, the lap time, the frames of the last
// whole second, the DirectDraw frame due time and the frame-skip counter.

#include <cstdint>

void ResetElapsedTime();
// Time since the start; restarts it when `restart` is non-zero.
std::uint32_t GetElapsedTime(int restart);
// With a non-zero argument stores and returns the elapsed time; with 0
// returns the stored value.
std::uint32_t GetLapTime(int measure);
// Counts calls; once 1000 ms have passed since the current second began the
// count becomes the result and a new second begins. With 0 only returns the
// last result. The first call begins the first second.
int CountFps(int count);
// DirectDraw pacing: true when fps is 0 or the frame is due; a due frame
// makes the next one due 1000 / fps ms (integer division) after now, so a
// stall never leads to frames back to back. The first call is due at once.
bool FrameDue(int fps);
// Mode 0 resets the counter (0); mode 2 gives 1 when it is 0; any other mode
// counts up and gives 1 (resetting it) when it reaches the period.
int FrameSkipCount(int mode, int period);
// Moves the value by step, down when the flag is set, up otherwise. At or
// beyond `low` it steps back, clears the flag and gives 1; at or beyond
// `high` it steps back and sets the flag; otherwise 0.
int PingPong(int* value, int* downward, int step, int low, int high);

// Every timer back to its first-call state (a new start-up, tests).
void ResetFrameTimers();

#pragma once
// F1 and F2 during play: the replay of the current or the previous attempt
// is saved through the main thread's save dialog (input/replay_requests.h).

// Once per frame of the stage scene's phases: 1 when a replay was saved this
// frame (the frame then draws nothing more). Nothing while a replay plays
// back or when the project does not record replays. A key saves once per
// press; an empty replay is refused with system sound 3, at most once a
// second.
int CheckReplaySaveKeys();

// Forgets the refusal cooldown and re-arms both keys, as at program start.
void ResetReplaySaveKeys();

#pragma once
// Everything the game thread needs, prepared on the main thread before it
// starts, and released again in a fixed order at the end.

// True when the game can start; every failure returns false at once, after
// its message. The caller runs ExitGame either way.
bool InitGame();
// Releases what InitGame set up; safe after a partial InitGame.
void ExitGame();

#pragma once
// Everything the game thread needs, prepared on the main thread before it
// starts, and released again in a fixed order at the end.

#include <string_view>

// True when the game can start; every failure returns false at once, after
// its message. The caller runs ExitGame either way. The command line names
// a stage file (CP932) to start in free play, or is empty.
bool InitGame(std::string_view commandLine);
// Releases what InitGame set up; safe after a partial InitGame and when
// called again.
void ExitGame();

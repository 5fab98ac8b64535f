#pragma once
// Settings the player gives the system's graphics driver (Mesa's OpenGL)
// before SDL loads it.

namespace platform {

// Turns Mesa's on-disk shader cache off unless the user set it: its writer
// thread runs at the lowest priority, and on a busy machine that thread,
// the last one left, would take the process's exit many seconds after the
// player has closed. The few shaders SDL's renderer uses compile in moments.
// Called in main before SDL starts.
void SetGraphicsDriverEnvironment();

}  // namespace platform

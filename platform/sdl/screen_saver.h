#pragma once
// The screen saver and the desktop's idle sleep are held off only while the
// game's window has the keyboard's focus, the game playing in front of the
// user: a game left behind another window or minimised waits, and the screen
// may blank and the machine sleep as for any other window. SDL would hold
// them off from its start to its end, under a name of its own.

struct SDL_Window;

namespace platform::sdl {

// Before SDL's video part starts: it lets the screen saver run.
void LetTheScreenSaverRunUnlessHeldOff();
// Main thread. While held off, the desktop's list of what holds it off
// names the game (the window's title as it was when the hold began).
void HoldOffTheScreenSaver(bool holdOff, SDL_Window* gameWindow);

}  // namespace platform::sdl

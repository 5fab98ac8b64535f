#pragma once
// Full screen where no window manager makes a window so: an X session that
// runs only the game (a kiosk), or a window manager without full screen.
// SDL asks the window manager for it and takes the window to have the
// monitor's size at once; with nobody to answer, the window would keep its
// size and show a corner of the picture drawn for the monitor. The player
// then gives the window the monitor's place and size itself.

struct SDL_Window;

namespace platform::sdl {

// Main thread, once the window was made full screen.
void CoverTheMonitorWhereNoWindowManagerDoes(SDL_Window* window);

}  // namespace platform::sdl

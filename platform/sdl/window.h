#pragma once
// The SDL window of the game, for the other SDL services of platform/ (the
// presenter renders into it, message boxes are owned by it). Main thread
// only; null while no window exists.

struct SDL_Window;

namespace platform::sdl {
SDL_Window* MainSdlWindow();
}

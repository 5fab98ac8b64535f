#include "platform/sdl/step_aside.h"

#include <SDL.h>

#include "platform/sdl/window.h"

namespace platform::sdl {

void StepMainWindowAside() {
  // SDL leaves full screen for a minimised window and takes it up again
  // when the window is restored.
  if (SDL_Window* window = MainSdlWindow()) SDL_MinimizeWindow(window);
}

void BringMainWindowBack() {
  SDL_Window* window = MainSdlWindow();
  if (!window) return;
  SDL_RestoreWindow(window);
  // The question's window had the focus: the game takes it back.
  SDL_RaiseWindow(window);
}

}  // namespace platform::sdl

#include "platform/mouse.h"

#include <SDL.h>

#include <atomic>

#include "platform/backend.h"
#include "platform/sdl/ui_events.h"

namespace platform {
namespace {

std::atomic<bool> g_headlessLeft{false};
std::atomic<bool> g_headlessRight{false};

}  // namespace

MouseButtons HeldMouseButtons() {
  if (CurrentBackend() == Backend::Headless) return {g_headlessLeft.load(), g_headlessRight.load()};
  const Uint32 state = SDL_GetMouseState(nullptr, nullptr);
  return {(state & SDL_BUTTON_LMASK) != 0, (state & SDL_BUTTON_RMASK) != 0};
}

void SetHeadlessMouseButtons(MouseButtons buttons) {
  g_headlessLeft.store(buttons.left);
  g_headlessRight.store(buttons.right);
}

void WarpPointer(UiSurface surface, int x, int y) {
  if (CurrentBackend() == Backend::Headless) return;
  SDL_Window* window = sdl::SurfaceWindow(surface);
  if (!window || !(SDL_GetWindowFlags(window) & SDL_WINDOW_SHOWN)) return;
  const SDL_Point point = sdl::PictureToWindow(surface, x, y);
  SDL_WarpMouseInWindow(window, point.x, point.y);
}

}  // namespace platform

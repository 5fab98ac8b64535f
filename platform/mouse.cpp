#include "platform/mouse.h"

#include <SDL.h>

#include <atomic>
#include <mutex>

#include "platform/backend.h"
#include "platform/main_thread.h"
#include "platform/sdl/ui_events.h"

namespace platform {
namespace {

std::atomic<bool> g_headlessLeft{false};
std::atomic<bool> g_headlessRight{false};

std::mutex g_headlessWarpMutex;
std::optional<PointerWarp> g_headlessWarp;

// The pointer as last asked for; the SDL backend applies it on the main thread.
std::atomic<bool> g_pointerShown{true};

void ApplyPointer() {
  if (CurrentBackend() != Backend::Sdl || !SDL_WasInit(SDL_INIT_VIDEO)) return;
  const int wanted = g_pointerShown.load() ? SDL_ENABLE : SDL_DISABLE;
  if (SDL_ShowCursor(SDL_QUERY) != wanted) SDL_ShowCursor(wanted);
}

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
  if (CurrentBackend() == Backend::Headless) {
    std::lock_guard lock(g_headlessWarpMutex);
    g_headlessWarp = PointerWarp{surface, x, y};
    return;
  }
  SDL_Window* window = sdl::SurfaceWindow(surface);
  if (!window || !(SDL_GetWindowFlags(window) & SDL_WINDOW_SHOWN)) return;
  const SDL_Point point = sdl::PictureToWindow(surface, x, y);
  SDL_WarpMouseInWindow(window, point.x, point.y);
}

std::optional<PointerWarp> LastHeadlessPointerWarp() {
  std::lock_guard lock(g_headlessWarpMutex);
  return g_headlessWarp;
}

void ForgetHeadlessPointerWarp() {
  std::lock_guard lock(g_headlessWarpMutex);
  g_headlessWarp.reset();
}

void ShowPointer(bool shown) {
  g_pointerShown.store(shown);
  // Applied in every pass of the main thread as well: a video start after
  // the request (a window made later) begins with the pointer shown.
  static std::once_flag taskAdded;
  std::call_once(taskAdded, [] { AddMainLoopTask(ApplyPointer); });
  if (IsMainThread()) ApplyPointer();
}

bool PointerShown() { return g_pointerShown.load(); }

}  // namespace platform

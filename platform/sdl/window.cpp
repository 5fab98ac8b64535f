#include "platform/sdl/window.h"

#include <SDL.h>

#include <atomic>
#include <cstdio>

#include "platform/sdl/ui_events.h"
#include "platform/window_backend.h"

namespace platform {
namespace {

class SdlWindow final : public WindowBackend {
 public:
  bool Create(int clientWidth, int clientHeight) override {
    // Termination signals are the shell's business (a quiet close), not a
    // user's close request.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    sdl::PrepareTextInput();
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
      std::fprintf(stderr, "SDL video: %s\n", SDL_GetError());
      return false;
    }
    window_ = SDL_CreateWindow("", 100, 100, clientWidth, clientHeight, SDL_WINDOW_HIDDEN);
    if (!window_) {
      std::fprintf(stderr, "SDL window: %s\n", SDL_GetError());
      SDL_QuitSubSystem(SDL_INIT_VIDEO);
      return false;
    }
    wakeEvent_ = SDL_RegisterEvents(1);
    // Typed text is wanted only while a dialog's edit box has the focus.
    SDL_StopTextInput();
    return true;
  }
  void Destroy() override {
    if (!window_) return;
    SDL_DestroyWindow(window_);
    window_ = nullptr;
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
  }
  bool Exists() const override { return window_ != nullptr; }
  void SetTitle(const std::string& utf8Title) override {
    if (window_) SDL_SetWindowTitle(window_, utf8Title.c_str());
  }
  void Centre() override {
    if (window_) SDL_SetWindowPosition(window_, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
  }
  void Show(bool maximised) override {
    if (!window_) return;
    SDL_ShowWindow(window_);
    if (maximised) SDL_MaximizeWindow(window_);
    // Showing the window activates the application, as a desktop does for a
    // newly shown window even when no window manager sends a focus event.
    showPending_ = true;
  }
  void Move(int x, int y) override {
    if (window_) SDL_SetWindowPosition(window_, x, y);
  }
  WindowRect WorkArea() const override {
    SDL_Rect area{0, 0, 0, 0};
    if (SDL_GetDisplayUsableBounds(window_ ? SDL_GetWindowDisplayIndex(window_) : 0, &area) != 0)
      SDL_GetDisplayBounds(0, &area);
    return {area.x, area.y, area.w, area.h};
  }
  WindowRect Rect() const override {
    WindowRect rect;
    if (window_) {
      SDL_GetWindowPosition(window_, &rect.x, &rect.y);
      SDL_GetWindowSize(window_, &rect.width, &rect.height);
    }
    return rect;
  }
  void PollEvents(const EventHandlers& handlers) override {
    if (showPending_) {
      showPending_ = false;
      Activate(handlers, true);
    }
    SDL_Event event;
    while (SDL_PollEvent(&event)) Handle(event, handlers);
  }
  void WaitForEvent(int timeoutMs) override {
    // Without an event to fill, the event stays queued for PollEvents.
    SDL_WaitEventTimeout(nullptr, timeoutMs);
  }
  void Wake() override {
    if (wakeEvent_ == static_cast<Uint32>(-1)) return;
    SDL_Event event{};
    event.type = wakeEvent_;
    SDL_PushEvent(&event);
  }
  SDL_Window* Window() const { return window_; }

 private:
  static void Activate(const EventHandlers& handlers, bool active) {
    if (handlers.onActivate) handlers.onActivate(active);
  }
  void Handle(const SDL_Event& event, const EventHandlers& handlers) {
    if (UiEvent input; sdl::TranslateUiEvent(event, input)) {
      if (handlers.onInput) handlers.onInput(input);
      return;
    }
    // SDL_QUIT that follows the last window's close is not a second close.
    if (event.type != SDL_WINDOWEVENT || !window_ || event.window.windowID != SDL_GetWindowID(window_))
      return;
    switch (event.window.event) {
      case SDL_WINDOWEVENT_CLOSE:
        if (handlers.onClose) handlers.onClose(CloseReason::User);
        break;
      case SDL_WINDOWEVENT_FOCUS_GAINED:
        Activate(handlers, true);
        break;
      case SDL_WINDOWEVENT_FOCUS_LOST:
        Activate(handlers, false);
        break;
      default:
        break;
    }
  }

  SDL_Window* window_ = nullptr;
  bool showPending_ = false;
  std::atomic<Uint32> wakeEvent_{static_cast<Uint32>(-1)};
};

SdlWindow& Instance() {
  static SdlWindow window;
  return window;
}

}  // namespace

WindowBackend& SdlWindowBackend() { return Instance(); }

namespace sdl {
SDL_Window* MainSdlWindow() { return Instance().Window(); }
}  // namespace sdl

}  // namespace platform

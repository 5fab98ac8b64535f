#include "platform/sdl/window.h"

#include <SDL.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "platform/first_frame.h"
#include "platform/sdl/display_loss_watch.h"
#include "platform/sdl/screen_saver.h"
#include "platform/sdl/ui_events.h"
#include "platform/sdl/video_start.h"
#include "platform/window_backend.h"

namespace platform {
namespace {

class SdlWindow final : public WindowBackend {
 public:
  bool Create(int clientWidth, int clientHeight) override {
    if (!StartVideo()) {
      std::fprintf(stderr, "SDL video: %s\n", SDL_GetError());
      return false;
    }
    auto displayLossWatch = std::make_unique<sdl::DisplayLossWatch>();
    // Made on the primary monitor (SDL lists it first), which a first start
    // and full screen use; a place saved on another moves it there. Drawn at
    // the desktop's own resolution where it scales windows (a HiDPI Wayland
    // desktop), rather than at half and blurred by its scaling: the
    // renderer's output then has more pixels than the window's size says.
    window_ = SDL_CreateWindow("", SDL_WINDOWPOS_CENTERED_DISPLAY(0), SDL_WINDOWPOS_CENTERED_DISPLAY(0),
                               clientWidth, clientHeight, SDL_WINDOW_HIDDEN | SDL_WINDOW_ALLOW_HIGHDPI);
    if (!window_) {
      std::fprintf(stderr, "SDL window: %s\n", SDL_GetError());
      StopVideo();
      return false;
    }
    displayLossWatch_ = std::move(displayLossWatch);
    wakeEvent_ = SDL_RegisterEvents(1);
    // Typed text is wanted only while a dialog's edit box has the focus.
    SDL_StopTextInput();
    return true;
  }
  bool CreateRenderer() override {
    // Some renderers make the window again for their own kind of surface:
    // made while the window is hidden, that stays unseen.
    if (!window_) return false;
    if (SDL_GetRenderer(window_) || SDL_CreateRenderer(window_, -1, 0)) {
      ExpectFirstFrame();
      return true;
    }
    std::fprintf(stderr, "SDL renderer: %s\n", SDL_GetError());
    return false;
  }
  void Destroy() override {
    if (!window_) return;
    if (SDL_Renderer* renderer = SDL_GetRenderer(window_)) SDL_DestroyRenderer(renderer);
    SDL_DestroyWindow(window_);
    window_ = nullptr;
    displayLossWatch_.reset();
    FirstFrameDone();
    StopVideo();
  }
  bool Exists() const override { return window_ != nullptr; }
  void SetTitle(const std::string& utf8Title) override {
    if (window_) SDL_SetWindowTitle(window_, utf8Title.c_str());
  }
  void Show(bool maximised) override {
    if (!window_) return;
    SDL_ShowWindow(window_);
    if (maximised) SDL_MaximizeWindow(window_);
    // A window manager frames the window as it maps it: its frame is
    // usually known after one look at the events (which stay queued).
    SDL_PumpEvents();
    // Showing the window activates the application, as a desktop does for a
    // newly shown window even when no window manager sends a focus event.
    showPending_ = true;
  }
  void Move(int x, int y) override {
    if (window_) SDL_SetWindowPosition(window_, x, y);
  }
  WindowRect Rect() const override {
    WindowRect rect;
    if (window_) {
      SDL_GetWindowPosition(window_, &rect.x, &rect.y);
      SDL_GetWindowSize(window_, &rect.width, &rect.height);
    }
    return rect;
  }
  void Place(int x, int y, int clientWidth, int clientHeight) override {
    if (!window_) return;
    SDL_SetWindowSize(window_, clientWidth, clientHeight);
    SDL_SetWindowPosition(window_, x, y);
  }
  bool Maximised() const override { return window_ && (SDL_GetWindowFlags(window_) & SDL_WINDOW_MAXIMIZED); }
  bool Minimised() const override { return window_ && (SDL_GetWindowFlags(window_) & SDL_WINDOW_MINIMIZED); }
  bool FullScreen() const override { return window_ && (SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN); }
  WindowFrame Frame() const override {
    WindowFrame frame;
    if (window_ && SDL_GetWindowBordersSize(window_, &frame.top, &frame.left, &frame.bottom, &frame.right) != 0)
      return {};
    return frame;
  }
  void SetResizable(bool resizable) override {
    if (window_) SDL_SetWindowResizable(window_, resizable ? SDL_TRUE : SDL_FALSE);
  }
  void SetSizeLimits(int minWidth, int minHeight, int maxWidth, int maxHeight) override {
    if (!window_) return;
    if (minWidth > 0 && minHeight > 0) SDL_SetWindowMinimumSize(window_, minWidth, minHeight);
    if (maxWidth > 0 && maxHeight > 0) SDL_SetWindowMaximumSize(window_, maxWidth, maxHeight);
  }
  int DesktopDepth() const override {
    SDL_DisplayMode mode;
    if (SDL_GetDesktopDisplayMode(DisplayIndex(), &mode) != 0) return 32;
    // Only a desktop known to have 15 or 16 bits a pixel is a 16-bit one to
    // the game. Any other is a 32-bit one: 24 colour bits are kept in 32-bit
    // pixels, and a desktop of 10 bits a channel (which SDL names no format
    // for) shows programs 32 bits on Windows too.
    const int bits = SDL_BITSPERPIXEL(mode.format);
    return bits == 15 || bits == 16 ? 16 : 32;
  }
  int RefreshRate() const override {
    SDL_DisplayMode mode;
    if (SDL_GetDesktopDisplayMode(DisplayIndex(), &mode) != 0 || mode.refresh_rate <= 0) return 60;
    return mode.refresh_rate;
  }
  std::vector<Monitor> Monitors() const override {
    // The report asks before the window exists: the video part of SDL
    // starts here and stays for the window, also for a driver the user chose.
    if (!videoHeld_ && (DisplayProblem() || !StartVideo())) return {};
    std::vector<Monitor> monitors;
    for (int index = 0; index < SDL_GetNumVideoDisplays(); ++index) {
      SDL_Rect bounds{0, 0, 0, 0};
      if (SDL_GetDisplayBounds(index, &bounds) != 0) continue;
      SDL_Rect usable = bounds;
      if (SDL_GetDisplayUsableBounds(index, &usable) != 0) usable = bounds;
      monitors.push_back(
          {{bounds.x, bounds.y, bounds.w, bounds.h}, {usable.x, usable.y, usable.w, usable.h}});
    }
    return monitors;
  }
  std::string Description() const override {
    SDL_version version;
    SDL_GetVersion(&version);
    std::string text = "SDL " + std::to_string(version.major) + "." + std::to_string(version.minor) + "." +
                       std::to_string(version.patch);
    if (const char* driver = SDL_GetCurrentVideoDriver()) text += std::string(", video ") + driver;
    // The renderer the window was given, which may be another than SDL's
    // first choice (a driver without OpenGL gets the software one).
    SDL_RendererInfo info;
    if (SDL_Renderer* renderer = window_ ? SDL_GetRenderer(window_) : nullptr;
        renderer && SDL_GetRendererInfo(renderer, &info) == 0)
      text += std::string(", renderer ") + info.name;
    return text;
  }
  std::optional<std::string> DisplayProblem() const override {
    // A driver the user chose is taken as asked for.
    if (NonEmpty(std::getenv("SDL_VIDEODRIVER"))) return std::nullopt;
    if (!NonEmpty(std::getenv("DISPLAY")) && !NonEmpty(std::getenv("WAYLAND_DISPLAY")))
      return std::string("no X11 or Wayland display (DISPLAY and WAYLAND_DISPLAY are not set)");
    // A display that cannot be reached makes SDL fall back to a driver that
    // shows nothing; the video part stays started for the window.
    if (!StartVideo()) return UnreachableDisplay(SDL_GetError());
    const char* driver = SDL_GetCurrentVideoDriver();
    if (!driver || !sdl::DriverShowsNothing(driver)) return std::nullopt;
    StopVideo();
    return UnreachableDisplay(std::string("SDL fell back to its ") + driver + " video driver");
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
  static bool NonEmpty(const char* value) { return value && *value; }
  static std::string UnreachableDisplay(const std::string& why) {
    std::string named;
    if (const char* display = std::getenv("DISPLAY"); NonEmpty(display))
      named = std::string("the display named by DISPLAY (\"") + display + "\")";
    else
      named = std::string("the Wayland display named by WAYLAND_DISPLAY (\"") + std::getenv("WAYLAND_DISPLAY") + "\")";
    return named + " could not be opened: " + why;
  }
  // The video part of SDL, started once for the display check, the desktop
  // questions and the window.
  bool StartVideo() const {
    if (videoHeld_) return true;
    videoHeld_ = sdl::StartVideoSubsystem();
    return videoHeld_;
  }
  void StopVideo() const {
    if (!videoHeld_) return;
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    videoHeld_ = false;
  }
  int DisplayIndex() const {
    const int index = window_ ? SDL_GetWindowDisplayIndex(window_) : 0;
    return index < 0 ? 0 : index;
  }
  void Activate(const EventHandlers& handlers, bool active) {
    sdl::HoldOffTheScreenSaver(active, window_);
    if (handlers.onActivate) handlers.onActivate(active);
  }
  void Handle(const SDL_Event& event, const EventHandlers& handlers) {
    if (UiEvent input; handlers.onInput && sdl::TranslateUiEvent(event, input)) {
      handlers.onInput(input);
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
      // Some window managers leave the focus with a window as they minimise
      // it and restore it.
      case SDL_WINDOWEVENT_MINIMIZED:
        sdl::HoldOffTheScreenSaver(false, window_);
        break;
      case SDL_WINDOWEVENT_RESTORED:
        if (SDL_GetWindowFlags(window_) & SDL_WINDOW_INPUT_FOCUS)
          sdl::HoldOffTheScreenSaver(true, window_);
        break;
      default:
        break;
    }
  }

  SDL_Window* window_ = nullptr;
  // From before the window is made until it is gone.
  std::unique_ptr<sdl::DisplayLossWatch> displayLossWatch_;
  mutable bool videoHeld_ = false;
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

#include "platform/window.h"

#include <atomic>

#include "platform/backend.h"
#include "platform/clock.h"
#include "platform/sdl/video_start.h"
#include "platform/text_encoding.h"
#include "platform/window_backend.h"
#include "platform/window_placement.h"

namespace platform {
namespace {

// Set once the window has been shown (a created window starts hidden).
std::atomic<bool> g_mainWindowShown{false};
WindowPlacement g_placement;

WindowBackend& Current() {
  return CurrentBackend() == Backend::Headless ? HeadlessWindowBackend() : SdlWindowBackend();
}

// A pass over the window's events, the placement kept once they are seen.
void PollWindowEvents(WindowBackend& backend, const EventHandlers& handlers) {
  backend.PollEvents(handlers);
  if (g_mainWindowShown.load()) g_placement.Keep(backend);
}

// How long an inactive loop waits for an event before it looks at the close
// and termination requests again.
constexpr int kInactiveWaitMs = 100;

}  // namespace

bool CreateMainWindow(int clientWidth, int clientHeight) {
  WindowBackend& backend = Current();
  if (!backend.Create(clientWidth, clientHeight)) return false;
  if (!backend.CreateRenderer()) {
    backend.Destroy();
    return false;
  }
  SetMainThreadWakeup([&backend] { backend.Wake(); });
  return true;
}

void DestroyMainWindow() {
  SetMainThreadWakeup(nullptr);
  g_mainWindowShown.store(false);
  g_placement.Forget();
  Current().Destroy();
}

bool MainWindowExists() { return Current().Exists(); }

bool MainWindowShown() { return g_mainWindowShown.load() && Current().Exists(); }

void SetMainWindowTitle(std::string_view cp932Title) { Current().SetTitle(Utf8FromCp932(cp932Title)); }


void ShowMainWindow(bool maximised) {
  Current().Show(maximised);
  g_mainWindowShown.store(true);
  // A window manager that framed the window as it was shown puts it right at once.
  g_placement.Keep(Current());
}

void MoveMainWindow(int x, int y) {
  WindowBackend& backend = Current();
  const WindowRect now = backend.Rect();
  backend.Move(x, y);
  g_placement.Want({x, y, now.width, now.height});
}

void PlaceMainWindow(int x, int y, int clientWidth, int clientHeight) {
  Current().Place(x, y, clientWidth, clientHeight);
  g_placement.Want({x, y, clientWidth, clientHeight});
}

WindowRect MainWindowRect() { return Current().Rect(); }
bool MainWindowMaximised() { return Current().Maximised(); }
bool MainWindowMinimised() { return Current().Minimised(); }
void SetMainWindowResizable(bool resizable) { Current().SetResizable(resizable); }
void SetMainWindowSizeLimits(int minWidth, int minHeight, int maxWidth, int maxHeight) {
  Current().SetSizeLimits(minWidth, minHeight, maxWidth, maxHeight);
}

int DesktopColourDepth() { return Current().DesktopDepth(); }
int DesktopRefreshRate() { return Current().RefreshRate(); }
WindowRect DesktopBounds() {
  const std::vector<Monitor> monitors = Current().Monitors();
  return monitors.empty() ? WindowRect{} : monitors.front().bounds;
}
WindowRect WholeDesktopBounds() { return BoundsOfAll(Current().Monitors()); }
WindowRect WorkAreaHolding(const WindowRect& rect) {
  return MonitorHolding(rect, Current().Monitors()).workArea;
}
WindowRect DesktopWorkArea() { return WorkAreaHolding(MainWindowRect()); }
std::optional<std::string> DisplayProblem() { return Current().DisplayProblem(); }
std::string DisplayDescription() { return Current().Description(); }
bool VideoDriverShowsNothing() {
  return CurrentBackend() == Backend::Sdl && sdl::VideoDriverInUseShowsNothing();
}

void PumpEvents(const EventHandlers& handlers) {
  PollWindowEvents(Current(), handlers);
  ServeMainThread();
}

int RunEventLoop(const EventHandlers& handlers) {
  WindowBackend& backend = Current();
  bool active = false;
  EventHandlers tracking = handlers;
  tracking.onActivate = [&](bool nowActive) {
    active = nowActive;
    if (handlers.onActivate) handlers.onActivate(nowActive);
  };
  while (true) {
    PollWindowEvents(backend, tracking);
    ServeMainThread();
    if (auto reason = TakeCloseRequest(); reason && handlers.onClose) handlers.onClose(*reason);
    if (auto code = QuitPosted()) return *code;
    if (!active) backend.WaitForEvent(kInactiveWaitMs);
    SleepMs(1);
  }
}

}  // namespace platform

#include "platform/window.h"

#include "platform/backend.h"
#include "platform/clock.h"
#include "platform/text_encoding.h"
#include "platform/window_backend.h"

namespace platform {
namespace {

WindowBackend& Current() {
  return CurrentBackend() == Backend::Headless ? HeadlessWindowBackend() : SdlWindowBackend();
}

// How long an inactive loop waits for an event before it looks at the close
// and termination requests again.
constexpr int kInactiveWaitMs = 100;

}  // namespace

bool CreateMainWindow(int clientWidth, int clientHeight) {
  WindowBackend& backend = Current();
  if (!backend.Create(clientWidth, clientHeight)) return false;
  SetMainThreadWakeup([&backend] { backend.Wake(); });
  return true;
}

void DestroyMainWindow() {
  SetMainThreadWakeup(nullptr);
  Current().Destroy();
}

bool MainWindowExists() { return Current().Exists(); }

void SetMainWindowTitle(std::string_view cp932Title) { Current().SetTitle(Utf8FromCp932(cp932Title)); }

void CentreMainWindow() { Current().Centre(); }

void ShowMainWindow(bool maximised) { Current().Show(maximised); }

void MoveMainWindow(int x, int y) { Current().Move(x, y); }

WindowRect MainWindowRect() { return Current().Rect(); }

WindowRect DesktopWorkArea() { return Current().WorkArea(); }

void PumpEvents(const EventHandlers& handlers) {
  Current().PollEvents(handlers);
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
    backend.PollEvents(tracking);
    ServeMainThread();
    if (auto reason = TakeCloseRequest(); reason && handlers.onClose) handlers.onClose(*reason);
    if (auto code = QuitPosted()) return *code;
    if (!active) backend.WaitForEvent(kInactiveWaitMs);
    SleepMs(1);
  }
}

}  // namespace platform

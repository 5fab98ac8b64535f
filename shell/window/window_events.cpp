#include "shell/window/window_events.h"

#include "platform/main_thread.h"
#include "shell/window/main_window_object.h"
#include "shell/window/scale_menu.h"

namespace {
constexpr int kVkF10 = platform::kVkF1 + 9;
constexpr int kRightButton = 2;
}  // namespace

void OnMainWindowInput(const platform::UiEvent& event) {
  if (event.surface != platform::UiSurface::GameWindow) return;
  const bool mouse = event.kind == platform::UiEventKind::MouseMove || event.kind == platform::UiEventKind::MouseDown ||
                     event.kind == platform::UiEventKind::MouseUp;
  if (mouse) g_MainWindow.QueryMouse(0, MOUSE_HELD | MOUSE_PRESS | MOUSE_RELEASE, event.x, event.y);
  if (event.kind == platform::UiEventKind::KeyDown && event.key == platform::kVkEscape) {
    platform::RequestClose(platform::CloseReason::User);
    return;
  }
  if (!ScaleMenuAvailable()) return;
  if (event.kind == platform::UiEventKind::MouseDown && event.button == kRightButton) RunScaleMenu(event.x, event.y);
  if (event.kind == platform::UiEventKind::KeyDown && event.key == kVkF10) RunScaleMenu(0, 0);
}

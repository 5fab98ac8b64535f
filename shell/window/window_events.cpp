#include "shell/window/window_events.h"

#include "platform/main_thread.h"
#include "shell/window/scale_menu.h"

namespace {
constexpr int kVkF10 = platform::kVkF1 + 9;
constexpr int kRightButton = 2;
}  // namespace

void OnMainWindowInput(const platform::UiEvent& event) {
  if (event.surface != platform::UiSurface::GameWindow) return;
  if (event.kind == platform::UiEventKind::KeyDown && event.key == platform::kVkEscape) {
    platform::RequestClose(platform::CloseReason::User);
    return;
  }
  if (!ScaleMenuAvailable()) return;
  if (event.kind == platform::UiEventKind::MouseDown && event.button == kRightButton) RunScaleMenu(event.x, event.y);
  if (event.kind == platform::UiEventKind::KeyDown && event.key == kVkF10) RunScaleMenu(0, 0);
}

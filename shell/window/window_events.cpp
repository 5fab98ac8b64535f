#include "shell/window/window_events.h"

void OnMainWindowEvent(const platform::WindowEvent& event) {
  if (event.kind == platform::WindowEventKind::KeyDown && event.key == platform::WindowKey::Escape)
    platform::RequestClose(platform::CloseReason::User);
}

#pragma once
// The mouse as the window layer reads it: which buttons are held now, and
// putting the pointer at a point of a picture (a dialog puts it on its
// default button). The headless backend holds the buttons a test sets.
// Main thread only.

#include "platform/ui_events.h"

namespace platform {

struct MouseButtons {
  bool left = false;
  bool right = false;
};

MouseButtons HeldMouseButtons();
void SetHeadlessMouseButtons(MouseButtons buttons);

// Moves the pointer to (x, y) in the surface's picture pixels; nothing when
// the surface has no window or the pointer is elsewhere.
void WarpPointer(UiSurface surface, int x, int y);

}  // namespace platform

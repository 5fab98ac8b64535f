#pragma once
// The mouse as the window layer reads it: which buttons are held now,
// putting the pointer at a point of a picture (a dialog puts it on its
// default button), and showing or hiding it. The headless backend holds the
// buttons a test sets. Main thread only, but for ShowPointer.

#include <optional>

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

// Headless: where the pointer was last put (in the surface's picture
// pixels), nothing before.
struct PointerWarp {
  UiSurface surface;
  int x;
  int y;
};
std::optional<PointerWarp> LastHeadlessPointerWarp();
void ForgetHeadlessPointerWarp();

// Shows or hides the pointer over the program's windows (a full-screen game
// hides it). Any thread: called elsewhere, the main thread applies it in its
// next pass.
void ShowPointer(bool shown);
// Whether the pointer is shown, as last asked.
bool PointerShown();

}  // namespace platform

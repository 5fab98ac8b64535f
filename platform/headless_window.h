#pragma once
// The script of the headless window: the desktop it pretends to sit on, its
// maximised and minimised state, and the window events that tests feed in.

#include "platform/window.h"

namespace platform {

struct HeadlessDesktop {
  WindowRect bounds{0, 0, 1920, 1080};
  WindowRect workArea{0, 0, 1920, 1040};
  int depth = 32;
  int refreshRate = 60;
};
void SetHeadlessDesktop(const HeadlessDesktop& desktop);
void SetHeadlessWindowState(bool maximised, bool minimised);
// Delivered to the event handlers by the next pass of the event loop; a
// mouse event also moves the headless mouse.
void InjectHeadlessWindowEvent(const WindowEvent& event);
// The desktop, the state, the events and the mouse back to their defaults.
void ResetHeadlessWindow();

}  // namespace platform

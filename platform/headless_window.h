#pragma once
// The script of the headless window: the desktop it pretends to sit on and
// its maximised and minimised state. (Keys and the mouse come from the event
// script of platform/ui_events.h.)

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
// The desktop and the state back to their defaults.
void ResetHeadlessWindow();

}  // namespace platform

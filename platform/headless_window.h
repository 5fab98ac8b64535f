#pragma once
// The script of the headless window: the desktop it pretends to sit on, the
// frame a window manager draws around it, and its maximised and minimised
// state. (Keys and the mouse come from the event script of
// platform/ui_events.h.)

#include <vector>

#include "platform/window.h"

namespace platform {

// The primary monitor's bounds and work area, the desktop's depth and
// refresh rate, and the monitors beside the primary one.
struct HeadlessDesktop {
  WindowRect bounds{0, 0, 1920, 1080};
  WindowRect workArea{0, 0, 1920, 1040};
  int depth = 32;
  int refreshRate = 60;
  std::vector<Monitor> otherMonitors;
};
// How the window last created came to be seen: how often it was shown,
// whether its renderer existed by the first time, where it stood then, and how
// often it was moved or sized once shown.
struct HeadlessWindowLife {
  int timesShown = 0;
  bool renderedWhenShown = false;
  WindowRect rectWhenShown;
  int placedWhileShown = 0;
};
HeadlessWindowLife HeadlessWindowHistory();

void SetHeadlessDesktop(const HeadlessDesktop& desktop);
// A window manager that frames the windows as they are shown (none by
// default): a main window placed before that lands with the frame's corner
// where its inner corner was asked to go, as under X11, and a dialog's own
// window opens with its frame's corner where it was asked to open.
void SetHeadlessWindowFrame(const WindowFrame& frame);
void SetHeadlessWindowState(bool maximised, bool minimised);
// The desktop, the frame and the state back to their defaults.
void ResetHeadlessWindow();

}  // namespace platform

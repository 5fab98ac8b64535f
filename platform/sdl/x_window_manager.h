#pragma once
// Whether a window manager runs on an X display, and the X errors that
// asking about other programs' windows may meet.

#include <X11/Xlib.h>

namespace platform::sdl {

// While one lives, X errors on the connection are let pass: a window of
// another program may go at any moment, and asking about it then fails with
// an error that SDL's handler would take as the end of the connection.
class XErrorsIgnored {
 public:
  explicit XErrorsIgnored(Display* display);
  ~XErrorsIgnored();
  XErrorsIgnored(const XErrorsIgnored&) = delete;
  XErrorsIgnored& operator=(const XErrorsIgnored&) = delete;

 private:
  Display* display_;
  int (*previous_)(Display*, XErrorEvent*);
};

// A running window manager names a window of its own on the root window,
// which names itself in turn (a manager that has ended leaves a name that
// does not).
bool WindowManagerRuns(Display* display);

}  // namespace platform::sdl

#pragma once
// A window of the test's own that takes the keyboard's focus from the
// program under test, as a user's other program does, and goes away again.

#include "tests/desktop/x_display.h"

namespace desktop_test {

class FocusWindow {
 public:
  // Made and shown.
  explicit FocusWindow(const XDisplay& display);
  ~FocusWindow();
  FocusWindow(const FocusWindow&) = delete;
  FocusWindow& operator=(const FocusWindow&) = delete;

  // Asks for the focus, of the server and of the window manager (which may
  // not have taken the window in yet); true once it has it.
  bool TakeFocus() const;

 private:
  const XDisplay& display_;
  XWindowId window_ = 0;
};

}  // namespace desktop_test

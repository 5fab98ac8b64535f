#include "tests/desktop/focus_window.h"

#include <X11/Xlib.h>

namespace desktop_test {

FocusWindow::FocusWindow(const XDisplay& display) : display_(display) {
  Display* x = display.Handle();
  window_ = XCreateSimpleWindow(x, display.Root(), 40, 40, 320, 200, 0, BlackPixel(x, DefaultScreen(x)),
                                WhitePixel(x, DefaultScreen(x)));
  XStoreName(x, window_, "desktop test's window");
  XMapRaised(x, window_);
  XSync(x, False);
}

FocusWindow::~FocusWindow() {
  XDestroyWindow(display_.Handle(), window_);
  XSync(display_.Handle(), False);
}

bool FocusWindow::TakeFocus() const {
  if (display_.HasFocus(window_)) return true;
  // Refused (and ignored) while the window is not yet mapped.
  XSetInputFocus(display_.Handle(), window_, RevertToPointerRoot, CurrentTime);
  display_.Activate(window_);
  return display_.HasFocus(window_);
}

}  // namespace desktop_test

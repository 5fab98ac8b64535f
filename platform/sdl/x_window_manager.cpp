#include "platform/sdl/x_window_manager.h"

#include <X11/Xatom.h>

#include <vector>

#include "platform/sdl/x_property.h"

namespace platform::sdl {
namespace {

int IgnoreError(Display*, XErrorEvent*) { return 0; }

}  // namespace

XErrorsIgnored::XErrorsIgnored(Display* display) : display_(display) {
  XSync(display_, False);
  previous_ = XSetErrorHandler(IgnoreError);
}

XErrorsIgnored::~XErrorsIgnored() {
  XSync(display_, False);
  XSetErrorHandler(previous_);
}

bool WindowManagerRuns(Display* display) {
  const Window root = DefaultRootWindow(display);
  // The window named may be gone.
  XErrorsIgnored ignored(display);
  const std::vector<unsigned long> check = LongsOf(display, root, "_NET_SUPPORTING_WM_CHECK", XA_WINDOW);
  return check.size() == 1 && LongsOf(display, check[0], "_NET_SUPPORTING_WM_CHECK", XA_WINDOW) == check;
}

}  // namespace platform::sdl

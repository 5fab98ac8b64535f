#include "platform/sdl/unmanaged_box_focus.h"

#include <X11/Xlib.h>

#include <algorithm>
#include <cstdlib>

#include "platform/sdl/x_window_manager.h"

namespace platform::sdl {
namespace {

std::string Utf8NameOf(Display* display, Window window) {
  Atom actualType = 0;
  int format = 0;
  unsigned long count = 0, left = 0;
  unsigned char* data = nullptr;
  std::string name;
  if (XGetWindowProperty(display, window, XInternAtom(display, "_NET_WM_NAME", False), 0, 1024, False,
                         XInternAtom(display, "UTF8_STRING", False), &actualType, &format, &count, &left,
                         &data) == Success &&
      data && format == 8)
    name.assign(reinterpret_cast<const char*>(data), count);
  if (data) XFree(data);
  return name;
}

// The top-level windows of that title, lowest first.
std::vector<Window> WindowsTitled(Display* display, const std::string& title) {
  Window root = 0, parent = 0;
  Window* children = nullptr;
  unsigned int count = 0;
  std::vector<Window> titled;
  if (!XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count)) return titled;
  for (unsigned int i = 0; i < count; ++i)
    if (Utf8NameOf(display, children[i]) == title) titled.push_back(children[i]);
  if (children) XFree(children);
  return titled;
}

bool Viewable(Display* display, Window window) {
  XWindowAttributes attributes;
  return XGetWindowAttributes(display, window, &attributes) && attributes.map_state == IsViewable;
}

}  // namespace

UnmanagedBoxFocus::UnmanagedBoxFocus(const std::string& utf8Title) : title_(utf8Title) {
  const char* name = std::getenv("DISPLAY");
  if (!name || !*name) return;
  display_ = XOpenDisplay(name);
  if (!display_) return;
  if (WindowManagerRuns(display_)) {
    XCloseDisplay(display_);
    display_ = nullptr;
    return;
  }
  XErrorsIgnored ignored(display_);
  titledBefore_ = WindowsTitled(display_, title_);
  Window focus = None;
  int revert = 0;
  XGetInputFocus(display_, &focus, &revert);
  if (focus != PointerRoot && focus != DefaultRootWindow(display_)) focusBefore_ = focus;
}

UnmanagedBoxFocus::~UnmanagedBoxFocus() {
  if (!display_) return;
  if (box_ && focusBefore_) {
    XErrorsIgnored ignored(display_);
    Window focus = None;
    int revert = 0;
    XGetInputFocus(display_, &focus, &revert);
    // Gone with the box (or going): back to the window that had it. A window
    // that went meanwhile (a Yes ended its game) is let be.
    if (focus == box_ || focus == PointerRoot || focus == None || focus == DefaultRootWindow(display_))
      XSetInputFocus(display_, focusBefore_, RevertToPointerRoot, CurrentTime);
  }
  XCloseDisplay(display_);
}

void UnmanagedBoxFocus::TakeTheFocusOnceShown() {
  if (!display_ || box_) return;
  XErrorsIgnored ignored(display_);
  const std::vector<Window> titled = WindowsTitled(display_, title_);
  // The box is mapped raised: the highest new window of its title.
  const auto box = std::find_if(titled.rbegin(), titled.rend(), [&](Window window) {
    return std::find(titledBefore_.begin(), titledBefore_.end(), window) == titledBefore_.end();
  });
  if (box == titled.rend() || !Viewable(display_, *box)) return;
  XSetInputFocus(display_, *box, RevertToPointerRoot, CurrentTime);
  box_ = *box;
}

}  // namespace platform::sdl

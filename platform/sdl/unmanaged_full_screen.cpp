#include "platform/sdl/unmanaged_full_screen.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <vector>

#include "platform/sdl/x_property.h"
#include "platform/sdl/x_window_manager.h"

namespace platform::sdl {
namespace {

// A running window manager lists the window states it gives among what it
// supports.
bool WindowManagerMakesFullScreen(Display* display) {
  if (!WindowManagerRuns(display)) return false;
  const Window root = DefaultRootWindow(display);
  const std::vector<unsigned long> supported = LongsOf(display, root, "_NET_SUPPORTED", XA_ATOM);
  const Atom fullScreen = XInternAtom(display, "_NET_WM_STATE_FULLSCREEN", False);
  return std::find(supported.begin(), supported.end(), fullScreen) != supported.end();
}

}  // namespace

void CoverTheMonitorWhereNoWindowManagerDoes(SDL_Window* window) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  // A Wayland compositor always makes a window full screen itself.
  if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return;
  Display* display = info.info.x11.display;
  if (WindowManagerMakesFullScreen(display)) return;
  SDL_Rect monitor;
  if (SDL_GetDisplayBounds(std::max(SDL_GetWindowDisplayIndex(window), 0), &monitor) != 0) return;
  const Window own = info.info.x11.window;
  // A window manager without full screen puts the window's own area where
  // asked, its frame around it off the monitor.
  if (XSizeHints* hints = XAllocSizeHints()) {
    long supplied = 0;
    XGetWMNormalHints(display, own, hints, &supplied);
    hints->flags |= PWinGravity;
    hints->win_gravity = StaticGravity;
    XSetWMNormalHints(display, own, hints);
    XFree(hints);
  }
  // SDL learns the size from the server's answer, as when a manager gives it.
  XMoveResizeWindow(display, own, monitor.x, monitor.y, static_cast<unsigned>(monitor.w),
                    static_cast<unsigned>(monitor.h));
  XFlush(display);
}

}  // namespace platform::sdl

#include "tests/desktop/x_display.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/scrnsaver.h>
#include <X11/extensions/Xfixes.h>

#include <algorithm>
#include <bit>
#include <chrono>
#include <initializer_list>
#include <thread>

#include "platform/sdl/x_property.h"

namespace desktop_test {
namespace {

// A window may go while the test asks about it (a program ends, the window
// manager reframes it): the request then fails, and the answer says so,
// where Xlib's own handler would end the test program.
int IgnoreErrors(Display*, XErrorEvent*) { return 0; }

// A server that goes away fails the case that needed it: every later request
// comes back empty, where Xlib would end the test program.
int KeepTheBrokenConnection(Display*) { return 0; }
void KeepRunningWithoutTheServer(Display*, void*) {}

using platform::sdl::LongsOf;

std::string TextOf(Display* display, Window window, const char* name, Atom type) {
  Atom actualType = 0;
  int format = 0;
  unsigned long count = 0, left = 0;
  unsigned char* data = nullptr;
  std::string text;
  const Atom property = XInternAtom(display, name, False);
  if (XGetWindowProperty(display, window, property, 0, 4096, False, type, &actualType, &format, &count, &left,
                         &data) == Success &&
      data && format == 8)
    text.assign(reinterpret_cast<const char*>(data), count);
  if (data) XFree(data);
  return text;
}

bool Viewable(Display* display, Window window) {
  XWindowAttributes attributes;
  return XGetWindowAttributes(display, window, &attributes) && attributes.map_state == IsViewable;
}

std::optional<Window> ParentOf(Display* display, Window window) {
  Window root = 0, parent = 0;
  Window* children = nullptr;
  unsigned count = 0;
  if (!XQueryTree(display, window, &root, &parent, &children, &count)) return std::nullopt;
  if (children) XFree(children);
  return parent;
}

// A colour channel of a pixel, by the mask the image gives for it, as 8
// bits: a wider channel (a desktop of 10 bits a channel) is rounded to the
// nearest, which gives back the 8 bits it was widened from.
std::uint32_t Channel(unsigned long pixel, unsigned long mask) {
  if (mask == 0) return 0;
  const int shift = std::countr_zero(mask);
  const unsigned long value = (pixel & mask) >> shift;
  const unsigned long top = mask >> shift;
  return static_cast<std::uint32_t>((value * 255 + top / 2) / top);
}

void SendToWindowManager(Display* display, Window window, const char* message,
                         std::initializer_list<long> data) {
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = XInternAtom(display, message, False);
  event.xclient.format = 32;
  std::copy(data.begin(), data.end(), event.xclient.data.l);
  XSendEvent(display, DefaultRootWindow(display), False, SubstructureRedirectMask | SubstructureNotifyMask,
             &event);
  XSync(display, False);
}

// The source a request names: a pager or task bar, which a window manager
// obeys where it may refuse an application's own wish.
constexpr long kSourcePager = 2;
// A move and resize request's flags: the position is the inner area's
// (static gravity), and all of x, y, width and height are given.
constexpr long kStaticGravity = 10;
constexpr long kPositionAndSizeGiven = 0xF << 8;
constexpr int kSourceShift = 12;

// The key that gives the symbol in the server's keyboard mapping as it is
// now, preferring a key that gives it unshifted. Xlib's own copy of the
// mapping follows a layout switch only once it has read the server's notice.
KeyCode KeyGiving(Display* display, KeySym symbol) {
  int first = 0, last = 0;
  XDisplayKeycodes(display, &first, &last);
  int perKey = 0;
  KeySym* symbols = XGetKeyboardMapping(display, static_cast<KeyCode>(first), last - first + 1, &perKey);
  if (!symbols) return 0;
  KeyCode found = 0;
  for (int level = 0; level < perKey && found == 0; ++level)
    for (int code = first; code <= last && found == 0; ++code)
      if (symbols[(code - first) * perKey + level] == symbol) found = static_cast<KeyCode>(code);
  XFree(symbols);
  return found;
}

}  // namespace

bool ScreenRect::Holds(const ScreenRect& other) const {
  return other.x >= x && other.y >= y && other.x + other.width <= x + width &&
         other.y + other.height <= y + height;
}

XDisplay::XDisplay(const std::string& name) {
  XSetErrorHandler(IgnoreErrors);
  XSetIOErrorHandler(KeepTheBrokenConnection);
  display_ = XOpenDisplay(name.c_str());
  if (display_) XSetIOErrorExitHandler(display_, KeepRunningWithoutTheServer, nullptr);
}

XDisplay::~XDisplay() {
  if (display_) XCloseDisplay(display_);
}

XWindowId XDisplay::Root() const { return DefaultRootWindow(display_); }

ScreenRect XDisplay::Screen() const {
  const int screen = DefaultScreen(display_);
  return {0, 0, DisplayWidth(display_, screen), DisplayHeight(display_, screen)};
}

bool XDisplay::WindowManagerReady() const {
  const std::vector<unsigned long> check = LongsOf(display_, Root(), "_NET_SUPPORTING_WM_CHECK", XA_WINDOW);
  if (check.size() != 1) return false;
  // The window named there names itself: it is the running manager's.
  return LongsOf(display_, check[0], "_NET_SUPPORTING_WM_CHECK", XA_WINDOW) == check;
}

ScreenRect XDisplay::WorkArea() const {
  const std::vector<unsigned long> area = LongsOf(display_, Root(), "_NET_WORKAREA", XA_CARDINAL);
  if (area.size() < 4) return Screen();
  return {static_cast<int>(area[0]), static_cast<int>(area[1]), static_cast<int>(area[2]),
          static_cast<int>(area[3])};
}

std::vector<XWindowId> XDisplay::ManagedWindows() const {
  if (WindowManagerReady()) return LongsOf(display_, Root(), "_NET_CLIENT_LIST", XA_WINDOW);
  // Without a window manager every program's window is a child of the root.
  Window root = 0, parent = 0;
  Window* children = nullptr;
  unsigned count = 0;
  if (!XQueryTree(display_, Root(), &root, &parent, &children, &count)) return {};
  const std::vector<XWindowId> windows(children, children + count);
  if (children) XFree(children);
  return windows;
}

std::optional<XWindowId> XDisplay::WindowOfProcess(pid_t pid) const {
  for (XWindowId window : ManagedWindows()) {
    const std::vector<unsigned long> owner = LongsOf(display_, window, "_NET_WM_PID", XA_CARDINAL);
    if (owner.size() == 1 && owner[0] == static_cast<unsigned long>(pid) && Viewable(display_, window))
      return window;
  }
  return std::nullopt;
}

std::optional<XWindowId> XDisplay::WindowTitled(const std::string& utf8Title) const {
  const std::vector<XWindowId> windows = WindowsTitled(utf8Title);
  if (windows.empty()) return std::nullopt;
  return windows.front();
}

std::vector<XWindowId> XDisplay::WindowsTitled(const std::string& utf8Title) const {
  const Atom utf8 = XInternAtom(display_, "UTF8_STRING", False);
  std::vector<XWindowId> windows;
  for (XWindowId window : ManagedWindows())
    if (TextOf(display_, window, "_NET_WM_NAME", utf8) == utf8Title && Viewable(display_, window))
      windows.push_back(window);
  return windows;
}

bool XDisplay::Shown(XWindowId window) const { return Viewable(display_, window); }

std::optional<ScreenRect> XDisplay::InnerRect(XWindowId window) const {
  XWindowAttributes attributes;
  if (!XGetWindowAttributes(display_, window, &attributes)) return std::nullopt;
  int x = 0, y = 0;
  Window child = 0;
  if (!XTranslateCoordinates(display_, window, Root(), 0, 0, &x, &y, &child)) return std::nullopt;
  return ScreenRect{x, y, attributes.width, attributes.height};
}

std::optional<XWindowId> XDisplay::FrameOf(XWindowId window) const {
  for (std::optional<Window> parent = ParentOf(display_, window); parent;
       parent = ParentOf(display_, window)) {
    if (*parent == Root()) return window;
    window = *parent;
  }
  return std::nullopt;
}

std::optional<ScreenRect> XDisplay::FrameRect(XWindowId window) const {
  const std::optional<XWindowId> frame = FrameOf(window);
  XWindowAttributes attributes;
  if (!frame || !XGetWindowAttributes(display_, *frame, &attributes)) return std::nullopt;
  const int border = attributes.border_width;
  return ScreenRect{attributes.x, attributes.y, attributes.width + 2 * border,
                    attributes.height + 2 * border};
}

bool XDisplay::LiesAbove(XWindowId upper, XWindowId lower) const {
  const std::optional<XWindowId> upperFrame = FrameOf(upper), lowerFrame = FrameOf(lower);
  Window root = 0, parent = 0;
  Window* children = nullptr;
  unsigned count = 0;
  if (!upperFrame || !lowerFrame || !XQueryTree(display_, Root(), &root, &parent, &children, &count))
    return false;
  // The root's children come bottom first.
  const std::vector<Window> stack(children, children + count);
  if (children) XFree(children);
  const auto upperAt = std::find(stack.begin(), stack.end(), *upperFrame);
  const auto lowerAt = std::find(stack.begin(), stack.end(), *lowerFrame);
  return upperAt != stack.end() && lowerAt != stack.end() && upperAt > lowerAt;
}

ScreenPixels XDisplay::Capture(const ScreenRect& rect) const {
  const ScreenRect screen = Screen();
  const int left = std::max(rect.x, 0), top = std::max(rect.y, 0);
  const int right = std::min(rect.x + rect.width, screen.width),
            bottom = std::min(rect.y + rect.height, screen.height);
  ScreenPixels picture;
  if (right <= left || bottom <= top) return picture;
  XImage* image = XGetImage(display_, Root(), left, top, right - left, bottom - top, AllPlanes, ZPixmap);
  if (!image) return picture;
  picture.width = right - left;
  picture.height = bottom - top;
  picture.pixels.reserve(static_cast<std::size_t>(picture.width) * picture.height);
  for (int y = 0; y < picture.height; ++y)
    for (int x = 0; x < picture.width; ++x) {
      const unsigned long pixel = XGetPixel(image, x, y);
      picture.pixels.push_back(Channel(pixel, image->red_mask) << 16 |
                               Channel(pixel, image->green_mask) << 8 | Channel(pixel, image->blue_mask));
    }
  XDestroyImage(image);
  return picture;
}

void XDisplay::HoldKey(unsigned long keySymbol, bool down) const {
  XTestFakeKeyEvent(display_, KeyGiving(display_, keySymbol), down ? True : False, CurrentTime);
  XSync(display_, False);
}

void XDisplay::TapKey(unsigned long keySymbol) const {
  constexpr auto kTapHold = std::chrono::milliseconds(200);
  HoldKey(keySymbol, true);
  std::this_thread::sleep_for(kTapHold);
  HoldKey(keySymbol, false);
}

void XDisplay::MovePointer(int x, int y) const {
  XTestFakeMotionEvent(display_, -1, x, y, CurrentTime);
  XSync(display_, False);
}

bool XDisplay::PointerHidden() const {
  XFixesCursorImage* cursor = XFixesGetCursorImage(display_);
  if (!cursor) return false;
  const std::size_t count = static_cast<std::size_t>(cursor->width) * cursor->height;
  const bool hidden = std::none_of(cursor->pixels, cursor->pixels + count,
                                   [](unsigned long argb) { return ((argb >> 24) & 0xff) != 0; });
  XFree(cursor);
  return hidden;
}

bool XDisplay::HasFocus(XWindowId window) const {
  Window focus = 0;
  int revert = 0;
  XGetInputFocus(display_, &focus, &revert);
  for (std::optional<Window> at = focus; at && *at != 0 && *at != Root(); at = ParentOf(display_, *at))
    if (*at == window) return true;
  return false;
}

void XDisplay::SetScreenSaverTimeout(int seconds) const {
  XSetScreenSaver(display_, seconds, 0, DontPreferBlanking, AllowExposures);
  XSync(display_, False);
}

bool XDisplay::ScreenSaverShows() const {
  XScreenSaverInfo* info = XScreenSaverAllocInfo();
  const bool on = info && XScreenSaverQueryInfo(display_, Root(), info) && info->state == ScreenSaverOn;
  if (info) XFree(info);
  return on;
}

void XDisplay::Activate(XWindowId window) const {
  SendToWindowManager(display_, window, "_NET_ACTIVE_WINDOW", {kSourcePager, CurrentTime});
}

void XDisplay::Close(XWindowId window) const {
  SendToWindowManager(display_, window, "_NET_CLOSE_WINDOW", {CurrentTime, kSourcePager});
}

void XDisplay::Place(XWindowId window, const ScreenRect& inner) const {
  SendToWindowManager(display_, window, "_NET_MOVERESIZE_WINDOW",
                      {kStaticGravity | kPositionAndSizeGiven | kSourcePager << kSourceShift, inner.x,
                       inner.y, inner.width, inner.height});
}

}  // namespace desktop_test

#pragma once
// The test's own connection to an X server, to see and drive a desktop as a
// user does: the window manager's state, the windows of a program, where
// they are on the screen and which lies above which, the screen's pixels,
// the pointer's picture, the focus, keys, the screen saver. Xlib stays inside the source file.

#include <sys/types.h>

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

struct _XDisplay;

namespace desktop_test {

// An X window's id (Xlib's Window).
using XWindowId = unsigned long;

struct ScreenRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  bool operator==(const ScreenRect&) const = default;
  // True when the other lies wholly inside this one.
  bool Holds(const ScreenRect& other) const;
};

inline void PrintTo(const ScreenRect& rect, std::ostream* out) {
  *out << rect.width << "x" << rect.height << " at " << rect.x << "," << rect.y;
}

// The pixels of a part of the screen, 0x00RRGGBB row after row.
struct ScreenPixels {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;
  std::uint32_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

class XDisplay {
 public:
  // Connects to the display named as DISPLAY names it.
  explicit XDisplay(const std::string& name);
  ~XDisplay();
  XDisplay(const XDisplay&) = delete;
  XDisplay& operator=(const XDisplay&) = delete;

  bool Connected() const { return display_ != nullptr; }
  ::_XDisplay* Handle() const { return display_; }
  XWindowId Root() const;
  ScreenRect Screen() const;

  // A window manager runs and has announced itself on the root window.
  bool WindowManagerReady() const;
  // The part of the screen that the window manager leaves to windows.
  ScreenRect WorkArea() const;

  // The managed, mapped top-level window of a process (by the process id
  // the program put on it), or of that title (UTF-8); without a window
  // manager, any mapped child of the root.
  std::optional<XWindowId> WindowOfProcess(pid_t pid) const;
  std::optional<XWindowId> WindowTitled(const std::string& utf8Title) const;
  // Every such window of that title (programs may show several at once), in
  // the order they first opened.
  std::vector<XWindowId> WindowsTitled(const std::string& utf8Title) const;
  // The window is mapped and seen (a minimised one is not).
  bool Shown(XWindowId window) const;
  // The window's own area on the screen, inside the window manager's frame.
  std::optional<ScreenRect> InnerRect(XWindowId window) const;
  // The window with the window manager's frame around it.
  std::optional<ScreenRect> FrameRect(XWindowId window) const;
  // True when the first window's frame lies above the second's.
  bool LiesAbove(XWindowId upper, XWindowId lower) const;

  // The part of the screen, clipped to the screen.
  ScreenPixels Capture(const ScreenRect& rect) const;

  // The key pressed or let go, as the keyboard would: the key that gives the
  // X key symbol in the layout the server has now.
  void HoldKey(unsigned long keySymbol, bool down) const;
  // The key pressed and let go as a player taps it: held for 200 ms, short
  // of the 18 frames (300 ms) after which the game repeats a held key.
  void TapKey(unsigned long keySymbol) const;
  void MovePointer(int x, int y) const;
  // The picture the server shows for the pointer has no visible pixel.
  bool PointerHidden() const;

  // The window that has the keyboard's focus is this one or inside it.
  bool HasFocus(XWindowId window) const;
  // The server's screen saver comes on after that many seconds without
  // input (as `xset s <seconds> 0` sets it).
  void SetScreenSaverTimeout(int seconds) const;
  // The screen saver is on now.
  bool ScreenSaverShows() const;

  // Asks the window manager to activate the window, as a task bar does.
  void Activate(XWindowId window) const;
  // Asks the window manager to close the window, as its close button does.
  void Close(XWindowId window) const;
  // Asks the window manager to move and size the window (its inner area),
  // as a pager does: the window manager places it as after the user dragged
  // it and its border there.
  void Place(XWindowId window, const ScreenRect& inner) const;

 private:
  std::vector<XWindowId> ManagedWindows() const;
  std::optional<XWindowId> FrameOf(XWindowId window) const;

  ::_XDisplay* display_ = nullptr;
};

}  // namespace desktop_test

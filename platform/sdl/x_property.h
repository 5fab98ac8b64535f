#pragma once
// An X window's property of 32-bit items (windows, atoms, numbers), as Xlib
// hands them over: as longs.

#include <X11/Xlib.h>

#include <vector>

namespace platform::sdl {

// None where the window has no such property of that type, or is gone.
inline std::vector<unsigned long> LongsOf(Display* display, Window window, const char* name, Atom type) {
  Atom actualType = 0;
  int format = 0;
  unsigned long count = 0, left = 0;
  unsigned char* data = nullptr;
  std::vector<unsigned long> items;
  const Atom property = XInternAtom(display, name, False);
  if (XGetWindowProperty(display, window, property, 0, 4096, False, type, &actualType, &format, &count, &left,
                         &data) == Success &&
      data && format == 32) {
    const auto* longs = reinterpret_cast<const unsigned long*>(data);
    items.assign(longs, longs + count);
  }
  if (data) XFree(data);
  return items;
}

}  // namespace platform::sdl

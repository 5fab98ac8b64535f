#pragma once
// The window-size menu of a Direct3D window: "100% (640*480)" up to
// "500% (3200*2400)", each offered only when the work area of the monitor
// that holds the most of the window holds that size. A desktop window of
// this system has no system menu to hold the items, so the menu is drawn in
// the game window: a right click opens it at the pointer, F10 at the
// window's top-left corner. While it is open the game holds still; a choice
// resizes the window about its horizontal centre.

#include <string>
#include <vector>

#include "platform/window.h"

struct ScaleMenuItem {
  int scale = 1;      // 1..5: the client area is 640 x 480 times it
  std::string label;  // "100% (640*480)"
};

// The items the work area allows, 100 % first.
std::vector<ScaleMenuItem> ScaleMenuItems(const platform::WindowRect& workArea);

// Where the window goes for a scale: the new size keeps the old horizontal
// centre and the top edge, brought back inside the work area.
platform::WindowRect ScaledWindowPlace(const platform::WindowRect& window, const platform::WindowRect& workArea,
                                       int scale);

// True when the menu is offered (a Direct3D window).
bool ScaleMenuAvailable();
// Runs the menu at (x, y) of the game picture until a choice or a
// dismissal; a choice places the window. Returns the chosen scale, 0 for none.
int RunScaleMenu(int x, int y);

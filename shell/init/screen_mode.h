#pragma once
// The drawing mode's checks before the graphics device starts: window or
// full screen and vertical sync, the colour depth, and whether the screen
// can show that depth. A window shows the desktop's depth only; an 8-bit
// palette project may run at 8 bits in full screen.

#include <optional>
#include <string>

#include "project/system_record.h"
#include "shell/init/system_ini.h"

// g_bWindowed's value, and the vertical-sync setting brought to what the
// drawing mode can do: Direct3D syncs or not, a DirectDraw window never
// waits for the display, and DirectDraw full screen decides "automatic" as
// a current system does (no wait; the frame step paces itself).
int ApplyWindowAndSync(SYSTEMINIDATA& ini);

// The colour depth to run at, written back into ini.Bpp: the setting when it
// is not 0, else the desktop's in a window, else the project's full-screen
// depth for the drawing mode.
int ChooseColourDepth(SYSTEMINIDATA& ini, const cSystem& system, int desktopDepth);

// The refusal message (CP932) when the depth cannot be shown, or nothing.
std::optional<std::string> CheckScreenMode(const SYSTEMINIDATA& ini, const cSystem& system, int depth,
                                           int desktopDepth);

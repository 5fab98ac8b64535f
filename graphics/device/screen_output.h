#pragma once
// Hands screen surfaces to the presenter (platform/presenter.h).

#include "graphics/surfaces/surface.h"

// Full screen or window and the vsync wish, from the device set-up; the
// pointer is hidden in full screen and shown in a window.
void ConfigureScreenOutput(bool fullScreen, bool vsync);
// Shows the surface's pixels: 8 bits through the screen palette, 32 bits as
// they stand. False when the device is lost (the frame is not shown).
bool ShowScreenSurface(DDSURFACEDATA* lpSD);

#pragma once
// The two 640 x 480 copies of the screen that the screen effects draw from.
// They are made the first time an effect needs them and released with the
// stage's surfaces.

struct DDSURFACEDATA;

// Copy 0 or 1; nullptr when the surface cannot be made.
DDSURFACEDATA* ScreenCopy(int which);
void ReleaseScreenCopies();

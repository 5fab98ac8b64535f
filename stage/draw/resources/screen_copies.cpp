#include "stage/draw/resources/screen_copies.h"

#include <array>

#include "graphics/surfaces/surface.h"

namespace {
std::array<DDSURFACEDATA, 2> g_screenCopies;
}

DDSURFACEDATA* ScreenCopy(int which) {
  DDSURFACEDATA& copy = g_screenCopies[which == 0 ? 0 : 1];
  if (SurfacePixels(&copy) == nullptr) {
    if (!DDCreateSurface(&copy, 640, 480, 0, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0)) return nullptr;
    SetSurfaceLabel(&copy, which == 0 ? "ScreenCopy" : "ScreenCopy2");
  }
  return &copy;
}

void ReleaseScreenCopies() {
  for (DDSURFACEDATA& copy : g_screenCopies)
    if (SurfacePixels(&copy) != nullptr) DDReleaseSurface(&copy);
}

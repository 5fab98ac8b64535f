#include "graphics/effects/blend.h"
#include "graphics/device/device.h"

void DDReadPixelFormat(PIXELFORMATDATA* lpFormat) {
  if (lpDTCon || !lpFormat) return;
  // The DirectDraw screen format here is always 0x00RRGGBB.
  lpFormat->dwRShift = 16;
  lpFormat->dwGShift = 8;
  lpFormat->dwBShift = 0;
  lpFormat->dwRMask = lpFormat->dwGMask = lpFormat->dwBMask = 0xFF;
}

bool IsFullScreenBackBuffer(const DDSURFACEDATA* lpSD) { return lpSD == &BackBuffer && g_DDState.nWindowMode == 0; }

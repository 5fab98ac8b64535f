#include "graphics/device/render_target.h"

#include <utility>

#include "foundation/log.h"
#include "graphics/device/device.h"

int DDBeginScene() {
  if (!lpDTCon) return 0;
  lpDTCon->bSceneBegun = 1;
  return 1;
}

void DDEndScene() {
  if (lpDTCon) lpDTCon->bSceneBegun = 0;
}

int DDSetRenderTarget(int, DDSURFACEDATA* lpSD) {
  if (!lpDTCon || !lpSD || !lpSD->lpDT || !lpSD->lpDT->bRenderTarget) return 0;
  DTDATA* dt = lpSD->lpDT;
  if (!dt->lpSurface) {
    if (!std::exchange(dt->bTargetLossReported, 1))
      Report("SetRenderTarget Err %x (%s)", 0x8876086Cu, lpSD->szFile);
    return 0;
  }
  dt->bTargetLossReported = 0;
  return 1;
}

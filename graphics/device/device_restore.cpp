#include "graphics/device/device_restore.h"

#include <cstring>

#include "foundation/log.h"
#include "foundation/message_box.h"
#include "graphics/images/bitmap_load.h"
#include "graphics/images/bitmap_table.h"
#include "graphics/device/device.h"
#include "graphics/text/font.h"
#include "graphics/surfaces/surface_list.h"
#include "platform/presenter.h"

namespace {

// A surface created empty, not loaded from a file.
bool IsEmptySurface(const DDSURFACEDATA* lpSD) { return lpSD->szFile[0] == '\0' || std::strcmp(lpSD->szFile, "E") == 0; }

void RestoreFonts() {
  for (Font* font : g_FontList) font->Restore();
}

// What a reset of the device takes away: every texture that does not live
// in system memory.
void ReleaseDeviceTextures() {
  for (DDSURFACEDATA* sd : g_SurfaceList) {
    if (!sd->lpDT || sd->lpDT->nMemType == DTMEMORYTYPE_SYSTEM) continue;
    delete sd->lpDT->lpSurface;
    sd->lpDT->lpSurface = nullptr;
  }
}

void RecreateSurface(DDSURFACEDATA* sd) {
  DTDATA* dt = sd->lpDT;
  if (!dt) return;
  if (!IsEmptySurface(sd)) {
    if (DDCreateSurfaceFromFile(sd, sd->szFile, dt->bColorKey, g_DDState.nBpp, sd->bSystemMemory, dt->nMemType, 0, 0,
                                sd->nMirrorW, sd->nMirrorH, 1) != 0)
      DebugLog("Err");
    return;
  }
  if (!DDCreateSurface(sd, sd->nWidth, sd->nHeight, dt->bColorKey, sd->bSystemMemory, dt->nMemType, 0, 1))
    DebugLog("Err");
  sd->bLost = 1;
}

}  // namespace

int DDRestoreSurface() {
  DebugLog("Restore In");
  if (!lpDTCon) {
    DebugLog(Cp932Literal("DDではDDRestoreSurfaceは未対応"));
    return 1;
  }
  platform::Presenter& presenter = platform::GetPresenter();
  // The renderer loses nothing when a full-screen window loses the focus and
  // gets it back: a device that lost nothing keeps every surface, pictures
  // and all, and the next frame shows at once.
  if (presenter.State() == platform::DeviceState::Ok) {
    DebugLog("Restore Out");
    return 1;
  }
  ReleaseDeviceTextures();
  if (presenter.State() != platform::DeviceState::NotReset) {
    DebugLog(Cp932Literal("復旧失敗…リセット可能な状態ではありません…"));
    return 0;
  }
  if (!presenter.ResetDevice()) return 0;
  // In list order; each record keeps its address, so every holder stays valid.
  for (DDSURFACEDATA* sd : g_SurfaceList) RecreateSurface(sd);
  RestoreFonts();
  DebugLog("Restore Out");
  return 1;
}

int DDRestore() {
  if (lpDTCon) {
    DebugLog(Cp932Literal("D3DではDDRestoreは未対応"));
    return 1;
  }
  platform::Presenter& presenter = platform::GetPresenter();
  if (presenter.State() == platform::DeviceState::Ok || !presenter.ResetDevice()) return 1;
  for (DDSURFACEDATA& sd : g_BmpSD) {
    if (!SurfacePixels(&sd) || sd.bSystemMemory) continue;
    if (IsEmptySurface(&sd))
      sd.bLost = 1;
    else
      DDReloadBitmap(&sd);
  }
  // The 8-bit screen palette lives in our own memory and survives a loss,
  // so it needs no setting again.
  RestoreFonts();
  return 1;
}

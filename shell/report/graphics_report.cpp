#include "shell/report/graphics_report.h"

#include "foundation/log.h"
#include "graphics/device/device.h"
#include "platform/window.h"

int WriteGraphicsReport(int) {
  if (!Report("Mode : %s", g_DDState.nWindowMode == 0 ? "Fullscreen" : "Window")) return 0;
  Report("Bpp : %d", g_DDState.nBpp);
  if (!lpDTCon) {
    Report("RR : %u", static_cast<unsigned>(platform::DesktopRefreshRate()));
    return 1;
  }
  Report("%s", platform::DisplayDescription().c_str());
  Report("%s", Cp932Literal("---デバイス0"));
  Report("TextureMaxSize : (%d,%d)", lpDTCon->nMaxTextureWidth, lpDTCon->nMaxTextureHeight);
  return 1;
}

#include "stage/draw/resources/effect_sheets.h"

#include "graphics/blits/blit.h"
#include "graphics/blits/fill.h"
#include "graphics/device/device.h"
#include "graphics/images/bitmap_table.h"
#include "shell/init/system_ini.h"

namespace {
bool Loaded(int index) { return index >= 0 && index < kBmpCount && SurfacePixels(&g_BmpSD[index]) != nullptr; }
}  // namespace

EffectSheets SelectEffectSurfaces() {
  if (lpDTCon != nullptr) return {44, 68, 70};
  if (g_SystemIni.DD_VideoStretch) return {43, 67, 68};
  return {44, 68, 68};
}

DDSURFACEDATA* MarkSheet() { return &g_BmpSD[SelectEffectSurfaces().markSheet]; }

int PickShotSheet(int index, int preferAlternative) {
  if (lpDTCon != nullptr) return index;
  const int alternative = index + 18;
  if (preferAlternative == 0) return Loaded(index) ? index : alternative;
  return Loaded(alternative) ? alternative : index;
}

void BuildPaddedCellSheets() {
  for (int sheet = 0; sheet < 2; ++sheet) {
    DDSURFACEDATA* destination = &g_BmpSD[63 + sheet];
    DDSURFACEDATA* source = &g_BmpSD[20 + sheet];
    if (SurfacePixels(destination) == nullptr) continue;
    DDFillSurface(destination, 0);
    if (SurfacePixels(source) == nullptr) continue;
    for (int r = 0; r < 30; ++r)
      for (int c = 0; c < 4; ++c) {
        DDBlt(destination, 8 + 64 * c, 8 + 32 * r, 16, 16, source, 32 * c, 16 * r, 1);
        DDBlt(destination, 40 + 64 * c, 8 + 32 * r, 16, 16, source, 16 + 32 * c, 16 * r, 1);
      }
  }
}

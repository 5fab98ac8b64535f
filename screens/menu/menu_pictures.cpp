#include "screens/menu/menu_pictures.h"

#include "graphics/blits/blit.h"
#include "graphics/images/bitmap_table.h"

void DrawRowPointer(DDSURFACEDATA* surface, int x, int y) {
  DDBlt(surface, x, y, 16, 16, &g_BmpSD[kSystemIconSheet], 16, 48, 1);
}

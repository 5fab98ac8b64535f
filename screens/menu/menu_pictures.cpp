#include "screens/menu/menu_pictures.h"

#include "graphics/blits/blit.h"
#include "graphics/device/device.h"
#include "graphics/images/bitmap_table.h"
#include "screens/menu/menu_cursor.h"

void DrawCursorCell(DDSURFACEDATA* surface, int x, int y, CursorCell cell) {
  DDSURFACEDATA* sheet = &g_BmpSD[kSystemIconSheet];
  switch (cell) {
    case CursorCell::kLarge: DDBlt(surface, x, y, 32, 32, sheet, 0, 0, 1); break;
    case CursorCell::kSmall: DDBlt(surface, x, y, 16, 16, sheet, 64, 0, 1); break;
    case CursorCell::kSmallChosen: DDBlt(surface, x, y, 16, 16, sheet, 80, 0, 1); break;
  }
}

void DrawCursorCellAtTop(CursorCell cell) {
  const MENUCURSOR& cursor = g_MenuCursor.Top();
  DrawCursorCell(&BackBuffer, cursor.nX, cursor.nY, cell);
}

void DrawRowPointer(DDSURFACEDATA* surface, int x, int y) {
  DDBlt(surface, x, y, 16, 16, &g_BmpSD[kSystemIconSheet], 16, 48, 1);
}

#pragma once
// The small pictures of menus and windows, cut from the system icon sheet
// (bitmap-table entry 49, "Accessory"): the menu cursors and the 16 x 16
// pointer beside a new ranking row or result line.

#include "graphics/surfaces/surface.h"

inline constexpr int kSystemIconSheet = 49;

// The cursors: the 32 x 32 one of the large menus, the 16 x 16 one of the
// small menus and lists, and the 16 x 16 mark of the row a small menu
// was opened from.
enum class CursorCell { kLarge, kSmall, kSmallChosen };

// The cursor with its top-left corner at (x, y), its transparent colour left
// out; nothing while the sheet is not loaded.
void DrawCursorCell(DDSURFACEDATA* surface, int x, int y, CursorCell cell);
// The same on the back buffer, where the top menu cursor stands.
void DrawCursorCellAtTop(CursorCell cell);

// The pointer with its top-left corner at (x, y), its transparent colour
// left out; nothing while the sheet is not loaded.
void DrawRowPointer(DDSURFACEDATA* surface, int x, int y);

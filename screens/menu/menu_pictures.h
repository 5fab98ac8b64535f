#pragma once
// The small pictures of menus and windows, cut from the system icon sheet
// (bitmap-table entry 49, "Accessory"): the 16 x 16 pointer beside a new
// ranking row or result line.

#include "graphics/surfaces/surface.h"

inline constexpr int kSystemIconSheet = 49;

// The pointer with its top-left corner at (x, y), its transparent colour
// left out; nothing while the sheet is not loaded.
void DrawRowPointer(DDSURFACEDATA* surface, int x, int y);

#pragma once
// The game's palette from "bmp\plt\Palette.bmp" and the transparent colour
// from the top-left pixel of a bitmap.

#include "graphics/images/palette.h"

// 8-bit files give their colour table; true-colour files (and every file in
// 32-bit modes) their 16 x 16 swatch block. In 8-bit DirectDraw mode the
// entries also become the screen palette. False when nothing was loaded.
bool DDLoadPaletteFromFile(PALETTEENTRY* lpPalette, const char* file, int nWindowMode);
// False when the file cannot be loaded.
bool SetTrans(const char* file);

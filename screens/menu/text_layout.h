#pragma once
// Layout of menu texts: the screens set their menus as columns of system
// terms or command names in the menu font, 16 pixels per character cell
// (a Shift-JIS pair is one cell), centred on a given x.

#include "graphics/surfaces/surface.h"
#include "screens/menu/command_menu.h"

inline constexpr int kMenuCell = 16;
// The font of menus, windows and panels (g_Fonts[1]: 16 x 16 cells).
inline constexpr int kMenuFont = 1;

// centre - 16 * w / 2, w the widest of the terms [first, first + count)
// in characters, plus one with `extra` (room for a leading blank).
int CenterTermsX(int centre, int first, int count, int extra);
// The terms [first, first + count) one per line (each after a blank with
// `extra`) in a framed box of the menu font, 16 * w by 16 * count at (x, y);
// nothing when count is 0.
void DrawTermsColumn(DDSURFACEDATA* surface, int x, int y, int first, int count, int extra);
// centre - 16 * (w + 1) / 2 with w the widest visible name; the centre
// itself when no visible entry has a name.
int CenterCmdListX(int centre, const cCmd& list);
// The visible names of the list, one per line after a blank, in a framed
// box as DrawTermsColumn draws terms; nothing when none is visible.
void DrawCmdColumn(DDSURFACEDATA* surface, int x, int y, const cCmd& list);

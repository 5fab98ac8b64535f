#pragma once
// Drawing one character (not when a command hid it or its definition is
// transparent). The advance half steps its animation, keeps the
// frame to show and places it on the screen; the pixel half draws that
// frame's cell at the screen place, stretched by the size factor.

class cChara;
struct DDSURFACEDATA;

void AdvanceCharaDrawing(cChara& chara, int noAdvance);
// `frame`: the stage's frame count (the cycling tints follow it).
void DrawCharaPixels(const cChara& chara, DDSURFACEDATA* surface, int frame = 0);

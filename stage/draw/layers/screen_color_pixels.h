#pragma once
// The screen colour as pixels: the alpha the advance computed, applied to the
// finished frame (the palette faded toward the colour in 8-bit DirectDraw,
// the whole screen blended in Direct3D).

struct ScreenColorState;

void DrawScreenColor(const ScreenColorState& state);
// A new attempt's screen colour (ResetScreenColor); a palette still faded by
// the last attempt's colour is given back first.
void ClearScreenColor(ScreenColorState& state);

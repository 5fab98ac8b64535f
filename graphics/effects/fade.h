#pragma once
// Screen fades and palette colour animation. A fade is run by calling it
// once per frame until it returns 1; each fade keeps its own position (an
// angle in degrees, one per drawing mode) between calls.

#include <cstdint>

#include "graphics/images/palette.h"

// The palette last applied to the screen by the fades (the output palette
// of every caller), kept for the restore after a lost screen.
extern PaletteArray g_ShownPalette;

// Copies entries first..last of the source to the output, each colour
// mixed with (red, green, blue): weight 256 keeps the source, 0 gives the
// colour; flags become 1. The range is cut to 0..255, the weight to 0..256.
void PalBlendColor(PALETTEENTRY* lpOut, int nFirst, int nLast, int nWeight, std::uint8_t bRed, std::uint8_t bGreen,
                   std::uint8_t bBlue, const PALETTEENTRY* lpSrc);

// Copies the whole source palette to the output and rotates entries
// first..last of the output by nCount: direction 0 toward higher indices,
// 1 toward lower. The range is cut to 0..255 and the count taken modulo its
// length.
void PalRotate(PALETTEENTRY* lpOut, int nFirst, int nLast, int nCount, int nDirection, const PALETTEENTRY* lpSrc);

// One step of a fade to (DDFadeOut) or from (DDFadeIn) the colour; bFinish
// jumps to the end. 1 when the fade has completed with this call.
std::uint8_t DDFadeOut(PALETTEENTRY* lpOut, int nFirst, int nLast, int nRed, int nGreen, int nBlue, double dStep,
                       const PALETTEENTRY* lpSrc, std::uint8_t bFinish);
std::uint8_t DDFadeIn(PALETTEENTRY* lpOut, int nFirst, int nLast, int nRed, int nGreen, int nBlue, double dStep,
                      const PALETTEENTRY* lpSrc, std::uint8_t bFinish);

// The scene fade: darkens the frame just drawn into BackBuffer toward black,
// brightness 255 leaving it as drawn and 0 black (the palette at 8 bits, the
// picture otherwise). Callers step the brightness once per frame.
void DrawSceneFade(int brightness);

// The back buffer as every scene's finished fade-out leaves it: filled with
// palette colour 16, so the next scene starts from the same frame whatever
// the last one drew.
void FillFadedOutBackBuffer();

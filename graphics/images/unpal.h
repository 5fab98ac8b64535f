#pragma once
// The palette on true-colour surfaces: reading the 256 colours out of a
// true-colour palette bitmap, and the screen fade of 32-bit DirectDraw mode.

#include <cstdint>

#include "graphics/images/palette.h"
#include "graphics/surfaces/surface.h"

// Entry i becomes the pixel at column i % 16, row 8 + i / 16 of the surface.
// Direct3D skips swatch pixels of alpha 0. 1 when read; 0, with the palette
// unchanged, when the surface cannot be locked or is smaller than 16 x 24.
int DDSetPalette_UnPal(PALETTEENTRY* lpPalette, DDSURFACEDATA* lpSD);
// DirectDraw: every destination pixel becomes the source pixel mixed with the
// colour, nAlpha / 256 of the source: (s * a + k * (256 - a)) >> 8 per
// channel. Direct3D: logged, 1. 0 when a lock fails.
int DDFade_UnPal(DDSURFACEDATA* lpDst, int nAlpha, std::uint8_t bRed, std::uint8_t bGreen, std::uint8_t bBlue,
                 DDSURFACEDATA* lpSrc);

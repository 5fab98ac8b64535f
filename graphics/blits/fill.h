#pragma once
// Fills by palette number or by 32-bit colour, and the fill batch that
// queues coloured rectangles of Direct3D mode and draws them in order.

#include <cstdint>

#include "graphics/surfaces/surface.h"

// Palette number n (0..255; others are refused). DirectDraw: the pixel value
// of the number in the surface format. Direct3D: DDFillRectRGB with PalNumToRGB.
void DDFillRect(DDSURFACEDATA* lpSD, int x, int y, int w, int h, std::uint32_t dwPalNum);
void DDFillSurface(DDSURFACEDATA* lpSD, std::uint32_t dwPalNum);
// Direct3D: a 0xAARRGGBB colour written as it stands, or queued while a fill
// batch is open (queued fills blend with the colour's alpha like every quad).
void DDFillRectRGB(DDSURFACEDATA* lpSD, int x, int y, int w, int h, std::uint32_t dwColor);
void DDFillSurfaceRGB(DDSURFACEDATA* lpSD, std::uint32_t dwColor);
// The whole surface in the colour that colour-keyed blits leave out, as the
// device keys it (a project's own transparent colour included).
void DDFillSurfaceKey(DDSURFACEDATA* lpSD);

void DDBeginFillBatch();
void DDEndFillBatch();
bool DDFillBatchOpen();

// Clips (x, y, w, h) to a width x height area on all four edges; false when
// nothing is left.
bool ClipRect(int* x, int* y, int* w, int* h, int width, int height);

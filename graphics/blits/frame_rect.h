#pragma once
// Rectangular frames in a palette colour, and an image with a frame around it.

#include "graphics/surfaces/surface.h"

// A frame `thickness` wide inside the rectangle.
void DDFrameRect(DDSURFACEDATA* lpDst, int x, int y, int w, int h, int nThickness, int nColor);
// The source's top-left w x h with the colour key at (x, y), framed outside.
void DDBltFramed(DDSURFACEDATA* lpDst, int x, int y, int w, int h, DDSURFACEDATA* lpSrc, int nThickness, int nColor);

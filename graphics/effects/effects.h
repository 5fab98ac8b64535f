#pragma once
// Geometric pixel effects: rotation, the circle (a disc cut out of a picture
// in strips), the lens, the mosaic and the blur. Each gives false only when a
// surface cannot be locked; flags 1 leaves transparent source pixels out.

#include <cstdint>

#include "graphics/surfaces/surface.h"

// Draws the w x h source rectangle rotated by nAngle degrees about its point
// (cx, cy), which lands on (x, y).
bool DDBltRotate(DDSURFACEDATA* lpDst, int x, int y, int w, int h, int cx, int cy, int nAngle, DDSURFACEDATA* lpSrc,
                 int srcX, int srcY, int flags);

// Draws the part of the source inside a disc of radius r around (cx, cy),
// limited to the box of half-size halfW x halfH, in strips nStrip rows high;
// (srcCx, srcCy) is the source point under the centre.
void DDBltCircle(DDSURFACEDATA* lpDst, int cx, int cy, int halfW, int halfH, int r, int nStrip, DDSURFACEDATA* lpSrc,
                 int srcCx, int srcCy, int flags);

// Draws the disc of radius r around (cx, cy) magnified like a lens of focus
// depth h from the source around (srcCx, srcCy). bClear (Direct3D) makes
// everything of the square around the disc that shows no source transparent.
bool DDBltLens(DDSURFACEDATA* lpDst, int cx, int cy, int r, int h, DDSURFACEDATA* lpSrc, int srcCx, int srcCy,
               int flags, int bClear, const std::uint32_t* lpColorPair);

// Draws the source rectangle as square cells of nSize x nSize of one colour.
bool DDBltMosaic(DDSURFACEDATA* lpDst, int x, int y, int w, int h, int nSize, DDSURFACEDATA* lpSrc, int srcX,
                 int srcY, int flags, const std::uint32_t* lpColorPair);

// Draws the source rectangle with each pixel the mean of the 2rx x 2ry box
// that ends just below and right of it (cut to the rectangle).
bool DDBltBlur(DDSURFACEDATA* lpDst, int x, int y, int w, int h, int rx, int ry, DDSURFACEDATA* lpSrc, int srcX,
               int srcY, int flags, const std::uint32_t* lpColorPair);

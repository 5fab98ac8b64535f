#pragma once
// Blits that draw a source rectangle (lpSrc, sx, sy, w x h) at (x, y) in
// pieces: the stage's burst, split, wave and rotation-in-depth effects.
// Except for the rotation in depth, the pieces are collected in one draw
// batch in drawing order. flags: 0 opaque, 1 colour key.

#include "graphics/surfaces/surface.h"

// The four quarters pushed apart by `distance`.
void DDBltBurst(DDSURFACEDATA* lpDst, int x, int y, int w, int h, DDSURFACEDATA* lpSrc, int sx, int sy, int distance,
                int flags);
// Strips of `stripSize` pushed alternately by +-shift (columns moved up and
// down when vertical, rows left and right otherwise).
void DDBltSplit(DDSURFACEDATA* lpDst, int x, int y, int w, int h, int stripSize, int shift, DDSURFACEDATA* lpSrc,
                int sx, int sy, int flags, int vertical);
// Slices `slice` wide displaced along `waves` sine periods of `amplitude`.
void DDBltWave(DDSURFACEDATA* lpDst, int x, int y, int w, int h, int waves, double amplitude, int phase, int slice,
               DDSURFACEDATA* lpSrc, int sx, int sy, int flags, int vertical);
// The picture narrowing to a line and widening again, front and back in
// turn, at `step` of the turn.
void DDBltRotateDepth(DDSURFACEDATA* lpDst, int x, int y, int w, int h, DDSURFACEDATA* lpFront, int frontX,
                      int frontY, DDSURFACEDATA* lpBack, int backX, int backY, int srcW, int srcH, int flags, int step,
                      int vertical);

#pragma once
// Blits that draw a source rectangle (lpSrc, sx, sy, w x h) at (x, y) in
// pieces: the stage's burst, split, wave and rotation-in-depth effects.
// Except for the rotation in depth, the pieces are collected in one draw
// batch in drawing order. flags: 0 opaque, 1 colour key.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>

#include "graphics/surfaces/surface.h"

// The four quarters pushed apart by `distance`.
void DDBltBurst(DDSURFACEDATA* lpDst, int x, int y, int w, int h, DDSURFACEDATA* lpSrc, int sx, int sy, int distance,
                int flags);
// Strips of `stripSize` pushed alternately by +-shift (columns moved up and
// down when vertical, rows left and right otherwise).
void DDBltSplit(DDSURFACEDATA* lpDst, int x, int y, int w, int h, int stripSize, int shift, DDSURFACEDATA* lpSrc,
                int sx, int sy, int flags, int vertical);
// The wave's slices over `length` pixels: f(first, size, offset) for each
// slice [first, first + size) along the wave, moved by `offset` across it.
template <typename F>
void ForEachWaveSlice(int length, int waves, double amplitude, int phase, int slice, F f) {
  if (slice <= 0) return;
  // The accumulator runs through 360 degrees over the whole picture.
  const double step = 360.0 / length;
  double accumulator = 0.0;
  for (int c = 0; c < length; c += slice) {
    accumulator += step * slice;
    const int offset =
        static_cast<int>(std::sin((phase + accumulator) * waves * std::numbers::pi / 180.0) * amplitude);
    f(c, std::min(slice, length - c), offset);
  }
}
// Slices `slice` wide displaced along `waves` sine periods of `amplitude`.
void DDBltWave(DDSURFACEDATA* lpDst, int x, int y, int w, int h, int waves, double amplitude, int phase, int slice,
               DDSURFACEDATA* lpSrc, int sx, int sy, int flags, int vertical);
// Direct3D: what a 1:1 copy of the w x h screen onto lpCopy, a clear of the
// screen to dwClear, and the horizontal wave drawn back from the copy at
// alpha operation 1 (DDBltWave with vertical 0) leave, drawn a row at a
// time: each row is copied aside and drawn back while it is still in the
// cache. False, with nothing drawn, unless the draw state is the plain one
// (white draw colour, texel colour and alpha), no batch is collecting and
// both surfaces are w x h 32-bit render targets; the steps are then taken
// one by one.
bool DDCopyAndWaveAcross(DDSURFACEDATA* lpScreen, DDSURFACEDATA* lpCopy, int w, int h, int waves, double amplitude,
                         int phase, int slice, std::uint32_t dwClear);
// The picture narrowing to a line and widening again, front and back in
// turn, at `step` of the turn.
void DDBltRotateDepth(DDSURFACEDATA* lpDst, int x, int y, int w, int h, DDSURFACEDATA* lpFront, int frontX,
                      int frontY, DDSURFACEDATA* lpBack, int backX, int backY, int srcW, int srcH, int flags, int step,
                      int vertical);

#pragma once
// Pixel copies that do not go through the textured quad.

#include "graphics/surfaces/surface.h"

// DirectDraw: copies (and stretches, nearest) an already clipped source
// rectangle onto the destination rectangle; flags 1 skips pixels equal to
// the colour key of a keyed source. Overlapping copies within one surface
// read the source as it was before. A copy onto PrimarySD shows it.
void CopyPixels(DDSURFACEDATA* lpDst, int x, int y, int w, int h, DDSURFACEDATA* lpSrc, int sx, int sy, int sw,
                int sh, int flags);

// Direct3D software path (a destination that is not a render target, or a
// system-memory source): every destination pixel inside the destination
// whose source pixel lies inside the source is written; with flags 1 texels
// of alpha 0 are skipped. Other sizes step through the source with 32-bit
// float factors sw / dw and sh / dh; a negative sw reads the row backwards
// from sx - 1.
void SoftwareStretch(DDSURFACEDATA* lpDst, int dx, int dy, int dw, int dh, DDSURFACEDATA* lpSrc, int sx, int sy,
                     int sw, int sh, int flags);

#pragma once
// The background layers' own movement: a layer that scrolls by itself moves
// its offset by its speed once per frame and wraps it into its picture, so
// the tiling never runs out.

#include "foundation/checked_vector.h"

class cEdBackground;
struct DDSURFACEDATA;

inline constexpr int kBackgroundLayerBitmap = 55;
inline constexpr int kBackgroundLayerCount = 8;

// The picture of layer i (bitmaps 55 onward), or nullptr beyond the eighth.
DDSURFACEDATA* LayerSurface(std::size_t layer);

// Wraps an offset into 0 .. size (size > 0); results of one wrap are the
// plain add or subtract, anything further out is taken modulo the size.
double WrapLayerOffset(double offset, int size);

// One frame of every auto-scrolling layer; layers without a picture keep
// their offsets.
void MoveBackgroundLayers(cVector<cEdBackground>& layers);

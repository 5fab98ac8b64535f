#include "stage/draw/layers/layer_motion.h"

#include <cmath>

#include "definitions/stage/stage_parts.h"
#include "graphics/images/bitmap_table.h"

DDSURFACEDATA* LayerSurface(std::size_t layer) {
  if (layer >= kBackgroundLayerCount) return nullptr;
  return &g_BmpSD[kBackgroundLayerBitmap + layer];
}

double WrapLayerOffset(double offset, int size) {
  if (offset < 0) offset += size;
  else if (offset >= size) offset -= size;
  if (!(offset >= 0 && offset < size)) {
    // A speed beyond the picture's size (or an infinite one) leaves a single
    // wrap out of range.
    offset = std::fmod(offset, static_cast<double>(size));
    if (offset < 0) offset += size;
    if (!(offset >= 0 && offset < size)) offset = 0;
  }
  return offset;
}

void MoveBackgroundLayers(cVector<cEdBackground>& layers) {
  for (std::size_t i = 0; i < layers.size(); ++i) {
    cEdBackground& layer = layers[i];
    const DDSURFACEDATA* surface = LayerSurface(i);
    if (surface == nullptr || surface->nWidth <= 0 || surface->nHeight <= 0) continue;
    if (layer.AutoX) layer.OffsetX = WrapLayerOffset(layer.OffsetX - layer.AutoSpeedX, surface->nWidth);
    if (layer.AutoY) layer.OffsetY = WrapLayerOffset(layer.OffsetY - layer.AutoSpeedY, surface->nHeight);
  }
}

#pragma once
// The background layers as pixels: each visible layer of a pass is a plain
// colour or its picture tiled over the screen from a source origin that
// follows the scroll (times the layer's parallax factor) plus its own
// offset. Behind everything, palette colour 16 shows where no layer drew.

#include "foundation/checked_vector.h"

class cEdBackground;
struct ScrollAxis;

// The picture origin of a layer for the scroll position (before wrapping).
int LayerOriginX(const cEdBackground& layer, const ScrollAxis& axis);
int LayerOriginY(const cEdBackground& layer, const ScrollAxis& axis);

// Draws pass 0 (behind) or 1 (in front) into BackBuffer, stopping after
// `maxLayers` layers have drawn (a hidden paused stage shows only the first).
void DrawBackgroundLayers(const cVector<cEdBackground>& layers, int pass, const ScrollAxis& x, const ScrollAxis& y,
                          int maxLayers = 1 << 30);

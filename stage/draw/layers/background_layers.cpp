#include "stage/draw/layers/background_layers.h"

#include "definitions/stage/stage_parts.h"
#include "graphics/blits/blit.h"
#include "graphics/blits/fill.h"
#include "graphics/device/device.h"
#include "stage/core/double_to_int.h"
#include "stage/draw/layers/layer_motion.h"
#include "stage/scroll/scroll_axis.h"

namespace {

constexpr int kScreenWidth = 640;
constexpr int kScreenHeight = 480;
constexpr int kMaxTiles = 1000;
constexpr int kEmptyColour = 16;

int Wrapped(int origin, int size) {
  const int r = origin % size;
  return r < 0 ? r + size : r;
}

bool HasPicture(const DDSURFACEDATA* surface) {
  return surface != nullptr && surface->nWidth > 0 && surface->nHeight > 0;
}

void TileLayer(DDSURFACEDATA* picture, int originX, int originY, int flags) {
  const int w = picture->nWidth;
  const int h = picture->nHeight;
  const int firstX = Wrapped(originX, w);
  const int firstY = Wrapped(originY, h);
  int y = 0;
  for (int row = 0; y < kScreenHeight && row < kMaxTiles; ++row) {
    const int srcY = row == 0 ? firstY : 0;
    int x = 0;
    for (int column = 0; x < kScreenWidth && column < kMaxTiles; ++column) {
      const int srcX = column == 0 ? firstX : 0;
      DDBlt(&BackBuffer, x, y, w - srcX, h - srcY, picture, srcX, srcY, flags);
      x += w - srcX;
    }
    y += h - srcY;
  }
}

}  // namespace

int LayerOriginX(const cEdBackground& layer, const ScrollAxis& axis) {
  const double scrolled = TruncToInt(axis.position + 0.5) - axis.base;
  return TruncToInt(scrolled * layer.RateX + (layer.AutoX ? layer.OffsetX : 0.0));
}

int LayerOriginY(const cEdBackground& layer, const ScrollAxis& axis) {
  const double scrolled = TruncToInt(axis.position) - axis.base;
  return TruncToInt(scrolled * layer.RateY + (layer.AutoY ? layer.OffsetY : 0.0));
}

void DrawBackgroundLayers(const cVector<cEdBackground>& layers, int pass, const ScrollAxis& x, const ScrollAxis& y,
                          int maxLayers) {
  int drawn = 0;
  for (std::size_t i = 0; i < layers.size() && drawn < maxLayers; ++i) {
    const cEdBackground& layer = layers[i];
    if (!layer.Show || static_cast<int>(layer.Pass) != pass) continue;
    if (layer.Fill) {
      DDFillRect(&BackBuffer, 0, 0, kScreenWidth, kScreenHeight, layer.FillColour);
      ++drawn;
      continue;
    }
    DDSURFACEDATA* picture = LayerSurface(i);
    if (!HasPicture(picture)) continue;
    const int flags = pass == 0 && drawn == 0 ? 0 : 1;
    TileLayer(picture, LayerOriginX(layer, x), LayerOriginY(layer, y), flags);
    ++drawn;
  }
  if (pass == 0 && drawn == 0) DDFillRect(&BackBuffer, 0, 0, kScreenWidth, kScreenHeight, kEmptyColour);
}

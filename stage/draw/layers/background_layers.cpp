#include "stage/draw/layers/background_layers.h"

#include <array>
#include <vector>

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

using ScreenRows = std::array<bool, kScreenHeight>;

int Wrapped(int origin, int size) {
  const int r = origin % size;
  return r < 0 ? r + size : r;
}

bool HasPicture(const DDSURFACEDATA* surface) {
  return surface != nullptr && surface->nWidth > 0 && surface->nHeight > 0;
}

// One band of tiles, rows [y, y + h) of the screen from source row srcY.
void TileBand(DDSURFACEDATA* picture, int firstX, int y, int h, int srcY, int flags) {
  const int w = picture->nWidth;
  int x = 0;
  for (int column = 0; x < kScreenWidth && column < kMaxTiles; ++column) {
    const int srcX = column == 0 ? firstX : 0;
    DDBlt(&BackBuffer, x, y, w - srcX, h, picture, srcX, srcY, flags);
    x += w - srcX;
  }
}

// f(top, bottom) for each run of screen rows in [y, end) that `skipped`
// does not mark (all of them without it).
template <typename F>
void ForEachRowsLeft(int y, int end, const ScreenRows* skipped, F f) {
  const auto skips = [skipped](int row) { return skipped && row < kScreenHeight && (*skipped)[std::size_t(row)]; };
  for (int top = y; top < end;) {
    if (skips(top)) {
      ++top;
      continue;
    }
    int bottom = top + 1;
    while (bottom < end && !skips(bottom)) ++bottom;
    f(top, bottom);
    top = bottom;
  }
}

// The picture repeated over the screen from its origin, leaving out the
// screen rows marked in `skipped` (none without it).
void TileLayer(DDSURFACEDATA* picture, int originX, int originY, int flags, const ScreenRows* skipped = nullptr) {
  const int w = picture->nWidth;
  const int h = picture->nHeight;
  const int firstX = Wrapped(originX, w);
  const int firstY = Wrapped(originY, h);
  int y = 0;
  for (int row = 0; y < kScreenHeight && row < kMaxTiles; ++row) {
    const int srcY = row == 0 ? firstY : 0;
    const int bandEnd = y + h - srcY;
    ForEachRowsLeft(y, bandEnd, skipped, [&](int top, int bottom) {
      TileBand(picture, firstX, top, bottom - top, srcY + (top - y), flags);
    });
    y = bandEnd;
  }
}

// The screen filled with one colour, leaving out the rows marked in `skipped`.
void FillLayer(std::uint32_t colour, const ScreenRows& skipped) {
  ForEachRowsLeft(0, kScreenHeight, &skipped, [colour](int top, int bottom) {
    DDFillRect(&BackBuffer, 0, top, kScreenWidth, bottom - top, colour);
  });
}

// The screen rows that the picture layers after `first` in the pass set
// outright, each pixel from its own picture whatever lay under it: the
// first layer's pixels there never show. (Fill layers count towards the
// layers drawn but are not looked into.)
const ScreenRows& RowsSetByLaterLayers(const cVector<cEdBackground>& layers, std::size_t first, int pass,
                                       const ScrollAxis& y, int maxLayers) {
  thread_local ScreenRows covered;
  thread_local std::vector<bool> pictureRows;
  covered.fill(false);
  int drawn = 1;
  for (std::size_t i = first + 1; i < layers.size() && drawn < maxLayers; ++i) {
    const cEdBackground& layer = layers[i];
    if (!layer.Show || static_cast<int>(layer.Pass) != pass) continue;
    if (layer.Fill) {
      ++drawn;
      continue;
    }
    DDSURFACEDATA* picture = LayerSurface(i);
    if (!HasPicture(picture)) continue;
    ++drawn;
    if (!DDBltSetsRows(&BackBuffer, picture, 1, &pictureRows)) continue;
    const int firstY = Wrapped(LayerOriginY(layer, y), picture->nHeight);
    for (int row = 0; row < kScreenHeight; ++row)
      if (pictureRows[std::size_t((firstY + row) % picture->nHeight)]) covered[std::size_t(row)] = true;
  }
  return covered;
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
    // The first layer drawn leaves out the rows that later ones set outright.
    if (layer.Fill) {
      if (drawn == 0)
        FillLayer(layer.FillColour, RowsSetByLaterLayers(layers, i, pass, y, maxLayers));
      else
        DDFillRect(&BackBuffer, 0, 0, kScreenWidth, kScreenHeight, layer.FillColour);
      ++drawn;
      continue;
    }
    DDSURFACEDATA* picture = LayerSurface(i);
    if (!HasPicture(picture)) continue;
    const int flags = pass == 0 && drawn == 0 ? 0 : 1;
    const ScreenRows* covered = drawn == 0 ? &RowsSetByLaterLayers(layers, i, pass, y, maxLayers) : nullptr;
    TileLayer(picture, LayerOriginX(layer, x), LayerOriginY(layer, y), flags, covered);
    ++drawn;
  }
  if (pass == 0 && drawn == 0) DDFillRect(&BackBuffer, 0, 0, kScreenWidth, kScreenHeight, kEmptyColour);
}

#include <algorithm>

#include "graphics/device/device.h"
#include "graphics/effects/effect_pixels.h"
#include "graphics/effects/effects.h"

namespace {

using namespace effect_pixels;

// One mosaic cell, already cut to the rectangle, the destination and the
// source: offsets [i0, i1) x [j0, j1) of the effect's rectangle.
struct Cell {
  int i0, i1, j0, j1;
};

template <typename Pixel, typename Colour>
void ForEachCell(const Plane<Pixel>& dst, int x, int y, int w, int h, int size, const Plane<Pixel>& src, int srcX,
                 int srcY, Colour&& colour) {
  const CopyRange r = ClipCopy(dst, x, y, w, h, src, srcX, srcY);
  if (r.Empty()) return;
  // Cells are laid from the rectangle's top-left corner.
  for (long long top = r.j0 / size * static_cast<long long>(size); top < r.j1; top += size) {
    for (long long left = r.i0 / size * static_cast<long long>(size); left < r.i1; left += size) {
      const Cell cell{static_cast<int>(std::max<long long>(left, r.i0)), static_cast<int>(std::min<long long>(left + size, r.i1)),
                      static_cast<int>(std::max<long long>(top, r.j0)), static_cast<int>(std::min<long long>(top + size, r.j1))};
      Pixel fill;
      if (!colour(cell, fill)) continue;
      for (int j = cell.j0; j < cell.j1; ++j) std::fill(dst.Row(y + j) + x + cell.i0, dst.Row(y + j) + x + cell.i1, fill);
    }
  }
}

}  // namespace

bool DDBltMosaic(DDSURFACEDATA* lpDst, int x, int y, int w, int h, int nSize, DDSURFACEDATA* lpSrc, int srcX,
                 int srcY, int flags, const std::uint32_t* lpColorPair) {
  if (!lpDst || !lpSrc || nSize < 1) return true;
  LockedPair locks;
  if (!locks.Lock(lpDst, lpSrc)) return false;
  const PixelMode mode = CurrentMode();
  const TransparencyTest transparent = TransparencyTest::ForFlags(flags);
  if (mode == PixelMode::DirectDraw8) {
    const Plane<std::uint8_t> src = PlaneOf<std::uint8_t>(locks.Src());
    ForEachCell(PlaneOf<std::uint8_t>(locks.Dst()), x, y, w, h, nSize, src, srcX, srcY,
                [&](const Cell& c, std::uint8_t& fill) {
                  fill = src.At(srcX + c.i0, srcY + c.j0);
                  return !transparent(fill);
                });
    return true;
  }
  const Plane<std::uint32_t> src = PlaneOf<std::uint32_t>(locks.Src());
  const Plane<std::uint32_t> dst = PlaneOf<std::uint32_t>(locks.Dst());
  if (mode == PixelMode::Direct3D32) {
    const ColourAdd add = ColourAdd::FromPair(lpColorPair);
    ForEachCell(dst, x, y, w, h, nSize, src, srcX, srcY, [&](const Cell& c, std::uint32_t& fill) {
      const std::uint32_t s = src.At(srcX + c.i0, srcY + c.j0);
      fill = kOpaque | add(s);
      return !transparent(s);
    });
    return true;
  }
  // DirectDraw 32 bits: the mean colour of the cell's opaque pixels.
  ForEachCell(dst, x, y, w, h, nSize, src, srcX, srcY, [&](const Cell& c, std::uint32_t& fill) {
    long long red = 0, green = 0, blue = 0, count = 0;
    for (int j = c.j0; j < c.j1; ++j) {
      const std::uint32_t* in = src.Row(srcY + j) + srcX;
      for (int i = c.i0; i < c.i1; ++i) {
        if (transparent(in[i])) continue;
        red += Red(in[i]);
        green += Green(in[i]);
        blue += Blue(in[i]);
        ++count;
      }
    }
    if (count == 0) return false;
    fill = Pack(0, static_cast<int>(red / count), static_cast<int>(green / count), static_cast<int>(blue / count));
    return !transparent(fill);
  });
  return true;
}

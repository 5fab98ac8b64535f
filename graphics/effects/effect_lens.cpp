#include <algorithm>
#include <cmath>

#include "graphics/device/device.h"
#include "graphics/effects/effect_pixels.h"
#include "graphics/effects/effects.h"

namespace {

using namespace effect_pixels;

// Source offset of the lens point (dx, dy): the centre is magnified R / h
// times, the rim hardly at all.
struct LensOffset {
  int x, y;
};
LensOffset LensMapping(long long dx, long long dy, long long h, long long bigR) {
  const double root = std::sqrt(static_cast<double>(bigR * bigR - dx * dx - dy * dy));
  if (root == 0.0) return {static_cast<int>(dx), static_cast<int>(dy)};
  // dx × h first, then the division: exact halves must round as they do here.
  const auto offset = [&](long long d) { return static_cast<int>(static_cast<double>(d * h) / root + 0.5); };
  return {offset(dx), offset(dy)};
}

template <typename Pixel, typename Write>
void LensPixels(const Plane<Pixel>& dst, const Plane<Pixel>& src, int cx, int cy, int r, int h, long long bigR,
                int srcCx, int srcCy, bool clear, Write&& write) {
  const TransparencyTest transparent = TransparencyTest::ForMode(CurrentMode(), g_DDState.dwColorKey);
  // Only rows and columns inside the destination can be drawn.
  const long long top = std::max<long long>(-r, -static_cast<long long>(cy));
  const long long bottom = std::min<long long>(r, static_cast<long long>(dst.height) - 1 - cy);
  const long long left = std::max<long long>(-r, -static_cast<long long>(cx));
  const long long right = std::min<long long>(r, static_cast<long long>(dst.width) - 1 - cx);
  const long long r2 = static_cast<long long>(r) * r;
  for (long long dy = top; dy <= bottom; ++dy) {
    Pixel* out = dst.Row(static_cast<int>(cy + dy));
    for (long long dx = left; dx <= right; ++dx) {
      Pixel& d = out[cx + dx];
      bool drawn = false;
      if (dx * dx + dy * dy <= r2) {
        const LensOffset o = LensMapping(dx, dy, h, bigR);
        const long long sx = static_cast<long long>(srcCx) + o.x;
        const long long sy = static_cast<long long>(srcCy) + o.y;
        if (sx >= 0 && sy >= 0 && sx < src.width && sy < src.height) {
          const Pixel s = src.At(static_cast<int>(sx), static_cast<int>(sy));
          if (!transparent(s)) {
            d = write(s);
            drawn = true;
          }
        }
      }
      if (!drawn && clear) d = 0;
    }
  }
}

}  // namespace

bool DDBltLens(DDSURFACEDATA* lpDst, int cx, int cy, int r, int h, DDSURFACEDATA* lpSrc, int srcCx, int srcCy, int,
               int bClear, const std::uint32_t* lpColorPair) {
  if (!lpDst || !lpSrc || r < 0 || h < 0) return true;
  // 64-bit: r and h come from effect values and may be large.
  const long long bigR = static_cast<long long>(
      std::sqrt(static_cast<double>(static_cast<long long>(r) * r + static_cast<long long>(h) * h)));
  if (bigR <= h) return true;
  LockedPair locks;
  if (!locks.Lock(lpDst, lpSrc)) return false;
  const PixelMode mode = CurrentMode();
  if (mode == PixelMode::DirectDraw8) {
    LensPixels(PlaneOf<std::uint8_t>(locks.Dst()), PlaneOf<std::uint8_t>(locks.Src()), cx, cy, r, h, bigR, srcCx,
               srcCy, false, [](std::uint8_t s) { return s; });
  } else if (mode == PixelMode::DirectDraw32) {
    LensPixels(PlaneOf<std::uint32_t>(locks.Dst()), PlaneOf<std::uint32_t>(locks.Src()), cx, cy, r, h, bigR, srcCx,
               srcCy, false, [](std::uint32_t s) { return s; });
  } else {
    const ColourAdd add = ColourAdd::FromPair(lpColorPair);
    LensPixels(PlaneOf<std::uint32_t>(locks.Dst()), PlaneOf<std::uint32_t>(locks.Src()), cx, cy, r, h, bigR, srcCx,
               srcCy, bClear != 0, [&](std::uint32_t s) { return kOpaque | add(s); });
  }
  return true;
}

#include <algorithm>
#include <vector>

#include "graphics/device.h"
#include "graphics/effect_pixels.h"
#include "graphics/effects.h"

namespace {

using namespace effect_pixels;

// Summed-area table of the red, green and blue sums and the count of the
// opaque source pixels of a region, so that every box mean costs the same
// whatever the radii.
class BoxSums {
 public:
  BoxSums(const Plane<std::uint32_t>& src, int left, int top, int width, int height, const TransparencyTest& skip)
      : m_width(width + 1), m_sums(static_cast<std::size_t>(width + 1) * (height + 1)) {
    for (int j = 0; j < height; ++j) {
      const std::uint32_t* in = src.Row(top + j) + left;
      Sum row{};
      for (int i = 0; i < width; ++i) {
        if (!skip(in[i])) row += Sum{Red(in[i]), Green(in[i]), Blue(in[i]), 1};
        At(i + 1, j + 1) = At(i + 1, j) + row;
      }
    }
  }

  struct Sum {
    int red, green, blue, count;
    Sum operator+(const Sum& o) const { return {red + o.red, green + o.green, blue + o.blue, count + o.count}; }
    Sum operator-(const Sum& o) const { return {red - o.red, green - o.green, blue - o.blue, count - o.count}; }
    Sum& operator+=(const Sum& o) { return *this = *this + o; }
  };

  // Sum over [i0, i1) x [j0, j1) of the region.
  Sum Box(int i0, int i1, int j0, int j1) const { return At(i1, j1) - At(i0, j1) - At(i1, j0) + At(i0, j0); }

 private:
  Sum& At(int i, int j) { return m_sums[static_cast<std::size_t>(j) * m_width + i]; }
  const Sum& At(int i, int j) const { return m_sums[static_cast<std::size_t>(j) * m_width + i]; }

  int m_width;
  std::vector<Sum> m_sums;
};

}  // namespace

bool DDBltBlur(DDSURFACEDATA* lpDst, int x, int y, int w, int h, int rx, int ry, DDSURFACEDATA* lpSrc, int srcX,
               int srcY, int flags, const std::uint32_t* lpColorPair) {
  // Negative radii make an empty box, as do zero ones; 8-bit pixels have no blur.
  if (!lpDst || !lpSrc || rx <= 0 || ry <= 0 || effect_pixels::CurrentMode() == PixelMode::DirectDraw8) return true;
  LockedPair locks;
  if (!locks.Lock(lpDst, lpSrc)) return false;
  const Plane<std::uint32_t> dst = PlaneOf<std::uint32_t>(locks.Dst());
  const Plane<std::uint32_t> src = PlaneOf<std::uint32_t>(locks.Src());
  const TransparencyTest transparent = TransparencyTest::ForFlags(flags);
  // The part of the rectangle whose source pixels exist; pixels beyond the
  // source surface count as absent.
  const int left = std::max(0, -srcX), top = std::max(0, -srcY);
  const int right = static_cast<int>(std::min<long long>(w, static_cast<long long>(src.width) - srcX));
  const int bottom = static_cast<int>(std::min<long long>(h, static_cast<long long>(src.height) - srcY));
  if (left >= right || top >= bottom) return true;
  const BoxSums sums(src, srcX + left, srcY + top, right - left, bottom - top, transparent);
  const ColourAdd add = ColourAdd::FromPair(lpColorPair);
  const bool direct3D = lpDTCon != nullptr;
  const CopyRange r = ClipCopy(dst, x, y, w, h, src, srcX, srcY);
  for (int j = r.j0; j < r.j1; ++j) {
    const int j0 = std::max<long long>(top, static_cast<long long>(j) - ry) - top;
    const int j1 = std::min<long long>(bottom, static_cast<long long>(j) + ry) - top;
    const std::uint32_t* in = src.Row(srcY + j) + srcX;
    std::uint32_t* out = dst.Row(y + j) + x;
    for (int i = r.i0; i < r.i1; ++i) {
      if (transparent(in[i])) continue;
      const int i0 = std::max<long long>(left, static_cast<long long>(i) - rx) - left;
      const int i1 = std::min<long long>(right, static_cast<long long>(i) + rx) - left;
      const BoxSums::Sum s = sums.Box(i0, i1, j0, j1);
      if (s.count <= 0) continue;
      const std::uint32_t mean = Pack(0, s.red / s.count, s.green / s.count, s.blue / s.count);
      out[i] = direct3D ? kOpaque | add(mean) : mean;
    }
  }
  return true;
}

#pragma once
// What every pixel effect shares: which of the three pixel layouts the
// device draws in, a typed view of a locked surface, the channels of a
// 32-bit pixel, the test for a transparent source pixel, the colour-pair add
// and the rectangle of a copy that lies inside both surfaces.

#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "graphics/surfaces/surface.h"
#include "graphics/surfaces/surface_lock.h"

namespace effect_pixels {

// 16-bit requests run as 32 bits, and Direct3D always draws 32-bit ARGB.
enum class PixelMode { DirectDraw8, DirectDraw32, Direct3D32 };
PixelMode CurrentMode();

template <typename Pixel>
struct Plane {
  Pixel* bits = nullptr;
  int pitch = 0;
  int width = 0;
  int height = 0;

  bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
  Pixel* Row(int y) const { return bits + static_cast<std::ptrdiff_t>(y) * pitch; }
  Pixel& At(int x, int y) const { return Row(y)[x]; }
};

// The drawable area of a locked surface (never more than its buffer).
template <typename Pixel>
Plane<Pixel> PlaneOf(const cSurfaceLock& lock) {
  const DDSURFACEDATA* sd = lock.Surface();
  return {static_cast<Pixel*>(lock.Bits()), lock.Pitch(), std::min(sd->nWidth, lock.BufferWidth()),
          std::min(sd->nHeight, lock.BufferHeight())};
}

// Locks a destination for writing and a source for reading for one effect;
// the same surface on both sides is locked once (for writing). False when
// either cannot be locked (what was locked is unlocked again).
class LockedPair {
 public:
  bool Lock(DDSURFACEDATA* lpDst, DDSURFACEDATA* lpSrc);
  const cSurfaceLock& Dst() const { return m_dst; }
  const cSurfaceLock& Src() const { return m_same ? m_dst : m_src; }
  int BitsPerPixel() const { return m_dst.BitsPerPixel(); }

 private:
  cSurfaceLock m_dst;
  cSurfaceLock m_src;
  bool m_same = false;
};

// Channels of a 32-bit pixel 0xAARRGGBB.
constexpr int Alpha(std::uint32_t p) { return static_cast<int>(p >> 24); }
constexpr int Red(std::uint32_t p) { return static_cast<int>((p >> 16) & 0xFF); }
constexpr int Green(std::uint32_t p) { return static_cast<int>((p >> 8) & 0xFF); }
constexpr int Blue(std::uint32_t p) { return static_cast<int>(p & 0xFF); }
constexpr std::uint32_t Pack(int a, int r, int g, int b) {
  return static_cast<std::uint32_t>(a) << 24 | static_cast<std::uint32_t>(r) << 16 |
         static_cast<std::uint32_t>(g) << 8 | static_cast<std::uint32_t>(b);
}
constexpr std::uint32_t kOpaque = 0xFF000000u;

// Which source pixels a keyed effect (flags 1) leaves out: the colour-key
// index at 8 bits, the colour key's red, green and blue in DirectDraw at 32
// bits, alpha 0 in Direct3D.
// One test for every mode: a pixel is transparent when its masked bits
// equal the value (an unkeyed test can never match: value 1 under mask 0).
struct TransparencyTest {
  std::uint32_t mask = 0;
  std::uint32_t value = 1;

  static TransparencyTest ForFlags(int flags);
  // The test of a mode whatever the flags (the lens always leaves them out).
  static TransparencyTest ForMode(PixelMode mode, std::uint32_t colourKey);
  bool operator()(std::uint32_t p) const { return (p & mask) == value; }
};

// The colour pair {draw colour, colour operation} of a Direct3D pixel
// effect: with the "add" operation (7) its red, green and blue are added to
// each pixel, clamped at 255; any other operation does nothing here.
struct ColourAdd {
  bool active = false;
  int red = 0, green = 0, blue = 0;

  static ColourAdd FromPair(const std::uint32_t* lpColorPair);
  std::uint32_t operator()(std::uint32_t p) const {
    if (!active) return p;
    return Pack(Alpha(p), std::min(255, Red(p) + red), std::min(255, Green(p) + green), std::min(255, Blue(p) + blue));
  }
};

// The part [i0, i1) x [j0, j1) of a w x h copy from (sx, sy) to (x, y) whose
// destination and source pixels both lie inside their planes.
struct CopyRange {
  int i0 = 0, i1 = 0, j0 = 0, j1 = 0;
  bool Empty() const { return i0 >= i1 || j0 >= j1; }
};
template <typename D, typename S>
CopyRange ClipCopy(const Plane<D>& dst, int x, int y, int w, int h, const Plane<S>& src, int sx, int sy) {
  // 64-bit so that extreme positions cannot overflow.
  using L = long long;
  const auto clamp = [](L v) { return static_cast<int>(std::clamp<L>(v, 0, 1LL << 30)); };
  CopyRange r;
  r.i0 = clamp(std::max({L{0}, -L{x}, -L{sx}}));
  r.j0 = clamp(std::max({L{0}, -L{y}, -L{sy}}));
  r.i1 = clamp(std::min({L{w}, L{dst.width} - x, L{src.width} - sx}));
  r.j1 = clamp(std::min({L{h}, L{dst.height} - y, L{src.height} - sy}));
  return r;
}

}  // namespace effect_pixels

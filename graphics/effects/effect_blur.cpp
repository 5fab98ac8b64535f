#include <algorithm>
#include <vector>

#include "graphics/device/device.h"
#include "graphics/effects/effect_pixels.h"
#include "graphics/effects/effects.h"

namespace {

using namespace effect_pixels;

// Red, green and blue sums and the count of the opaque source pixels of a box.
struct Sum {
  int red = 0, green = 0, blue = 0, count = 0;
};

// Box sums over a region of the source. The column sums of the rows
// [j - ry, j + ry) slide down the region a row at a time, and a window of
// the columns [i - rx, i + rx) slides along them, so every box costs the
// same whatever the radii.
class SlidingBox {
 public:
  SlidingBox(const Plane<std::uint32_t>& src, int left, int top, int width, int height, int rx, int ry,
             const TransparencyTest& skip)
      : m_src(src), m_left(left), m_top(top), m_width(width), m_height(height),
        // Radii beyond the region's size reach no further than its edges.
        m_rx(std::min(rx, width)), m_ry(std::min(ry, height)), m_skip(skip),
        m_red(width), m_green(width), m_blue(width), m_count(width) {}

  // Positions the rows on region row j (rows are visited in increasing order).
  void MoveTo(int j) {
    const int from = std::max(0, j - m_ry);
    const int to = std::min(m_height, j + m_ry);
    if (!m_started || from >= m_to) {
      for (auto* column : {&m_red, &m_green, &m_blue, &m_count}) std::fill(column->begin(), column->end(), 0);
      for (int r = from; r < to; ++r) AddRow(r, +1);
    } else {
      for (int r = m_from; r < from; ++r) AddRow(r, -1);
      for (int r = m_to; r < to; ++r) AddRow(r, +1);
    }
    m_started = true;
    m_from = from;
    m_to = to;
  }

  // Calls visit(i, sum) for i in [i0, i1) with the box sum around column i.
  template <typename Visit>
  void ForEachWindow(int i0, int i1, Visit&& visit) const {
    if (i0 >= i1) return;
    Sum window;
    for (int c = std::max(0, i0 - m_rx); c < std::min(m_width, i0 + m_rx); ++c) Add(window, c, +1);
    for (int i = i0; i < i1; ++i) {
      visit(i, window);
      // One column enters on the right and one leaves on the left.
      if (i + m_rx < m_width) Add(window, i + m_rx, +1);
      if (i - m_rx >= 0) Add(window, i - m_rx, -1);
    }
  }

 private:
  void Add(Sum& window, int column, int sign) const {
    window.red += sign * m_red[column];
    window.green += sign * m_green[column];
    window.blue += sign * m_blue[column];
    window.count += sign * m_count[column];
  }

  void AddRow(int j, int sign) {
    const std::uint32_t* in = m_src.Row(m_top + j) + m_left;
    for (int i = 0; i < m_width; ++i) {
      // sign for an opaque pixel, 0 for a transparent one.
      const int weight = m_skip(in[i]) ? 0 : sign;
      m_red[i] += weight * Red(in[i]);
      m_green[i] += weight * Green(in[i]);
      m_blue[i] += weight * Blue(in[i]);
      m_count[i] += weight;
    }
  }

  const Plane<std::uint32_t>& m_src;
  int m_left, m_top, m_width, m_height, m_rx, m_ry;
  TransparencyTest m_skip;
  std::vector<int> m_red, m_green, m_blue, m_count;
  bool m_started = false;
  int m_from = 0, m_to = 0;
};

// Division of channel sums by a pixel count through a reciprocal: exact while
// the count is below 2^16 (a sum never exceeds 255 times its count).
class CountDivider {
 public:
  int operator()(int sum, int count) {
    if (count >= (1 << 16)) return sum / count;
    if (count != m_count) {
      m_count = count;
      m_reciprocal = ((1ULL << 40) + static_cast<unsigned long long>(count) - 1) / static_cast<unsigned long long>(count);
    }
    return static_cast<int>((static_cast<unsigned long long>(sum) * m_reciprocal) >> 40);
  }

 private:
  int m_count = 0;
  unsigned long long m_reciprocal = 0;
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
  SlidingBox box(src, srcX + left, srcY + top, right - left, bottom - top, rx, ry, transparent);
  const ColourAdd add = ColourAdd::FromPair(lpColorPair);
  const bool direct3D = lpDTCon != nullptr;
  const CopyRange r = ClipCopy(dst, x, y, w, h, src, srcX, srcY);
  CountDivider divide;
  for (int j = r.j0; j < r.j1; ++j) {
    box.MoveTo(j - top);
    const std::uint32_t* in = src.Row(srcY + j) + srcX;
    std::uint32_t* out = dst.Row(y + j) + x;
    box.ForEachWindow(r.i0 - left, r.i1 - left, [&](int regionI, const Sum& s) {
      const int i = regionI + left;
      if (transparent(in[i]) || s.count <= 0) return;
      const std::uint32_t mean =
          Pack(0, divide(s.red, s.count), divide(s.green, s.count), divide(s.blue, s.count));
      out[i] = direct3D ? kOpaque | add(mean) : mean;
    });
  }
  return true;
}

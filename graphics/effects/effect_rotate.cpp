#include <algorithm>
#include <cmath>
#include <numbers>

#include "graphics/device/device.h"
#include "graphics/effects/effect_pixels.h"
#include "graphics/effects/effect_quad.h"
#include "graphics/effects/effects.h"

namespace {

using namespace effect_pixels;

// Sine and cosine of a whole-degree angle in 10 fractional bits, truncated.
struct FixedRotation {
  long long sin, cos;
  static FixedRotation Of(double radians) {
    return {static_cast<long long>(std::sin(radians) * 1024.0), static_cast<long long>(std::cos(radians) * 1024.0)};
  }
};

// Locked pixels: the box around the rotated rectangle is scanned and each
// point is mapped back into the source with the inverse rotation.
template <typename Pixel>
void RotatePixels(const Plane<Pixel>& dst, int x, int y, int w, int h, int cx, int cy, double theta,
                  const Plane<Pixel>& src, int srcX, int srcY, int flags) {
  const FixedRotation forward = FixedRotation::Of(theta);
  const FixedRotation inverse = FixedRotation::Of(-theta);
  long long minX = 0, maxX = 0, minY = 0, maxY = 0;
  bool first = true;
  for (const long long u : {-static_cast<long long>(cx), static_cast<long long>(w) - 1 - cx})
    for (const long long v : {-static_cast<long long>(cy), static_cast<long long>(h) - 1 - cy}) {
      const long long px = ((u * forward.cos - v * forward.sin) >> 10) + cx;
      const long long py = ((u * forward.sin + v * forward.cos) >> 10) + cy;
      minX = first ? px : std::min(minX, px);
      maxX = first ? px : std::max(maxX, px);
      minY = first ? py : std::min(minY, py);
      maxY = first ? py : std::max(maxY, py);
      first = false;
    }
  // Only box points whose destination lies inside the surface can be drawn.
  const long long x0 = std::max(minX - 2, static_cast<long long>(cx) - x);
  const long long x1 = std::min(maxX + 2, static_cast<long long>(dst.width) + cx - x);
  const long long y0 = std::max(minY - 2, static_cast<long long>(cy) - y);
  const long long y1 = std::min(maxY + 2, static_cast<long long>(dst.height) + cy - y);
  const bool keyed = flags == 1;
  const Pixel key = static_cast<Pixel>(g_DDState.dwColorKey);
  for (long long py = y0; py < y1; ++py) {
    const long long v = py - cy;
    Pixel* out = dst.Row(static_cast<int>(y + v));
    // The inverse mapping steps by the scaled cosine and sine along a row.
    long long colAcc = (x0 - cx) * inverse.cos - v * inverse.sin;
    long long rowAcc = (x0 - cx) * inverse.sin + v * inverse.cos;
    for (long long px = x0; px < x1; ++px, colAcc += inverse.cos, rowAcc += inverse.sin) {
      const long long col = (colAcc >> 10) + cx;
      const long long row = (rowAcc >> 10) + cy;
      if (col < 0 || row < 0 || col >= w || row >= h) continue;
      const long long sx = srcX + col, sy = srcY + row;
      if (sx < 0 || sy < 0 || sx >= src.width || sy >= src.height) continue;
      const Pixel s = src.At(static_cast<int>(sx), static_cast<int>(sy));
      if (keyed && s == key) continue;
      out[x + (px - cx)] = s;
    }
  }
}

// A texel co-ordinate wrapped into the texture.
int TexelAt(int t, int size) { return t >= 0 && t < size ? t : effect_quad::WrapTexel(t, size); }

// A position in 16.16 fixed point that advances by a constant step.
class FixedStep {
 public:
  FixedStep(double start, double step)
      : m_value(std::llround(start * 65536.0)), m_step(std::llround(step * 65536.0)) {}
  void Next() { m_value += m_step; }
  int Whole() const { return static_cast<int>(m_value >> 16); }  // floor

 private:
  long long m_value, m_step;
};

// Narrows [*k0, *k1) to the steps k where 0 <= start + k * step < 1.
void InsideSpan(double start, double step, int* k0, int* k1) {
  if (step == 0.0) {
    if (start < 0.0 || start >= 1.0) *k1 = *k0;
    return;
  }
  const double atZero = -start / step, atOne = (1.0 - start) / step;
  double first, last;  // inclusive bounds
  if (step > 0.0) {
    first = std::ceil(atZero);
    last = std::ceil(atOne) - 1.0;
  } else {
    first = std::floor(atOne) + 1.0;
    last = std::floor(atZero);
  }
  // Clamped before the conversion: a nearly flat step puts the bounds far away.
  const double lo = *k0, hi = *k1;
  *k0 = static_cast<int>(std::clamp(first, lo, hi));
  *k1 = static_cast<int>(std::clamp(last + 1.0, lo, hi));
}

// Direct3D quad path: the rectangle turned about its centre, which lands on
// (x, y); each pixel whose centre lies inside the turned quad samples the
// texel under it.
void RotateQuad(const effect_quad::QuadOperands& ops, int x, int y, int w, int h, int cx, int cy, double theta) {
  LockedPair locks;
  if (!effect_quad::BeginQuad(ops.dst)) return;
  if (locks.Lock(ops.dst, ops.src)) {
    const Plane<std::uint32_t> dst = PlaneOf<std::uint32_t>(locks.Dst());
    const cSurfaceLock& tex = locks.Src();
    const double c = std::cos(theta), s = std::sin(theta);
    // Top-left corner of the quad and its two edge vectors.
    const double u0 = -cx, v0 = -cy;
    const double originX = x - 0.5 + cx - w / 2 + u0 * c - v0 * s;
    const double originY = y - 0.5 + cy - h / 2 + u0 * s + v0 * c;
    const double ex = w * c, ey = w * s;    // along the top edge
    const double fx = -h * s, fy = h * c;   // down the left edge
    const double cornersX[] = {originX, originX + ex, originX + fx, originX + ex + fx};
    const double cornersY[] = {originY, originY + ey, originY + fy, originY + ey + fy};
    const int left = std::max(0, static_cast<int>(std::floor(*std::min_element(cornersX, cornersX + 4))));
    const int right = std::min(dst.width - 1, static_cast<int>(std::ceil(*std::max_element(cornersX, cornersX + 4))));
    const int top = std::max(0, static_cast<int>(std::floor(*std::min_element(cornersY, cornersY + 4))));
    const int bottom = std::min(dst.height - 1, static_cast<int>(std::ceil(*std::max_element(cornersY, cornersY + 4))));
    // Position on the quad (a along the top edge, b down the left one, each
    // 0..1) steps by a constant per pixel.
    const double stepAx = ex / (static_cast<double>(w) * w), stepAy = ey / (static_cast<double>(w) * w);
    const double stepBx = fx / (static_cast<double>(h) * h), stepBy = fy / (static_cast<double>(h) * h);
    const effect_quad::ContextStage stage;
    for (int py = top; py <= bottom; ++py) {
      std::uint32_t* out = dst.Row(py);
      const double qy = py - originY;
      const double a0 = (left - originX) * stepAx + qy * stepAy;
      const double b0 = (left - originX) * stepBx + qy * stepBy;
      // The pixels of this row whose centres lie inside the quad.
      int k0 = 0, k1 = right - left + 1;
      InsideSpan(a0, stepAx, &k0, &k1);
      InsideSpan(b0, stepBx, &k0, &k1);
      // Texel positions in 16.16 fixed point, stepped along the row.
      FixedStep u((a0 + k0 * stepAx) * ops.srcW, stepAx * ops.srcW);
      FixedStep v((b0 + k0 * stepBx) * ops.srcH, stepBx * ops.srcH);
      for (int k = k0; k < k1; ++k, u.Next(), v.Next()) {
        const int tx = TexelAt(ops.srcX + u.Whole(), tex.BufferWidth());
        const int ty = TexelAt(ops.srcY + v.Whole(), tex.BufferHeight());
        out[left + k] = effect_quad::BlendOver(stage(tex.Row32(ty)[tx]), out[left + k]);
      }
    }
  }
  effect_quad::EndQuad();
}

}  // namespace

bool DDBltRotate(DDSURFACEDATA* lpDst, int x, int y, int w, int h, int cx, int cy, int nAngle, DDSURFACEDATA* lpSrc,
                 int srcX, int srcY, int flags) {
  if (!lpDst || !lpSrc || w < 1 || h < 1) return true;
  const double theta = nAngle * std::numbers::pi / 180.0;
  if (lpDTCon) {
    const effect_quad::QuadOperands ops = effect_quad::ResolveOperands(lpDst, lpSrc, srcX, srcY, w, h, true);
    if (ops.quad) {
      RotateQuad(ops, x, y, w, h, cx, cy, theta);
      return true;
    }
    lpDst = ops.dst;
    lpSrc = ops.src;
  }
  LockedPair locks;
  if (!locks.Lock(lpDst, lpSrc)) return false;
  if (effect_pixels::CurrentMode() == PixelMode::DirectDraw8)
    RotatePixels(PlaneOf<std::uint8_t>(locks.Dst()), x, y, w, h, cx, cy, theta, PlaneOf<std::uint8_t>(locks.Src()),
                 srcX, srcY, flags);
  else
    RotatePixels(PlaneOf<std::uint32_t>(locks.Dst()), x, y, w, h, cx, cy, theta, PlaneOf<std::uint32_t>(locks.Src()),
                 srcX, srcY, flags);
  return true;
}

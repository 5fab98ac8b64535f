#include "graphics/quad.h"

#include <algorithm>
#include <array>
#include <vector>

#include "graphics/fill.h"

namespace {

using Lut = std::array<std::uint8_t, 256>;

inline std::uint32_t Mul255(std::uint32_t a, std::uint32_t b) {
  const std::uint32_t x = a * b + 128;
  return (x + (x >> 8)) >> 8;
}

std::uint32_t ApplyOp(std::uint32_t op, std::uint32_t t, std::uint32_t d) {
  const int ti = int(t), di = int(d);
  switch (op) {
    case 1: return d;
    case 2: return t;
    case 3: return d;
    case 5: return std::min(255u, 2 * Mul255(t, d));
    case 6: return std::min(255u, 4 * Mul255(t, d));
    case 7: return std::min(255u, t + d);
    case 8: return std::uint32_t(std::clamp(ti + di - 128, 0, 255));
    case 9: return std::uint32_t(std::clamp(2 * (ti + di - 128), 0, 255));
    case 10: return std::uint32_t(std::max(0, ti - di));
    case 11: return std::min(255u, t + d - Mul255(t, d));
    default: return Mul255(t, d);
  }
}

Lut MakeLut(std::uint32_t op, std::uint32_t diffuseChannel) {
  Lut lut;
  for (std::uint32_t t = 0; t < 256; ++t) lut[t] = static_cast<std::uint8_t>(ApplyOp(op, t, diffuseChannel));
  return lut;
}

// Source-over with the alpha channel blended by the same factors; exact
// rounding of two channels at once (each field stays below 2^16).
inline std::uint32_t Blend(std::uint32_t colour, std::uint32_t a, std::uint32_t dst) {
  const std::uint32_t ia = 255 - a;
  std::uint32_t rb = (colour & 0xFF00FF) * a + (dst & 0xFF00FF) * ia + 0x800080;
  rb = ((rb + ((rb >> 8) & 0xFF00FF)) >> 8) & 0xFF00FF;
  std::uint32_t ag = (((colour >> 8) & 0xFF) | (a << 16)) * a + ((dst >> 8) & 0xFF00FF) * ia + 0x800080;
  ag = ((ag + ((ag >> 8) & 0xFF00FF)) >> 8) & 0xFF00FF;
  return rb | (ag << 8);
}

inline int Wrap(int t, int size) {
  t %= size;
  return t < 0 ? t + size : t;
}

template <bool kIdentityColour>
void DrawRows(cPixelBuffer* dst, int x0, int y0, int y1, int dy, const std::vector<int>& cols,
              const cPixelBuffer* src, int sy, int sh, int dh, const Lut& alphaLut, const Lut& red, const Lut& green,
              const Lut& blue) {
  const int w = static_cast<int>(cols.size());
  for (int y = y0; y < y1; ++y) {
    const std::uint32_t* srow = src->Row32(Wrap(sy + SampleOffset(y - dy, sh, dh), src->Height()));
    std::uint32_t* drow = dst->Row32(y) + x0;
    for (int i = 0; i < w; ++i) {
      const std::uint32_t s = srow[cols[i]];
      const std::uint32_t a = alphaLut[s >> 24];
      if (a == 0) continue;
      std::uint32_t c;
      if constexpr (kIdentityColour) {
        c = s & 0xFFFFFF;
      } else {
        c = std::uint32_t(red[(s >> 16) & 0xFF]) << 16 | std::uint32_t(green[(s >> 8) & 0xFF]) << 8 |
            blue[s & 0xFF];
      }
      drow[i] = a == 255 ? 0xFF000000u | c : Blend(c, a, drow[i]);
    }
  }
}

}  // namespace

void DrawTexturedQuad(cPixelBuffer* dst, int dx, int dy, int dw, int dh, const cPixelBuffer* src, int sx, int sy,
                      int sw, int sh, const QuadStage& stage) {
  if (dw < 1 || dh < 1 || sw == 0 || sh == 0 || src->Empty() || src->BytesPerPixel() != 4 ||
      dst->BytesPerPixel() != 4)
    return;
  int x = dx, y = dy, w = dw, h = dh;
  if (!ClipRect(&x, &y, &w, &h, dst->Width(), dst->Height())) return;
  // Sampling a target from itself reads a copy taken before drawing.
  cPixelBuffer copy;
  if (src == dst) {
    copy = *src;
    src = &copy;
  }
  std::vector<int> cols(w);
  for (int i = 0; i < w; ++i) cols[i] = Wrap(sx + SampleOffset(x - dx + i, sw, dw), src->Width());

  const std::uint32_t d = stage.dwDiffuse;
  const Lut alphaLut = MakeLut(stage.dwAlphaOp, d >> 24);
  const Lut red = MakeLut(stage.dwColorOp, (d >> 16) & 0xFF);
  const Lut green = MakeLut(stage.dwColorOp, (d >> 8) & 0xFF);
  const Lut blue = MakeLut(stage.dwColorOp, d & 0xFF);
  bool identity = true;
  for (std::uint32_t t = 0; t < 256 && identity; ++t) identity = red[t] == t && green[t] == t && blue[t] == t;
  if (identity)
    DrawRows<true>(dst, x, y, y + h, dy, cols, src, sy, sh, dh, alphaLut, red, green, blue);
  else
    DrawRows<false>(dst, x, y, y + h, dy, cols, src, sy, sh, dh, alphaLut, red, green, blue);
}

void DrawColouredRect(cPixelBuffer* dst, int x, int y, int w, int h, std::uint32_t dwColor) {
  if (dst->BytesPerPixel() != 4 || !ClipRect(&x, &y, &w, &h, dst->Width(), dst->Height())) return;
  const std::uint32_t a = dwColor >> 24;
  if (a == 0) return;
  const std::uint32_t c = dwColor & 0xFFFFFF;
  for (int row = y; row < y + h; ++row) {
    std::uint32_t* p = dst->Row32(row) + x;
    for (int i = 0; i < w; ++i) p[i] = a == 255 ? dwColor : Blend(c, a, p[i]);
  }
}

void ClearRect(cPixelBuffer* dst, int x, int y, int w, int h, std::uint32_t value) {
  if (dst->BytesPerPixel() != 4 || !ClipRect(&x, &y, &w, &h, dst->Width(), dst->Height())) return;
  for (int row = y; row < y + h; ++row) std::fill_n(dst->Row32(row) + x, w, value);
}

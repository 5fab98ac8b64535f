#include "graphics/blits/quad.h"

#include <algorithm>
#include <array>
#include <vector>

#include "graphics/blits/fill.h"
#include "graphics/blits/simd.h"

namespace {

using Lut = std::array<std::uint8_t, 256>;

inline std::uint32_t Mul255(std::uint32_t a, std::uint32_t b) {
  const std::uint32_t x = a * b + 128;
  return (x + (x >> 8)) >> 8;
}

}  // namespace

std::uint32_t ApplyStageOp(std::uint32_t op, std::uint32_t t, std::uint32_t d) {
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

namespace {

Lut MakeLut(std::uint32_t op, std::uint32_t diffuseChannel) {
  Lut lut;
  for (std::uint32_t t = 0; t < 256; ++t) lut[t] = static_cast<std::uint8_t>(ApplyStageOp(op, t, diffuseChannel));
  return lut;
}

// How a stage's alpha is formed from the texel alpha t and diffuse alpha.
enum class AlphaKind { Table, Texel, Modulate, Diffuse };

// The stage's tables, rebuilt only when the stage changes.
struct StageTables {
  bool valid = false;
  QuadStage stage;
  Lut alpha{}, red{}, green{}, blue{};
  bool identityColour = false;
  AlphaKind alphaKind = AlphaKind::Table;
};

const StageTables& TablesFor(const QuadStage& stage) {
  thread_local StageTables t;
  if (t.valid && t.stage.dwDiffuse == stage.dwDiffuse && t.stage.dwColorOp == stage.dwColorOp &&
      t.stage.dwAlphaOp == stage.dwAlphaOp)
    return t;
  const std::uint32_t d = stage.dwDiffuse;
  t.stage = stage;
  t.alpha = MakeLut(stage.dwAlphaOp, d >> 24);
  t.red = MakeLut(stage.dwColorOp, (d >> 16) & 0xFF);
  t.green = MakeLut(stage.dwColorOp, (d >> 8) & 0xFF);
  t.blue = MakeLut(stage.dwColorOp, d & 0xFF);
  t.identityColour = true;
  for (std::uint32_t v = 0; v < 256 && t.identityColour; ++v)
    t.identityColour = t.red[v] == v && t.green[v] == v && t.blue[v] == v;
  switch (stage.dwAlphaOp) {
    case 1:
    case 3: t.alphaKind = AlphaKind::Diffuse; break;
    case 2: t.alphaKind = AlphaKind::Texel; break;
    case 4: t.alphaKind = AlphaKind::Modulate; break;
    default: t.alphaKind = AlphaKind::Table; break;
  }
  t.valid = true;
  return t;
}

inline int Wrap(int t, int size) {
  if (t >= 0 && t < size) return t;
  t %= size;
  return t < 0 ? t + size : t;
}

// One row through the tables, pixel by pixel (any colour operation).
void DrawRowByTable(std::uint32_t* drow, const std::uint32_t* srow, const int* cols, int w, const StageTables& t) {
  for (int i = 0; i < w; ++i) {
    const std::uint32_t s = srow[cols[i]];
    const std::uint32_t a = t.alpha[s >> 24];
    const std::uint32_t c =
        std::uint32_t(t.red[(s >> 16) & 0xFF]) << 16 | std::uint32_t(t.green[(s >> 8) & 0xFF]) << 8 | t.blue[s & 0xFF];
    drow[i] = Blend1(c, a, drow[i]);
  }
}

// The stage alpha of texel alpha t (0..255).
template <AlphaKind K>
inline std::uint32_t StageAlpha(std::uint32_t t, std::uint32_t diffuseAlpha) {
  if constexpr (K == AlphaKind::Texel) return t;
  if constexpr (K == AlphaKind::Modulate) return Mul255(t, diffuseAlpha);
  return diffuseAlpha;
}

// One row with the texel's own colour, four pixels at a time; kGather reads
// srow[cols[i]], otherwise srow[i].
template <AlphaKind K, bool kGather>
void DrawRowDirect(std::uint32_t* drow, const std::uint32_t* srow, const int* cols, int w,
                   std::uint32_t diffuseAlpha) {
  const u32x4 dA4 = {diffuseAlpha, diffuseAlpha, diffuseAlpha, diffuseAlpha};
  const BlendFactors diffuseFactors = MakeBlendFactors(dA4);
  const std::uint64_t alphaBits = 0xFF000000FF000000ULL;
  int i = 0;
#pragma GCC unroll 2
  for (; i + 4 <= w; i += 4) {
    const u32x4 s = kGather ? u32x4{srow[cols[i]], srow[cols[i + 1]], srow[cols[i + 2]], srow[cols[i + 3]]}
                            : Load4(srow + i);
    const u64x2 halves = (u64x2)s;
    const bool allOpaque = ((halves[0] & halves[1]) & alphaBits) == alphaBits;
    // Fully transparent texels leave the target; fully opaque ones replace
    // it when the texel's own alpha counts, and blend with the diffuse alpha
    // when modulated: no per-texel alpha arithmetic for either.
    if constexpr (K != AlphaKind::Diffuse) {
      if (((halves[0] | halves[1]) & alphaBits) == 0) continue;
    }
    if constexpr (K == AlphaKind::Texel) {
      if (allOpaque) {
        Store4(drow + i, s);
        continue;
      }
    }
    const u32x4 d = Load4(drow + i);
    if constexpr (K == AlphaKind::Texel)
      Store4(drow + i, Blend4(s, s >> 24, d));
    else if constexpr (K == AlphaKind::Modulate)
      Store4(drow + i, allOpaque ? Blend4(s, diffuseFactors, d) : Blend4(s, Mul255x4(s >> 24, dA4), d));
    else
      Store4(drow + i, Blend4(s, diffuseFactors, d));
  }
  for (; i < w; ++i) {
    const std::uint32_t p = kGather ? srow[cols[i]] : srow[i];
    drow[i] = Blend1(p, StageAlpha<K>(p >> 24, diffuseAlpha), drow[i]);
  }
}

// The destination rows of one quad and where their texels come from.
struct QuadRows {
  cPixelBuffer* dst;
  const cPixelBuffer* src;
  int x, y, w, h;       // the destination pixels drawn
  int firstRow;         // offset of row y within the quad
  int sy, sh, dh;
  int first;            // first source column of rows read in order
  const int* cols;      // source columns of rows read through a table
};

template <typename DrawRow>
void ForEachRow(const QuadRows& q, DrawRow drawRow) {
  cSampleStepper rowStep(q.firstRow, q.sh, q.dh);
  for (int row = q.y; row < q.y + q.h; ++row, rowStep.Advance())
    drawRow(q.dst->Row32(row) + q.x, q.src->Row32(Wrap(q.sy + rowStep.Current(), q.src->Height())));
}

template <AlphaKind K, bool kGather>
void DrawQuadDirect(const QuadRows& q, std::uint32_t diffuseAlpha) {
  ForEachRow(q, [&](std::uint32_t* drow, const std::uint32_t* srow) {
    DrawRowDirect<K, kGather>(drow, kGather ? srow : srow + q.first, q.cols, q.w, diffuseAlpha);
  });
}

using QuadFunction = void (*)(const QuadRows&, std::uint32_t);

template <bool kGather>
QuadFunction DirectQuadFunction(AlphaKind kind) {
  switch (kind) {
    case AlphaKind::Texel: return &DrawQuadDirect<AlphaKind::Texel, kGather>;
    case AlphaKind::Modulate: return &DrawQuadDirect<AlphaKind::Modulate, kGather>;
    default: return &DrawQuadDirect<AlphaKind::Diffuse, kGather>;
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
  const StageTables& t = TablesFor(stage);
  const bool direct = t.identityColour && t.alphaKind != AlphaKind::Table;
  // A 1:1 row inside the texture is read in order; others through a table.
  const int first = sx + (x - dx);
  const bool inOrder = sw == dw && first >= 0 && first + w <= src->Width();
  thread_local std::vector<int> cols;
  if (!inOrder || !direct) {
    cols.resize(std::size_t(w));
    cSampleStepper column(x - dx, sw, dw);
    for (int i = 0; i < w; ++i, column.Advance()) cols[i] = Wrap(sx + column.Current(), src->Width());
  }
  const QuadRows rows{dst, src, x, y, w, h, y - dy, sy, sh, dh, first, cols.data()};
  if (!direct)
    ForEachRow(rows, [&](std::uint32_t* drow, const std::uint32_t* srow) { DrawRowByTable(drow, srow, rows.cols, w, t); });
  else if (inOrder)
    DirectQuadFunction<false>(t.alphaKind)(rows, stage.dwDiffuse >> 24);
  else
    DirectQuadFunction<true>(t.alphaKind)(rows, stage.dwDiffuse >> 24);
}

void DrawColouredRect(cPixelBuffer* dst, int x, int y, int w, int h, std::uint32_t dwColor) {
  if (dst->BytesPerPixel() != 4 || !ClipRect(&x, &y, &w, &h, dst->Width(), dst->Height())) return;
  const std::uint32_t a = dwColor >> 24;
  if (a == 0) return;
  for (int row = y; row < y + h; ++row) {
    std::uint32_t* p = dst->Row32(row) + x;
    for (int i = 0; i < w; ++i) p[i] = Blend1(dwColor, a, p[i]);
  }
}

void ClearRect(cPixelBuffer* dst, int x, int y, int w, int h, std::uint32_t value) {
  if (dst->BytesPerPixel() != 4 || !ClipRect(&x, &y, &w, &h, dst->Width(), dst->Height())) return;
  for (int row = y; row < y + h; ++row) std::fill_n(dst->Row32(row) + x, w, value);
}

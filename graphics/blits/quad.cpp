#include "graphics/blits/quad.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <optional>
#include <vector>

#include "graphics/blits/fill.h"
#include "graphics/blits/blend_row_kernels.h"
#include "graphics/blits/blend_rows.h"
#include "graphics/blits/simd.h"
#include "graphics/blits/span_rows.h"
#include "graphics/blits/text_over.h"

namespace {

using Lut = std::array<std::uint8_t, 256>;

using blend_kernels::BlendPixel;
using blend_kernels::Mul255;

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

// The stage's colour and alpha for one texel.
std::uint32_t StageOf(std::uint32_t s, const StageTables& t) {
  return std::uint32_t(t.alpha[s >> 24]) << 24 | std::uint32_t(t.red[(s >> 16) & 0xFF]) << 16 |
         std::uint32_t(t.green[(s >> 8) & 0xFF]) << 8 | t.blue[s & 0xFF];
}

// One row through the tables, pixel by pixel (any colour operation).
void DrawRowByTable(std::uint32_t* drow, const std::uint32_t* srow, const int* cols, int w, const StageTables& t) {
  for (int i = 0; i < w; ++i) {
    const std::uint32_t stage = StageOf(srow[cols[i]], t);
    drow[i] = BlendPixel(stage, stage >> 24, drow[i]);
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
    drawRow(q.dst->Row32(row) + q.x, Wrap(q.sy + rowStep.Current(), q.src->Height()));
}

// Texels in destination order: the row itself when read in order, else
// gathered into a scratch row.
const std::uint32_t* TexelsOf(const std::uint32_t* srow, const QuadRows& q, int lo, int hi, bool inOrder) {
  if (inOrder) return srow + q.first + lo;
  thread_local std::vector<std::uint32_t> scratch;
  if (scratch.size() < std::size_t(q.w)) scratch.resize(std::size_t(q.w));
  BlendRows().gather(scratch.data() + lo, srow, q.cols + lo, hi - lo, q.src->Width());
  return scratch.data() + lo;
}

// Texels blended with the stage's alpha, which comes from the texel, the
// diffuse colour or both.
void BlendTexels(std::uint32_t* drow, const std::uint32_t* texels, int n, AlphaKind kind, std::uint32_t diffuseAlpha) {
  const BlendRowFunctions& rows = BlendRows();
  switch (kind) {
    case AlphaKind::Texel: rows.texelAlpha(drow, texels, n); break;
    case AlphaKind::Modulate: rows.modulatedAlpha(drow, texels, n, diffuseAlpha); break;
    default: rows.constantAlpha(drow, texels, n, diffuseAlpha); break;
  }
}

// The pixels of a row that no run covers, cleared as the runs are met:
// `next` is the first pixel neither cleared nor drawn yet, walking left to
// right, or right to left along a mirrored row (whose runs come in falling
// order). Does nothing without a clear value.
struct GapClear {
  std::optional<std::uint32_t> value;
  bool mirrored;
  int w;
  int next = 0;

  void StartRow() { next = mirrored ? w : 0; }
  // Clears up to the pixels [lo, hi) of the next run and steps past them.
  void Before(std::uint32_t* drow, PixelRange range) {
    if (!value) return;
    if (!mirrored && range.lo > next) FillPixels32(drow + next, range.lo - next, *value);
    if (mirrored && next > range.hi) FillPixels32(drow + range.hi, next - range.hi, *value);
    next = mirrored ? range.lo : range.hi;
  }
  void EndRow(std::uint32_t* drow) { Before(drow, mirrored ? PixelRange{0, 0} : PixelRange{w, w}); }
};

// A texel-alpha quad drawn through the source's runs: see-through texels
// (alpha 0) are skipped whole (or cleared, with a clear value), opaque runs
// copied (texel alpha) or blended at the diffuse alpha (modulated), and
// only the rest blended texel by texel. A row that shows the same source
// row as the row above copies its opaque runs from there.
void DrawQuadByRuns(const QuadRows& q, bool inOrder, bool mirrored, AlphaKind kind, std::uint32_t diffuseAlpha,
                    std::optional<std::uint32_t> clearUnder) {
  int previousRow = -1;
  std::uint32_t* previous = nullptr;
  GapClear gaps{clearUnder, mirrored, q.w};
  const std::size_t nextRow = std::size_t(q.dst->Pitch()) * 4;
  ForEachRow(q, [&](std::uint32_t* drow, int row) {
    const std::uint32_t* srow = q.src->Row32(row);
    const bool repeated = row == previousRow && kind == AlphaKind::Texel;
    gaps.StartRow();
    const cOpaqueSpans::RowsView rowRuns = q.src->OpaqueSpans(row, row + 1);
    for (const OpaqueSpan& run : rowRuns.Row(row)) {
      PixelRange range;
      if (inOrder)
        range = {std::clamp(int(run.begin) - q.first, 0, q.w), std::clamp(int(run.end) - q.first, 0, q.w)};
      else
        range = ColumnsShowing(q.cols, q.w, run.begin, run.end, mirrored);
      const int n = range.hi - range.lo;
      if (n <= 0) continue;
      gaps.Before(drow, range);
      if (run.solid && repeated) {
        std::memcpy(drow + range.lo, previous + range.lo, std::size_t(n) * 4);
      } else if (run.solid && kind == AlphaKind::Texel) {
        if (inOrder)
          CopyRunBytes(drow + range.lo, rowRuns.Pixels<std::uint32_t>(row, run, q.first + range.lo),
                       std::size_t(n) * 4, nextRow);
        else
          BlendRows().gather(drow + range.lo, srow, q.cols + range.lo, n, q.src->Width());
      } else {
        if (clearUnder) FillPixels32(drow + range.lo, n, *clearUnder);
        const std::uint32_t* texels = TexelsOf(srow, q, range.lo, range.hi, inOrder);
        if (run.solid)
          BlendRows().constantAlpha(drow + range.lo, texels, n, diffuseAlpha);
        else
          BlendTexels(drow + range.lo, texels, n, kind, diffuseAlpha);
      }
    }
    gaps.EndRow(drow);
    previousRow = row;
    previous = drow;
  });
}

}  // namespace

void DrawTexturedQuad(cPixelBuffer* dst, int dx, int dy, int dw, int dh, const cPixelBuffer* src, int sx, int sy,
                      int sw, int sh, const QuadStage& stage, std::optional<std::uint32_t> clearUnder) {
  int x = dx, y = dy, w = dw, h = dh;
  if (dst->BytesPerPixel() != 4 || !ClipRect(&x, &y, &w, &h, dst->Width(), dst->Height())) return;
  if (sw == 0 || sh == 0 || src->Empty() || src->BytesPerPixel() != 4) {
    if (clearUnder) ClearRect(dst, x, y, w, h, *clearUnder);
    return;
  }
  // Sampling a target from itself reads a copy taken before drawing (and
  // after the clear).
  std::unique_ptr<cPixelBuffer> copy;
  if (src == dst) {
    if (clearUnder) ClearRect(dst, x, y, w, h, *clearUnder);
    clearUnder.reset();
    copy = std::make_unique<cPixelBuffer>(*src);
    src = copy.get();
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
  const std::uint32_t diffuseAlpha = stage.dwDiffuse >> 24;
  // Rows drawn whole are cleared just before they are drawn.
  const auto clearRow = [&](std::uint32_t* drow) {
    if (clearUnder) FillPixels32(drow, w, *clearUnder);
  };
  if (!direct) {
    ForEachRow(rows, [&](std::uint32_t* drow, int row) {
      clearRow(drow);
      DrawRowByTable(drow, src->Row32(row), rows.cols, w, t);
    });
    return;
  }
  // Runs serve where see-through texels leave the target and the columns
  // read do not wrap around the texture (so they rise or fall along a row).
  const bool texelAlpha = t.alphaKind == AlphaKind::Texel || t.alphaKind == AlphaKind::Modulate;
  const bool wraps = !inOrder && (SampleOffset(x - dx, sw, dw) + sx != cols[0] ||
                                  SampleOffset(x - dx + w - 1, sw, dw) + sx != cols[std::size_t(w) - 1]);
  if (texelAlpha && !wraps && src->OpaqueSpansReady({0xFF000000u, 0, 0xFF000000u})) {
    DrawQuadByRuns(rows, inOrder, sw < 0, t.alphaKind, diffuseAlpha, clearUnder);
    return;
  }
  ForEachRow(rows, [&](std::uint32_t* drow, int row) {
    clearRow(drow);
    BlendTexels(drow, TexelsOf(src->Row32(row), rows, 0, w, inOrder), w, t.alphaKind, diffuseAlpha);
  });
}

void DrawTextQuad(cPixelBuffer* dst, int dx, int dy, int dw, int dh, const cPixelBuffer* src, int sx, int sy, int sw,
                  int sh, const QuadStage& stage) {
  int x = dx, y = dy, w = dw, h = dh;
  if (dst->BytesPerPixel() != 4 || src->BytesPerPixel() != 4 || src->Empty() || sw == 0 || sh == 0 ||
      !ClipRect(&x, &y, &w, &h, dst->Width(), dst->Height()))
    return;
  const StageTables& t = TablesFor(stage);
  cSampleStepper rowStep(y - dy, sh, dh);
  for (int row = y; row < y + h; ++row, rowStep.Advance()) {
    const std::uint32_t* srow = src->Row32(Wrap(sy + rowStep.Current(), src->Height()));
    std::uint32_t* drow = dst->Row32(row);
    cSampleStepper column(x - dx, sw, dw);
    for (int i = x; i < x + w; ++i, column.Advance())
      drow[i] = LayTextOver(StageOf(srow[Wrap(sx + column.Current(), src->Width())], t), drow[i]);
  }
}

void DrawColouredRect(cPixelBuffer* dst, int x, int y, int w, int h, std::uint32_t dwColor) {
  if (dst->BytesPerPixel() != 4 || !ClipRect(&x, &y, &w, &h, dst->Width(), dst->Height())) return;
  const std::uint32_t a = dwColor >> 24;
  if (a == 0) return;
  const BlendRowFunctions& rows = BlendRows();
  for (int row = y; row < y + h; ++row) rows.constantColour(dst->Row32(row) + x, w, dwColor, a);
}

void ClearRect(cPixelBuffer* dst, int x, int y, int w, int h, std::uint32_t value) {
  if (dst->BytesPerPixel() != 4 || !ClipRect(&x, &y, &w, &h, dst->Width(), dst->Height())) return;
  for (int row = y; row < y + h; ++row) FillPixels32(dst->Row32(row) + x, w, value);
}

#include "graphics/blits/batch.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "foundation/log.h"
#include "graphics/device/device.h"
#include "graphics/blits/quad.h"
#include "graphics/device/render_target.h"

namespace {

struct DDBATCHSOURCE {
  DDSURFACEDATA* lpSrc;
  std::uint32_t bPart;
  std::int32_t x, y;
  std::int32_t nOrder;
};

struct DDBATCH {
  std::uint32_t bCollect = 1;
  std::vector<DDBATCHQUAD> quads;
  std::int32_t nCounter = 0;
  std::uint32_t bSort = 0;
  std::vector<DDBATCHSOURCE> sources;
};

constexpr int kMaxLevels = 100;
std::vector<DDBATCH> g_BatchList;
// Begins refused beyond the limit; their ends are absorbed so that they
// never pop an enclosing level.
int g_nRefusedLevels = 0;

DDBATCH* Current() { return g_BatchList.empty() ? nullptr : &g_BatchList.back(); }

bool SameRun(const DDBATCHQUAD& a, const DDBATCHQUAD& b) {
  return a.lpSrc == b.lpSrc && a.lpDst == b.lpDst && a.dwColor == b.dwColor && a.nFlags == b.nFlags &&
         a.dwColorOp == b.dwColorOp && a.dwAlphaOp == b.dwAlphaOp && a.dwReserved == b.dwReserved && a.bText == b.bText;
}

void Register(DDSURFACEDATA* lpSrc, std::uint32_t bPart, int x, int y) {
  DDBATCH* level = Current();
  if (!lpDTCon || !level || !level->bCollect || !level->bSort) return;
  ResolveAliasSurface(&lpSrc);
  for (const DDBATCHSOURCE& s : level->sources) {
    const bool same = bPart && s.bPart ? s.lpSrc == lpSrc && s.x == x && s.y == y : s.lpSrc == lpSrc;
    if (same) return;
  }
  const auto order = static_cast<std::int32_t>((level->sources.size() + 1) * 100000);
  level->sources.push_back({lpSrc, bPart, x, y, order});
}

// Which quads of a run overlap an earlier one (all of them in a run too
// long to compare pairwise, or one that samples its own target).
std::vector<bool> OverlapsAnEarlierQuad(const DDBATCHQUAD* quads, int count, bool samplesTarget) {
  constexpr int kMostCompared = 64;
  if (samplesTarget || count > kMostCompared) return std::vector<bool>(std::size_t(count), true);
  std::vector<bool> overlaps(std::size_t(count), false);
  for (int i = 1; i < count; ++i) {
    const DDBATCHQUAD& a = quads[i];
    for (int j = 0; j < i && !overlaps[std::size_t(i)]; ++j) {
      const DDBATCHQUAD& b = quads[j];
      overlaps[std::size_t(i)] = a.dx < b.dx + b.dw && b.dx < a.dx + a.dw && a.dy < b.dy + b.dh && b.dy < a.dy + a.dh;
    }
  }
  return overlaps;
}

void DrawQuad(cPixelBuffer* dst, const cPixelBuffer* src, const DDBATCHQUAD& q, const QuadStage& stage,
              std::optional<std::uint32_t> clearUnder) {
  DrawTexturedQuad(dst, q.dx, q.dy, q.dw, q.dh, src, q.sx, q.sy, q.sw, q.sh, stage, clearUnder);
}

}  // namespace

void DDBeginBatch(int bSort) {
  if (!lpDTCon) return;
  if (static_cast<int>(g_BatchList.size()) >= kMaxLevels) {
    ++g_nRefusedLevels;
    DebugLogF("DDBeginBatch: more than %d levels", kMaxLevels);
    return;
  }
  DDBATCH level;
  level.bSort = static_cast<std::uint32_t>(bSort);
  g_BatchList.push_back(std::move(level));
}

void DDBatchPause() {
  if (lpDTCon && Current()) Current()->bCollect = 0;
}

void DDBatchResume() {
  if (lpDTCon && Current()) Current()->bCollect = 1;
}

void DDBatchAdd(DDSURFACEDATA* lpSrc) { Register(lpSrc, 0, 0, 0); }
void DDBatchAddPart(DDSURFACEDATA* lpSrc, int x, int y) { Register(lpSrc, 1, x, y); }

int DDBatchDepth() { return static_cast<int>(g_BatchList.size()); }

bool BatchCollecting() {
  const DDBATCH* level = Current();
  return lpDTCon && level && level->bCollect;
}

void BatchAppend(DDBATCHQUAD quad) {
  DDBATCH* level = Current();
  quad.nIndex = static_cast<std::int32_t>(level->quads.size());
  quad.bPartHit = 0;
  bool lent = false;
  if (level->bSort) {
    for (const DDBATCHQUAD& q : level->quads) {
      if (q.lpSrc == quad.lpSrc && (!q.bPartHit || (q.sx == quad.sx && q.sy == quad.sy))) {
        quad.nKey = q.nKey;
        lent = true;
        break;
      }
    }
  }
  if (!lent) {
    quad.nKey = level->nCounter++;
    for (const DDBATCHSOURCE& s : level->sources) {
      if (s.lpSrc != quad.lpSrc) continue;
      if (!s.bPart) {
        quad.nKey += s.nOrder;
      } else if (s.x == quad.sx && s.y == quad.sy) {
        quad.nKey += s.nOrder;
        quad.bPartHit = 1;
      }
    }
  }
  level->quads.push_back(quad);
}

void DrawQuadRun(const DDBATCHQUAD* quads, int count) {
  const DDBATCHQUAD& first = quads[0];
  if (!DDBeginScene() || !DDSetRenderTarget(0, first.lpDst)) return;
  cPixelBuffer* dst = SurfacePixels(first.lpDst);
  cPixelBuffer* src = SurfacePixels(first.lpSrc);
  if (!dst || !src) return;
  const QuadStage stage{first.dwColor, first.dwColorOp, first.dwAlphaOp};
  if (first.bText) {
    for (int i = 0; i < count; ++i) {
      const DDBATCHQUAD& q = quads[i];
      DrawTextQuad(dst, q.dx, q.dy, q.dw, q.dh, src, q.sx, q.sy, q.sw, q.sh, stage);
    }
    return;
  }
  if (first.nFlags != 0 || !first.lpSrc->lpDT || !first.lpSrc->lpDT->bColorKey) {
    for (int i = 0; i < count; ++i) DrawQuad(dst, src, quads[i], stage, std::nullopt);
    return;
  }
  // Every rectangle of the run is cleared before any quad is drawn. A quad
  // that no earlier one overlaps clears its own rectangle as it draws (its
  // opaque texels written once); the others are cleared up front.
  const std::uint32_t clear = first.lpDst == &BackBuffer ? lpDTCon->dwTransOpaque : lpDTCon->dwClearColor;
  const std::vector<bool> clearsUpFront = OverlapsAnEarlierQuad(quads, count, first.lpSrc == first.lpDst);
  for (int i = 0; i < count; ++i)
    if (clearsUpFront[std::size_t(i)]) ClearRect(dst, quads[i].dx, quads[i].dy, quads[i].dw, quads[i].dh, clear);
  for (int i = 0; i < count; ++i)
    DrawQuad(dst, src, quads[i], stage, clearsUpFront[std::size_t(i)] ? std::nullopt : std::optional(clear));
}

void DDEndBatch() {
  if (g_nRefusedLevels > 0) {
    --g_nRefusedLevels;
    return;
  }
  DDBATCH* level = Current();
  if (!level) return;
  if (lpDTCon && !level->quads.empty()) {
    std::vector<DDBATCHQUAD>& quads = level->quads;
    if (level->bSort)
      std::sort(quads.begin(), quads.end(), [](const DDBATCHQUAD& a, const DDBATCHQUAD& b) {
        return a.nKey != b.nKey ? a.nKey < b.nKey : a.nIndex < b.nIndex;
      });
    std::size_t start = 0;
    while (start < quads.size()) {
      std::size_t end = start + 1;
      while (end < quads.size() && SameRun(quads[start], quads[end])) ++end;
      DrawQuadRun(&quads[start], static_cast<int>(end - start));
      start = end;
    }
  }
  g_BatchList.pop_back();
}

#include <span>
#include <vector>

#include "graphics/blits/batch.h"
#include "graphics/blits/blit.h"
#include "graphics/blits/fill.h"
#include "graphics/device/device.h"
#include "graphics/blits/raster_copy.h"
#include "graphics/blits/text_over.h"
#include "graphics/device/render_target.h"

namespace {

void StretchDirectDraw(DDSURFACEDATA* lpDst, int dx, int dy, int dw, int dh, DDSURFACEDATA* lpSrc, int sx, int sy,
                       int sw, int sh, int flags) {
  if (!DDClipBlt(lpDst, &dx, &dy, &dw, &dh, lpSrc, &sx, &sy, &sw, &sh)) return;
  CopyPixels(lpDst, dx, dy, dw, dh, lpSrc, sx, sy, sw, sh, flags);
}

bool TakesQuadPath(DDSURFACEDATA* lpDst, DDSURFACEDATA* lpSrc) {
  return lpDst->lpDT && lpDst->lpDT->bRenderTarget && lpSrc->lpDT && lpSrc->lpDT->nMemType != DTMEMORYTYPE_SYSTEM;
}

// Rows whose runs of drawn pixels under `test` are one solid run across the
// whole width; false unless the source's blits keep its runs for that test
// (asking is left to them, so a source redrawn between its blits is never
// scanned for this).
bool SolidRows(const cPixelBuffer* src, const SeeThroughTest& test, std::vector<bool>* rows) {
  if (!src->OpaqueSpansReadied(test)) return false;
  const cOpaqueSpans::RowsView runs = src->OpaqueSpans(0, src->Height());
  rows->assign(std::size_t(src->Height()), false);
  for (int r = 0; r < src->Height(); ++r) {
    const std::span<const OpaqueSpan> row = runs.Row(r);
    (*rows)[std::size_t(r)] = row.size() == 1 && row[0].begin == 0 && row[0].end == src->Width() && row[0].solid;
  }
  return true;
}

// DirectDraw: a copy sets every pixel; a keyed one the rows without a
// key-coloured pixel (the test its copy makes).
bool DirectDrawSetsRows(DDSURFACEDATA* lpDst, DDSURFACEDATA* lpSrc, int flags, std::vector<bool>* rows) {
  const cPixelBuffer* dst = SurfacePixels(lpDst);
  const cPixelBuffer* src = SurfacePixels(lpSrc);
  if (!dst || !src || dst == src || dst->BytesPerPixel() != src->BytesPerPixel()) return false;
  if (flags != 1 || !lpSrc->lpDD || !lpSrc->lpDD->bColorKey) {
    rows->assign(std::size_t(src->Height()), true);
    return true;
  }
  const std::uint32_t keyMask = src->BytesPerPixel() == 1 ? 0xFF : 0xFFFFFF;
  return SolidRows(src, {keyMask, g_DDState.dwColorKey & keyMask, 0}, rows);
}

}  // namespace

bool DDBltSetsRows(DDSURFACEDATA* lpDst, DDSURFACEDATA* lpSrc, int flags, std::vector<bool>* rows) {
  if (!lpDst || !lpSrc) return false;
  if (!lpDTCon) return DirectDrawSetsRows(lpDst, lpSrc, flags, rows);
  if (lpSrc->lpAlias || lpDTCon->bVirCopy || DDFillBatchOpen() || BatchCollecting()) return false;
  ResolveAliasSurface(&lpDst);
  RedirectToVirBackBuffer(&lpDst);
  RedirectToVirBackBuffer(&lpSrc);
  if (lpDst == lpSrc || !TakesQuadPath(lpDst, lpSrc)) return false;
  const cPixelBuffer* dst = SurfacePixels(lpDst);
  const cPixelBuffer* src = SurfacePixels(lpSrc);
  if (!dst || !src || dst->BytesPerPixel() != 4 || src->BytesPerPixel() != 4) return false;
  // A plain quad from a keyed texture clears its rectangle first: what it
  // leaves shows the clear value, never the pixels that were there.
  if (flags == 0 && lpSrc->lpDT->bColorKey) {
    rows->assign(std::size_t(src->Height()), true);
    return true;
  }
  // Otherwise a texel replaces its pixel only at alpha 255, drawn unchanged:
  // white diffuse, colour modulated or taken as it is, alpha from the texel.
  const std::uint32_t colorOp = lpDTCon->dwColorOp, alphaOp = lpDTCon->dwAlphaOp;
  if (lpDTCon->dwDrawColor != 0xFFFFFFFFu || (colorOp != 2 && colorOp != 4) || (alphaOp != 2 && alphaOp != 4))
    return false;
  return SolidRows(src, {0xFF000000u, 0, 0xFF000000u}, rows);
}

bool DDBltReplacesTarget(DDSURFACEDATA* lpDst, DDSURFACEDATA* lpSrc) {
  if (!lpDTCon || !lpDst || !lpSrc || lpDTCon->bVirCopy || DDFillBatchOpen()) return false;
  ResolveAliasSurface(&lpDst);
  ResolveAliasSurface(&lpSrc);
  RedirectToVirBackBuffer(&lpDst);
  RedirectToVirBackBuffer(&lpSrc);
  if (lpDst == lpSrc || !TakesQuadPath(lpDst, lpSrc) || !lpDst->lpDT->lpSurface) return false;
  const cPixelBuffer* dst = SurfacePixels(lpDst);
  const cPixelBuffer* src = SurfacePixels(lpSrc);
  if (!dst || !src || dst->BytesPerPixel() != 4 || src->BytesPerPixel() != 4 || src->Empty()) return false;
  // The stage's alpha is the draw colour's (disable or arg2): at 255 every
  // texel replaces its pixel.
  const std::uint32_t alphaOp = lpDTCon->dwAlphaOp;
  return (alphaOp == 1 || alphaOp == 3) && lpDTCon->dwDrawColor >> 24 == 255;
}

namespace {

// DDBltStretch; `text` lays a quad on a destination that keeps its alpha as
// text instead of blending it.
void Stretch(DDSURFACEDATA* lpDst, int dx, int dy, int dw, int dh, DDSURFACEDATA* lpSrc, int sx, int sy, int sw, int sh,
             int flags, bool text) {
  if (!lpDst || !lpSrc) return;
  MirrorAliasSource(lpSrc, &sx, &sy, &sw, &sh);
  if (!lpDTCon) {
    StretchDirectDraw(lpDst, dx, dy, dw, dh, lpSrc, sx, sy, sw, sh, flags);
    return;
  }
  ResolveAliasSurface(&lpDst);
  ResolveAliasSurface(&lpSrc);
  if (lpDTCon->bVirCopy) {
    lpDst = &BackBuffer;
    lpSrc = &VirBackBuffer;
  } else {
    RedirectToVirBackBuffer(&lpDst);
    RedirectToVirBackBuffer(&lpSrc);
  }
  if (!TakesQuadPath(lpDst, lpSrc)) {
    SoftwareStretch(lpDst, dx, dy, dw, dh, lpSrc, sx, sy, sw, sh, flags);
    return;
  }
  if (!DDClipBlt(lpDst, &dx, &dy, &dw, &dh, lpSrc, &sx, &sy, &sw, &sh)) return;
  DDBATCHQUAD quad;
  quad.lpDst = lpDst;
  quad.lpSrc = lpSrc;
  quad.dx = dx;
  quad.dy = dy;
  quad.dw = dw;
  quad.dh = dh;
  quad.sx = sx;
  quad.sy = sy;
  quad.sw = sw;
  quad.sh = sh;
  quad.nFlags = flags;
  quad.dwColor = lpDTCon->dwDrawColor;
  quad.dwColorOp = lpDTCon->dwColorOp;
  quad.dwAlphaOp = lpDTCon->dwAlphaOp;
  quad.bText = text && KeepsTextAlpha(lpDst) ? 1 : 0;
  if (BatchCollecting())
    BatchAppend(quad);
  else
    DrawQuadRun(&quad, 1);
}

}  // namespace

void DDBltStretch(DDSURFACEDATA* lpDst, int dx, int dy, int dw, int dh, DDSURFACEDATA* lpSrc, int sx, int sy, int sw,
                  int sh, int flags) {
  Stretch(lpDst, dx, dy, dw, dh, lpSrc, sx, sy, sw, sh, flags, false);
}

int DDBltText(DDSURFACEDATA* lpDst, int x, int y, int w, int h, DDSURFACEDATA* lpSrc, int srcX, int srcY, int flags) {
  if (!lpDTCon) return DDBlt(lpDst, x, y, w, h, lpSrc, srcX, srcY, flags);
  Stretch(lpDst, x, y, w, h, lpSrc, srcX, srcY, w, h, flags, true);
  return 0;
}

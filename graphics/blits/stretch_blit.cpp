#include "graphics/blits/batch.h"
#include "graphics/blits/blit.h"
#include "graphics/blits/fill.h"
#include "graphics/device/device.h"
#include "graphics/blits/raster_copy.h"
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

}  // namespace

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

void DDBltStretch(DDSURFACEDATA* lpDst, int dx, int dy, int dw, int dh, DDSURFACEDATA* lpSrc, int sx, int sy, int sw,
                  int sh, int flags) {
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
  if (BatchCollecting())
    BatchAppend(quad);
  else
    DrawQuadRun(&quad, 1);
}

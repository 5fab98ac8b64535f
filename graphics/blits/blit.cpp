#include "graphics/blits/blit.h"

#include <algorithm>
#include <cmath>

#include "graphics/device/device.h"
#include "graphics/blits/raster_copy.h"

namespace {

// Same-size clipping of one axis: the source span against [0, srcSize), the
// destination span against [0, dstSize), keeping both aligned.
bool ClipSameSizeAxis(int* pos, int* srcPos, int* size, int srcSize, int dstSize) {
  long d = *pos, s = *srcPos, n = *size;
  if (s < 0) {
    d -= s;
    n += s;
    s = 0;
  }
  if (s + n > srcSize) n = srcSize - s;
  if (d < 0) {
    s -= d;
    n += d;
    d = 0;
  }
  if (d + n > dstSize) n = dstSize - d;
  if (n < 1) return false;
  *pos = int(d);
  *srcPos = int(s);
  *size = int(n);
  return true;
}

// Scaled clipping of one axis against the source surface. A negative source
// size is a flipped span [srcPos + srcSize, srcPos) read right to left.
bool ClipScaledSourceAxis(int* pos, int* size, int* srcPos, int* srcSize, int srcLimit) {
  const bool flipped = *srcSize < 0;
  const long span = flipped ? -long(*srcSize) : *srcSize;
  const long lo = flipped ? long(*srcPos) - span : *srcPos, hi = lo + span;
  const long clo = std::max(lo, 0L), chi = std::min(hi, long(srcLimit));
  if (chi <= clo) return false;
  const double scale = double(*size) / double(span);
  const long cut = flipped ? hi - chi : clo - lo;
  *pos += int(std::trunc(double(cut) * scale));
  // The destination size times the kept share of the source, in that order.
  *size = int(std::trunc(double(*size) * (double(chi - clo) / double(span))));
  *srcPos = int(flipped ? chi : clo);
  *srcSize = int(flipped ? -(chi - clo) : chi - clo);
  return true;
}

// Scaled clipping of one axis against the destination (DirectDraw).
bool ClipScaledDestAxis(int* pos, int* size, int* srcPos, int* srcSize, int dstLimit) {
  if (*pos < 0) {
    if (long(*pos) + *size <= 0 || *size == 0) return false;
    const int cut = int(std::trunc(double(-*pos) / double(*size) * double(*srcSize)));
    *srcPos += cut;
    *srcSize -= cut;
    *size += *pos;
    *pos = 0;
  }
  if (long(*pos) + *size > dstLimit) {
    if (*pos >= dstLimit || *size == 0) return false;
    *srcSize = int(std::trunc(double(dstLimit - *pos) / double(*size) * double(*srcSize)));
    *size = dstLimit - *pos;
  }
  return true;
}

}  // namespace

bool DDClipBlt(DDSURFACEDATA* lpDst, int* x, int* y, int* w, int* h, DDSURFACEDATA* lpSrc, int* srcX, int* srcY,
               int* srcW, int* srcH) {
  if (!lpDst || !lpSrc || *w < 1 || *h < 1 || *srcW == 0 || *srcH == 0) return false;
  if (*srcW == *w && *srcH == *h) {
    if (!ClipSameSizeAxis(x, srcX, w, lpSrc->nWidth, lpDst->nWidth) ||
        !ClipSameSizeAxis(y, srcY, h, lpSrc->nHeight, lpDst->nHeight))
      return false;
    *srcW = *w;
    *srcH = *h;
    return true;
  }
  const bool negW = *srcW < 0, negH = *srcH < 0;
  if (!lpDTCon && (negW || negH)) return false;  // DirectDraw blits never mirror
  if (!ClipScaledSourceAxis(x, w, srcX, srcW, lpSrc->nWidth) ||
      !ClipScaledSourceAxis(y, h, srcY, srcH, lpSrc->nHeight))
    return false;
  if (!lpDTCon && (!ClipScaledDestAxis(x, w, srcX, srcW, lpDst->nWidth) ||
                   !ClipScaledDestAxis(y, h, srcY, srcH, lpDst->nHeight)))
    return false;
  if (negW ? *srcW >= 0 : *srcW < 1) return false;
  if (negH ? *srcH >= 0 : *srcH < 1) return false;
  return *w >= 1 && *h >= 1;
}

void MirrorAliasSource(DDSURFACEDATA* lpSrc, int* srcX, int* srcY, int* srcW, int* srcH) {
  if (!lpDTCon || !lpSrc || !lpSrc->lpAlias) return;
  auto flip = [](int cell, int* pos, int* size) {
    if (cell <= 0) return;
    if (*size == cell) {
      *pos += *size;
      *size = -*size;
    } else if (*size < cell) {
      *pos = *pos - 2 * (*pos % cell) + cell;
      *size = -*size;
    }
  };
  flip(lpSrc->nMirrorW, srcX, srcW);
  flip(lpSrc->nMirrorH, srcY, srcH);
}

int DDBlt(DDSURFACEDATA* lpDst, int x, int y, int w, int h, DDSURFACEDATA* lpSrc, int srcX, int srcY, int flags) {
  if (lpDTCon) {
    DDBltStretch(lpDst, x, y, w, h, lpSrc, srcX, srcY, w, h, flags);
    return 0;
  }
  int srcW = w, srcH = h;
  if (!DDClipBlt(lpDst, &x, &y, &w, &h, lpSrc, &srcX, &srcY, &srcW, &srcH)) return 0;
  CopyPixels(lpDst, x, y, w, h, lpSrc, srcX, srcY, w, h, flags);
  return 0;
}

int DDBltColor(DDSURFACEDATA* lpDst, int x, int y, int w, int h, DDSURFACEDATA* lpSrc, int srcX, int srcY, int flags,
               const std::uint32_t* lpColorPair) {
  if (!lpDTCon) return DDBlt(lpDst, x, y, w, h, lpSrc, srcX, srcY, flags);
  return DDBltColorOp(lpDst, x, y, w, h, lpSrc, srcX, srcY, w, h, flags, lpColorPair);
}

int DDBltColorOp(DDSURFACEDATA* lpDst, int x, int y, int w, int h, DDSURFACEDATA* lpSrc, int srcX, int srcY,
                 int srcW, int srcH, int flags, const std::uint32_t* lpColorPair) {
  if (!lpDTCon) {
    DDBltStretch(lpDst, x, y, w, h, lpSrc, srcX, srcY, srcW, srcH, flags);
    return 0;
  }
  DDSetDrawColor(lpColorPair[0]);
  DDSetColorOp(lpColorPair[1]);
  DDBltStretch(lpDst, x, y, w, h, lpSrc, srcX, srcY, srcW, srcH, flags);
  DDResetDrawColor();
  DDResetColorOp();
  return 0;
}

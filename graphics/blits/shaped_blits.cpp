#include "graphics/blits/shaped_blits.h"

#include "graphics/blits/batch.h"
#include "graphics/blits/blit.h"

namespace {

// Opens a draw batch in drawing order for the pieces of one shaped blit.
class PieceBatch {
 public:
  PieceBatch() { DDBeginBatch(0); }
  ~PieceBatch() { DDEndBatch(); }
  PieceBatch(const PieceBatch&) = delete;
  PieceBatch& operator=(const PieceBatch&) = delete;
};

}  // namespace

void DDBltBurst(DDSURFACEDATA* lpDst, int x, int y, int w, int h, DDSURFACEDATA* lpSrc, int sx, int sy, int distance,
                int flags) {
  const int hw = w >> 1, hh = h >> 1, d = distance;
  PieceBatch batch;
  DDBlt(lpDst, x - d, y - d, hw, hh, lpSrc, sx, sy, flags);
  DDBlt(lpDst, x + hw + d, y - d, hw, hh, lpSrc, sx + hw, sy, flags);
  DDBlt(lpDst, x - d, y + hh + d, hw, hh, lpSrc, sx, sy + hh, flags);
  DDBlt(lpDst, x + hw + d, y + hh + d, hw, hh, lpSrc, sx + hw, sy + hh, flags);
}

void DDBltSplit(DDSURFACEDATA* lpDst, int x, int y, int w, int h, int stripSize, int shift, DDSURFACEDATA* lpSrc,
                int sx, int sy, int flags, int vertical) {
  PieceBatch batch;
  if (stripSize == 0) {
    DDBlt(lpDst, x, y, w, h, lpSrc, sx, sy, flags);
    return;
  }
  // A negative strip size gives no strips (nothing fits).
  const int s = stripSize;
  const int count = s > 0 ? (vertical ? w : h) / s : 0;
  // Odd strips first, pushed one way, then even strips pushed the other.
  for (const int parity : {1, 0}) {
    const int push = parity ? -shift : shift;
    for (int k = parity; k < count; k += 2) {
      if (vertical)
        DDBlt(lpDst, x + k * s, y + push, s, h, lpSrc, sx + k * s, sy, flags);
      else
        DDBlt(lpDst, x + push, y + k * s, w, s, lpSrc, sx, sy + k * s, flags);
    }
  }
}

void DDBltWave(DDSURFACEDATA* lpDst, int x, int y, int w, int h, int waves, double amplitude, int phase, int slice,
               DDSURFACEDATA* lpSrc, int sx, int sy, int flags, int vertical) {
  if (slice <= 0) return;
  PieceBatch batch;
  ForEachWaveSlice(vertical ? w : h, waves, amplitude, phase, slice, [&](int c, int size, int offset) {
    if (vertical)
      DDBlt(lpDst, x + c, y + offset, size, h, lpSrc, sx + c, sy, flags);
    else
      DDBlt(lpDst, x + offset, y + c, w, size, lpSrc, sx, sy + c, flags);
  });
}

void DDBltRotateDepth(DDSURFACEDATA* lpDst, int x, int y, int w, int h, DDSURFACEDATA* lpFront, int frontX,
                      int frontY, DDSURFACEDATA* lpBack, int backX, int backY, int srcW, int srcH, int flags, int step,
                      int vertical) {
  if (vertical != 0 && vertical != 1) return;
  const int length = vertical ? h : w;
  // Below two the half turn would be empty (and divide by zero): nothing to draw.
  if (length < 2) return;
  const int half = length / 2;
  const int q = step / half, r = step % half;
  const int inset = (q % 2 != 0) ? half - r - 1 : r;
  const bool front = ((half + step) / length) % 2 == 0;
  DDSURFACEDATA* image = front ? lpFront : lpBack;
  const int imageX = front ? frontX : backX;
  const int imageY = front ? frontY : backY;
  if (vertical == 0)
    DDBltStretch(lpDst, x + inset, y, w - 2 * inset, h, image, imageX, imageY, srcW, srcH, flags);
  else
    DDBltStretch(lpDst, x, y + inset, w, h - 2 * inset, image, imageX, imageY, srcW, srcH, flags);
}

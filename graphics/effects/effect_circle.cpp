#include <algorithm>
#include <cmath>

#include "graphics/blits/batch.h"
#include "graphics/blits/blit.h"
#include "graphics/device/device.h"
#include "graphics/effects/effects.h"

namespace {

// One horizontal strip of the disc: rows [top, top + height) relative to
// the centre, its width taken at row `middle`.
struct Strip {
  long long top, height, middle;
};

void DrawStrip(DDSURFACEDATA* lpDst, int cx, int cy, long long r, const Strip& strip, DDSURFACEDATA* lpSrc, int srcCx,
               int srcCy, long long columnLo, long long columnHi, int flags) {
  const double rest = static_cast<double>(r * r - strip.middle * strip.middle);
  long long q = static_cast<long long>(std::sqrt(std::max(rest, 0.0)));
  if (q >= r) --q;
  // The source span, cut to the column limits; the destination moves with the cut.
  long long from = static_cast<long long>(srcCx) - q;
  long long to = static_cast<long long>(srcCx) + q;
  long long dstX = static_cast<long long>(cx) - q;
  if (from < columnLo) {
    dstX += columnLo - from;
    from = columnLo;
  }
  to = std::min(to, columnHi);
  if (to <= from) return;
  const int x = static_cast<int>(dstX), y = static_cast<int>(cy + strip.top);
  const int w = static_cast<int>(to - from), h = static_cast<int>(strip.height);
  const int sx = static_cast<int>(from), sy = static_cast<int>(srcCy + strip.top);
  if (lpDTCon)
    DDBltStretch(lpDst, x, y, w, h, lpSrc, sx, sy, w, h, flags);
  else
    DDBlt(lpDst, x, y, w, h, lpSrc, sx, sy, flags);
}

}  // namespace

void DDBltCircle(DDSURFACEDATA* lpDst, int cx, int cy, int halfW, int halfH, int r, int nStrip, DDSURFACEDATA* lpSrc,
                 int srcCx, int srcCy, int flags) {
  if (!lpDst || !lpSrc || r < 1 || nStrip < 1) return;
  ResolveAliasSurface(&lpDst);
  ResolveAliasSurface(&lpSrc);
  const long long columnLo = std::max(0LL, static_cast<long long>(srcCx) - halfW);
  const long long columnHi = std::min<long long>(lpSrc->nWidth, static_cast<long long>(srcCx) + halfW);
  const long long radius = r, size = nStrip, limit = halfH;
  DDBeginBatch(0);
  // Strips from the bottom of the disc upward; those at or below the box's
  // lower edge are skipped without visiting them one by one.
  long long top = radius - size;
  if (top >= limit) top -= (top - limit) / size * size + size;
  for (; top >= -radius; top -= size) {
    if (top >= limit) continue;
    Strip strip{top, size, size == 1 ? top : top + size / 2};
    if (strip.top + strip.height > limit) strip.top = limit - strip.height;
    if (top + size <= -limit) break;
    if (strip.top < -limit) {
      strip.height = top + size + limit;
      strip.top = -limit;
    }
    DrawStrip(lpDst, cx, cy, radius, strip, lpSrc, srcCx, srcCy, columnLo, columnHi, flags);
  }
  DDEndBatch();
}

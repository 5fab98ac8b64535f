#include "graphics/blits/frame_rect.h"

#include "graphics/blits/blit.h"
#include "graphics/blits/fill.h"

void DDFrameRect(DDSURFACEDATA* lpDst, int x, int y, int w, int h, int nThickness, int nColor) {
  const int t = nThickness;
  const auto colour = static_cast<std::uint32_t>(nColor);
  DDBeginFillBatch();
  DDFillRect(lpDst, x, y, w, t, colour);
  DDFillRect(lpDst, x, y + h - t, w, t, colour);
  DDFillRect(lpDst, x, y, t, h, colour);
  DDFillRect(lpDst, x + w - t, y, t, h, colour);
  DDEndFillBatch();
}

void DDBltFramed(DDSURFACEDATA* lpDst, int x, int y, int w, int h, DDSURFACEDATA* lpSrc, int nThickness, int nColor) {
  DDBlt(lpDst, x, y, w, h, lpSrc, 0, 0, 1);
  DDFrameRect(lpDst, x - nThickness, y - nThickness, w + 2 * nThickness, h + 2 * nThickness, nThickness, nColor);
}

#include "graphics/blits/raster_copy.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <span>
#include <vector>

#include "graphics/device/device.h"
#include "graphics/blits/blend_rows.h"
#include "graphics/blits/quad.h"
#include "graphics/device/screen_output.h"
#include "graphics/blits/simd.h"
#include "graphics/blits/span_rows.h"
#include "graphics/surfaces/surface_lock.h"

namespace {

// Keyed 1:1 rows: a source pixel replaces the destination unless it equals
// the key (compared under keyMask).
void CopyKeyedRow(std::uint32_t* d, const std::uint32_t* s, int w, std::uint32_t key, std::uint32_t keyMask) {
  int i = 0;
  // Eight at a time: both loads of a pair come before its stores.
  for (; i + 8 <= w; i += 8) {
    const u32x4 v0 = Load4(s + i), v1 = Load4(s + i + 4);
    const u32x4 d0 = Load4(d + i), d1 = Load4(d + i + 4);
    const u32x4 keep0 = (v0 & keyMask) == key, keep1 = (v1 & keyMask) == key;
    Store4(d + i, (v0 & ~keep0) | (d0 & keep0));
    Store4(d + i + 4, (v1 & ~keep1) | (d1 & keep1));
  }
  for (; i + 4 <= w; i += 4) {
    const u32x4 v = Load4(s + i);
    const u32x4 keep = (v & keyMask) == key;
    Store4(d + i, (v & ~keep) | (Load4(d + i) & keep));
  }
  for (; i < w; ++i)
    if ((s[i] & keyMask) != key) d[i] = s[i];
}

void CopyKeyedRow(std::uint8_t* d, const std::uint8_t* s, int w, std::uint8_t key, std::uint8_t) {
  int i = 0;
  for (; i + 16 <= w; i += 16) {
    const u8x16 v = Load16(s + i);
    const u8x16 keep = (u8x16)(v == key);
    Store16(d + i, (v & ~keep) | (Load16(d + i) & keep));
  }
  for (; i < w; ++i)
    if (s[i] != key) d[i] = s[i];
}

// d[i] = s[cols[i]] for source columns below `width`.
void GatherRow(std::uint8_t* d, const std::uint8_t* s, const int* cols, int w, int) {
  for (int i = 0; i < w; ++i) d[i] = s[cols[i]];
}

void GatherRow(std::uint32_t* d, const std::uint32_t* s, const int* cols, int w, int width) {
  BlendRows().gather(d, s, cols, w, width);
}

// Keyed 1:1 row through the runs of source row y, from source column sx.
template <typename Pixel>
void CopyRunsRow(Pixel* d, cOpaqueSpans::RowsView rowRuns, int y, int sx, int w, std::size_t nextRow) {
  for (const OpaqueSpan& run : RunsFrom(rowRuns.Row(y), sx)) {
    if (run.begin >= sx + w) break;
    const int a = std::max<int>(run.begin, sx), b = std::min<int>(run.end, sx + w);
    CopyRunBytes(d + (a - sx), rowRuns.Pixels<Pixel>(y, run, a), std::size_t(b - a) * sizeof(Pixel), nextRow);
  }
}

// Keyed stretched row through the source row's runs: destination pixel i
// shows source column cols[i] (increasing). With `same` set the source row
// is the one the row above showed, whose drawn pixels are copied from there.
template <typename Pixel>
void GatherRunsRow(Pixel* d, const Pixel* s, const int* cols, int w, int width, std::span<const OpaqueSpan> runs,
                   const Pixel* same) {
  for (const OpaqueSpan& run : RunsFrom(runs, cols[0])) {
    if (run.begin > cols[w - 1]) break;
    const PixelRange range = ColumnsShowing(cols, w, run.begin, run.end, false);
    if (range.lo == range.hi) continue;
    if (same)
      std::memcpy(d + range.lo, same + range.lo, std::size_t(range.hi - range.lo) * sizeof(Pixel));
    else
      GatherRow(d + range.lo, s, cols + range.lo, range.hi - range.lo, width);
  }
}

// Keyed 1:1 rows through the source's runs.
template <typename Pixel>
void CopyRunRows(cPixelBuffer* dst, int x, int y, int w, int h, const cPixelBuffer* src, int sx, int sy) {
  const cOpaqueSpans::RowsView rowRuns = src->OpaqueSpans(sy, sy + h);
  // A local, which the copies cannot change behind the compiler's back.
  const std::size_t dstPitch = std::size_t(dst->Pitch());
  Pixel* d = static_cast<Pixel*>(dst->Bits()) + std::size_t(y) * dstPitch + x;
  const std::size_t nextRow = dstPitch * sizeof(Pixel);
  if (sx == 0 && w == src->Width()) {
    // The whole width: every run is copied as it stands.
    for (int r = 0; r < h; ++r, d += dstPitch)
      rowRuns.ForEach(sy + r, [d, rowRuns, row = sy + r, nextRow](const OpaqueSpan& run) {
        CopyRunBytes(d + run.begin, rowRuns.Pixels<Pixel>(row, run, run.begin),
                     std::size_t(run.end - run.begin) * sizeof(Pixel), nextRow);
      });
    return;
  }
  for (int r = 0; r < h; ++r, d += dstPitch) CopyRunsRow(d, rowRuns, sy + r, sx, w, nextRow);
}

template <typename Pixel>
void CopyRows(cPixelBuffer* dst, int x, int y, int w, int h, const cPixelBuffer* src, int sx, int sy, int sw, int sh,
              bool keyed, Pixel key, Pixel keyMask) {
  const bool same = sw == w && sh == h;
  const bool runs = keyed && src->OpaqueSpansReady({keyMask, key, 0});
  if (runs && same) {
    CopyRunRows<Pixel>(dst, x, y, w, h, src, sx, sy);
    return;
  }
  thread_local std::vector<int> cols;
  if (!same) {
    cols.resize(std::size_t(w));
    cSampleStepper column(0, sw, w);
    for (int i = 0; i < w; ++i, column.Advance()) cols[i] = sx + column.Current();
  }
  const cOpaqueSpans::RowsView rowRuns = runs ? src->OpaqueSpans(sy, sy + sh) : cOpaqueSpans::RowsView{};
  const Pixel* const srcBits = static_cast<const Pixel*>(src->Bits());
  Pixel* const dstBits = static_cast<Pixel*>(dst->Bits());
  const std::size_t srcPitch = std::size_t(src->Pitch()), dstPitch = std::size_t(dst->Pitch());
  cSampleStepper rowStep(0, sh, h);
  int previousRow = -1;
  for (int r = 0; r < h; ++r, rowStep.Advance()) {
    const int srow = sy + rowStep.Current();
    const Pixel* s = srcBits + std::size_t(srow) * srcPitch;
    Pixel* d = dstBits + std::size_t(y + r) * dstPitch + x;
    const bool repeated = srow == previousRow;
    previousRow = srow;
    if (runs) {
      GatherRunsRow(d, s, cols.data(), w, src->Width(), rowRuns.Row(srow), repeated ? d - dstPitch : nullptr);
    } else if (!keyed && repeated) {
      // An opaque copy of the same source row gives the row just drawn.
      std::memcpy(d, d - dstPitch, std::size_t(w) * sizeof(Pixel));
    } else if (same && !keyed) {
      std::memcpy(d, s + sx, std::size_t(w) * sizeof(Pixel));
    } else if (same) {
      CopyKeyedRow(d, s + sx, w, key, keyMask);
    } else if (!keyed) {
      GatherRow(d, s, cols.data(), w, src->Width());
    } else {
      for (int i = 0; i < w; ++i) {
        const Pixel p = s[cols[i]];
        if ((p & keyMask) != key) d[i] = p;
      }
    }
  }
}

}  // namespace

void CopyPixels(DDSURFACEDATA* lpDst, int x, int y, int w, int h, DDSURFACEDATA* lpSrc, int sx, int sy, int sw,
                int sh, int flags) {
  cPixelBuffer* dst = SurfacePixels(lpDst);
  const cPixelBuffer* src = SurfacePixels(lpSrc);
  if (!dst || !src || dst->BytesPerPixel() != src->BytesPerPixel()) return;
  // The clip works on the drawable sizes; the buffers bound it as well.
  if (x < 0 || y < 0 || x + w > dst->Width() || y + h > dst->Height() || sx < 0 || sy < 0 || sw < 1 || sh < 1 ||
      sx + sw > src->Width() || sy + sh > src->Height())
    return;
  std::unique_ptr<cPixelBuffer> copy;
  if (src == dst) {
    copy = std::make_unique<cPixelBuffer>(*src);
    src = copy.get();
  }
  const bool keyed = flags == 1 && lpSrc->lpDD && lpSrc->lpDD->bColorKey;
  if (dst->BytesPerPixel() == 1)
    CopyRows<std::uint8_t>(dst, x, y, w, h, src, sx, sy, sw, sh, keyed, std::uint8_t(g_DDState.dwColorKey), 0xFF);
  else
    CopyRows<std::uint32_t>(dst, x, y, w, h, src, sx, sy, sw, sh, keyed, g_DDState.dwColorKey & 0xFFFFFF, 0xFFFFFF);
  if (lpDst == &PrimarySD) ShowScreenSurface(&PrimarySD);
}

void SoftwareStretch(DDSURFACEDATA* lpDst, int dx, int dy, int dw, int dh, DDSURFACEDATA* lpSrc, int sx, int sy,
                     int sw, int sh, int flags) {
  cSurfaceLock dstLock, srcLock;
  if (!dstLock.Lock(lpDst)) return;
  if (!srcLock.LockForReading(lpSrc)) return;
  if (dstLock.BitsPerPixel() != 32 || srcLock.BitsPerPixel() != 32) return;
  DDSURFACEDATA* dst = dstLock.Surface();
  DDSURFACEDATA* src = srcLock.Surface();
  const int dstW = std::min(dst->nWidth, dstLock.BufferWidth()), dstH = std::min(dst->nHeight, dstLock.BufferHeight());
  const int srcW = std::min(src->nWidth, srcLock.BufferWidth()), srcH = std::min(src->nHeight, srcLock.BufferHeight());
  const bool same = dw == sw && dh == sh;
  const float fx = float(sw) / float(dw), fy = float(sh) / float(dh);
  // A blit within one surface reads the pixels as they were before it.
  std::vector<std::uint32_t> snapshot;
  if (src == dst)
    snapshot.assign(srcLock.Row32(0), srcLock.Row32(0) + std::size_t(srcLock.Pitch()) * srcLock.BufferHeight());
  for (int r = 0; r < dh; ++r) {
    const int ty = dy + r;
    const int srow = same ? sy + r : sy + int(float(r) * fy);
    if (ty < 0 || ty >= dstH || srow < 0 || srow >= srcH) continue;
    const std::uint32_t* s =
        snapshot.empty() ? srcLock.Row32(srow) : snapshot.data() + std::size_t(srow) * srcLock.Pitch();
    std::uint32_t* d = dstLock.Row32(ty);
    for (int c = 0; c < dw; ++c) {
      const int tx = dx + c;
      if (tx < 0 || tx >= dstW) continue;
      int col;
      if (same) {
        col = sx + c;
      } else {
        int k = int(float(c) * fx);
        if (sw > 0) {
          if (k < 0 || k >= sw) continue;
        } else {
          if (!(sw < k && k <= 0)) continue;
          --k;
        }
        col = sx + k;
      }
      if (col < 0 || col >= srcW) continue;
      const std::uint32_t p = s[col];
      if (flags == 1 && (p >> 24) == 0) continue;
      d[tx] = p;
    }
  }
}

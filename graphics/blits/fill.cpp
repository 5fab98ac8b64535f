#include "graphics/blits/fill.h"

#include <algorithm>
#include <vector>

#include "foundation/log.h"
#include "graphics/device/device.h"
#include "graphics/images/palette.h"
#include "graphics/blits/quad.h"
#include "graphics/blits/simd.h"
#include "graphics/device/render_target.h"
#include "graphics/device/screen_output.h"

namespace {

struct FillEntry {
  DDSURFACEDATA* lpTarget;
  int x, y, w, h;
  std::uint32_t dwColor;
};

struct FillBatch {
  bool bOpen = false;
  std::vector<FillEntry> queue;
};
FillBatch g_FillBatch;

void WriteRect(cPixelBuffer* pixels, int x, int y, int w, int h, std::uint32_t value) {
  // A whole buffer (with no row padding the rectangle would leave alone) is
  // a Clear: written when first looked at, and not at all where the buffer
  // holds that value already (a surface just made, filled with colour 0).
  if (x == 0 && y == 0 && w == pixels->Width() && h == pixels->Height() && pixels->Pitch() == w) {
    pixels->Clear(value);
    return;
  }
  for (int row = y; row < y + h; ++row) {
    if (pixels->BytesPerPixel() == 1)
      std::fill_n(pixels->Row8(row) + x, w, static_cast<std::uint8_t>(value));
    else
      FillPixels32(pixels->Row32(row) + x, w, value);
  }
}

}  // namespace

bool ClipRect(int* x, int* y, int* w, int* h, int width, int height) {
  if (*w < 1 || *h < 1) return false;
  const long left = std::max<long>(*x, 0), top = std::max<long>(*y, 0);
  const long right = std::min<long>(long(*x) + *w, width), bottom = std::min<long>(long(*y) + *h, height);
  if (left >= right || top >= bottom) return false;
  *x = int(left);
  *y = int(top);
  *w = int(right - left);
  *h = int(bottom - top);
  return true;
}

void DDFillRect(DDSURFACEDATA* lpSD, int x, int y, int w, int h, std::uint32_t dwPalNum) {
  if (dwPalNum > 255) {
    DebugLogF("DDFillRect Err dwPalNum = %u", dwPalNum);
    return;
  }
  if (lpDTCon) {
    DDFillRectRGB(lpSD, x, y, w, h, PalNumToRGB(dwPalNum));
    return;
  }
  cPixelBuffer* pixels = SurfacePixels(lpSD);
  if (!pixels || !ClipRect(&x, &y, &w, &h, std::min(lpSD->nWidth, pixels->Width()),
                           std::min(lpSD->nHeight, pixels->Height())))
    return;
  WriteRect(pixels, x, y, w, h, PalNumToRGB(dwPalNum));
  if (lpSD == &PrimarySD) ShowScreenSurface(&PrimarySD);
}

void DDFillSurface(DDSURFACEDATA* lpSD, std::uint32_t dwPalNum) {
  if (lpSD) DDFillRect(lpSD, 0, 0, lpSD->nWidth, lpSD->nHeight, dwPalNum);
}

void DDFillSurfaceKey(DDSURFACEDATA* lpSD) {
  if (!lpSD) return;
  if (lpDTCon) {
    DDFillSurfaceRGB(lpSD, lpDTCon->dwClearColor);
    return;
  }
  cPixelBuffer* pixels = SurfacePixels(lpSD);
  int x = 0, y = 0, w = lpSD->nWidth, h = lpSD->nHeight;
  if (!pixels || !ClipRect(&x, &y, &w, &h, pixels->Width(), pixels->Height())) return;
  WriteRect(pixels, x, y, w, h, g_DDState.dwColorKey);
}

void DDFillRectRGB(DDSURFACEDATA* lpSD, int x, int y, int w, int h, std::uint32_t dwColor) {
  if (!lpDTCon || !lpSD) return;
  ResolveAliasSurface(&lpSD);
  RedirectToVirBackBuffer(&lpSD);
  cPixelBuffer* pixels = SurfacePixels(lpSD);
  if (!pixels || !ClipRect(&x, &y, &w, &h, pixels->Width(), pixels->Height())) return;
  const bool renderTarget = lpSD->lpDT->bRenderTarget;
  const std::uint32_t transparent = lpSD == &BackBuffer ? lpDTCon->dwTransOpaque : lpDTCon->dwClearColor;
  const bool clears = renderTarget && lpSD->lpDT->bColorKey && dwColor == transparent;
  if (renderTarget && !clears && g_FillBatch.bOpen) {
    g_FillBatch.queue.push_back({lpSD, x, y, w, h, dwColor});
    return;
  }
  if (renderTarget) DDBeginScene();
  WriteRect(pixels, x, y, w, h, dwColor);
}

void DDFillSurfaceRGB(DDSURFACEDATA* lpSD, std::uint32_t dwColor) {
  if (lpSD) DDFillRectRGB(lpSD, 0, 0, lpSD->nWidth, lpSD->nHeight, dwColor);
}

void DDBeginFillBatch() {
  if (!lpDTCon) return;
  g_FillBatch.bOpen = true;
  g_FillBatch.queue.clear();
}

bool DDFillBatchOpen() { return g_FillBatch.bOpen; }

void DDEndFillBatch() {
  if (!lpDTCon) return;
  // Runs of the same target are one draw each on a device; on the CPU the
  // queue is drawn in order, every rectangle as an untextured quad whose
  // colour and alpha come from the diffuse colour.
  for (const FillEntry& fill : g_FillBatch.queue) {
    if (!DDBeginScene() || !DDSetRenderTarget(0, fill.lpTarget)) continue;
    cPixelBuffer* pixels = SurfacePixels(fill.lpTarget);
    if (pixels) DrawColouredRect(pixels, fill.x, fill.y, fill.w, fill.h, fill.dwColor);
  }
  g_FillBatch.queue.clear();
  g_FillBatch.bOpen = false;
}

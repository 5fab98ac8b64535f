#include <algorithm>
#include <optional>

#include "graphics/blits/batch.h"
#include "graphics/blits/blend_rows.h"
#include "graphics/blits/fill.h"
#include "graphics/blits/shaped_blits.h"
#include "graphics/blits/simd.h"
#include "graphics/device/device.h"
#include "graphics/device/render_target.h"

namespace {

// The pixels of a render target that quads draw to and read from, when
// they are w x h 32-bit pixels.
cPixelBuffer* TargetPixels(DDSURFACEDATA* lpSD, int w, int h) {
  if (!lpSD->lpDT || !lpSD->lpDT->bRenderTarget || !lpSD->lpDT->lpSurface ||
      lpSD->lpDT->nMemType == DTMEMORYTYPE_SYSTEM || lpSD->nWidth != w || lpSD->nHeight != h)
    return nullptr;
  cPixelBuffer* pixels = SurfacePixels(lpSD);
  const bool fits = pixels && pixels->BytesPerPixel() == 4 && pixels->Width() == w && pixels->Height() == h;
  return fits ? pixels : nullptr;
}

}  // namespace

bool DDCopyAndWaveAcross(DDSURFACEDATA* lpScreen, DDSURFACEDATA* lpCopy, int w, int h, int waves, double amplitude,
                         int phase, int slice, std::uint32_t dwClear) {
  if (!lpDTCon || !lpScreen || !lpCopy || slice <= 0 || lpDTCon->bVirCopy || BatchCollecting() || DDFillBatchOpen())
    return false;
  // Texels as they stand for the copy (texel alpha), and for the wave at
  // the draw colour's full alpha: every slice replaces what it covers.
  const std::uint32_t colourOp = lpDTCon->dwColorOp;
  if (lpDTCon->dwDrawColor != 0xFFFFFFFF || (colourOp != 2 && colourOp != 4) || lpDTCon->dwAlphaOp != 2) return false;
  ResolveAliasSurface(&lpScreen);
  ResolveAliasSurface(&lpCopy);
  RedirectToVirBackBuffer(&lpScreen);
  RedirectToVirBackBuffer(&lpCopy);
  if (lpScreen == lpCopy) return false;
  cPixelBuffer* screen = TargetPixels(lpScreen, w, h);
  cPixelBuffer* copy = TargetPixels(lpCopy, w, h);
  if (!screen || !copy) return false;
  DDBeginScene();
  const BlendRowFunctions& rows = BlendRows();
  // Every pixel of the copy is drawn below, so a fill of it still owed
  // (the screen colour refills it every frame) need not be written first.
  const std::optional<std::uint32_t> under = copy->TakeUnwrittenFill();
  // A slice's rows show the same rows of the copy, moved across: each row
  // is copied aside, then cleared where the slice leaves it and drawn.
  ForEachWaveSlice(h, waves, amplitude, phase, slice, [&](int first, int size, int offset) {
    const int lo = std::clamp(offset, 0, w), hi = std::clamp(offset + w, 0, w);
    for (int y = first; y < first + size; ++y) {
      std::uint32_t* screenRow = screen->Row32(y);
      std::uint32_t* copyRow = copy->Row32(y);
      if (under)
        rows.texelAlphaOver(copyRow, screenRow, w, *under);
      else
        rows.texelAlpha(copyRow, screenRow, w);
      FillPixels32(screenRow, lo, dwClear);
      if (hi > lo) rows.constantAlpha(screenRow + lo, copyRow + (lo - offset), hi - lo, 255);
      FillPixels32(screenRow + hi, w - hi, dwClear);
    }
  });
  return true;
}

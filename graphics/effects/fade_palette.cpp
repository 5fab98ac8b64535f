#include <algorithm>

#include "graphics/device/device.h"
#include "graphics/effects/fade.h"

PaletteArray g_ShownPalette;

namespace {

// The part of first..last that lies in the palette; false when none does.
bool ClampRange(int* first, int* last) {
  *first = std::max(*first, 0);
  *last = std::min(*last, 255);
  return *first <= *last;
}

}  // namespace

void PalBlendColor(PALETTEENTRY* lpOut, int nFirst, int nLast, int nWeight, std::uint8_t bRed, std::uint8_t bGreen,
                   std::uint8_t bBlue, const PALETTEENTRY* lpSrc) {
  if (!lpOut || !lpSrc || !ClampRange(&nFirst, &nLast)) return;
  const int weight = std::clamp(nWeight, 0, 256);
  const auto mix = [weight](int c, int k) { return static_cast<std::uint8_t>((c * weight + k * (256 - weight)) >> 8); };
  for (int i = nFirst; i <= nLast; ++i) {
    const PALETTEENTRY source = lpSrc[i];
    lpOut[i] = {mix(source.peRed, bRed), mix(source.peGreen, bGreen), mix(source.peBlue, bBlue), 1};
  }
}

void PalRotate(PALETTEENTRY* lpOut, int nFirst, int nLast, int nCount, int nDirection, const PALETTEENTRY* lpSrc) {
  const int bpp = g_DDState.nBpp;
  if (!lpOut || !lpSrc || (bpp != 8 && bpp != 16 && bpp != 32)) return;
  std::copy(lpSrc, lpSrc + 256, lpOut);
  if (!ClampRange(&nFirst, &nLast) || nCount < 0) return;
  const int length = nLast - nFirst + 1;
  const int count = nCount % length;
  PALETTEENTRY* begin = lpOut + nFirst;
  PALETTEENTRY* end = lpOut + nLast + 1;
  if (nDirection == 0)
    std::rotate(begin, end - count, end);
  else if (nDirection == 1)
    std::rotate(begin, begin + count, end);
}

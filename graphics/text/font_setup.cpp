#include "graphics/text/font_setup.h"

#include "graphics/blits/fill.h"

namespace {

// "ＭＳ ゴシック" in CP932.
#define GOTHIC_FACE "\x82\x6C\x82\x72\x20\x83\x53\x83\x56\x83\x62\x83\x4E"
constexpr int kWindowBitmap = 45;
constexpr int kSymbolBitmap = 50;

DDSURFACEDATA* BitmapSurface(int index) { return index >= 0 && index < kBmpCount ? &g_BmpSD[index] : nullptr; }

}  // namespace

FONTDEF g_FontDefs[kFontCount] = {
    {GOTHIC_FACE, 0, 9, 10, 10, 241, kWindowBitmap, 1, 240, kSymbolBitmap, 2},
    {GOTHIC_FACE, 0, 16, 16, 16, 241, kWindowBitmap, 1, 240, kSymbolBitmap, 2},
    {GOTHIC_FACE, 0, 30, 32, 32, 241, kWindowBitmap, 1, 240, kSymbolBitmap, 0},
};
#undef GOTHIC_FACE

// Declared before the fonts so that it is destroyed after them.
std::list<Font*> g_FontList;
Font g_Fonts[kFontCount];
DDSURFACEDATA g_NumberSD[kFontCount];

int CreateFonts(Font* fonts, const FONTDEF* defs, int count) {
  for (int i = 0; i < count; ++i) {
    const FONTDEF& d = defs[i];
    fonts[i].Create(d.szFace, d.nWidth, d.nHeight, d.nCellWidth, d.nLineHeight, d.nColor, BitmapSurface(d.nBoxImage),
                    d.nFrame, d.nFrameColor, BitmapSurface(d.nLetterSheet), d.nUseCaches);
  }
  return 1;
}

int CreateNumberSurfaces(DDSURFACEDATA* strips, const BMPFILEDATA* entries, int count, Font* fonts,
                         const FONTDEF* defs) {
  for (int i = 0; i < count; ++i) {
    const BMPFILEDATA& e = entries[i];
    DDCreateSurface(&strips[i], defs[i].nCellWidth * 10, defs[i].nLineHeight, e.bColorKey, e.bSystemMemory,
                    e.nMemType, e.bNoTexture, 0);
    DrawDigits(&strips[i], &fonts[i]);
  }
  return 1;
}

void DrawDigits(DDSURFACEDATA* lpStrip, Font* font) {
  if (!lpStrip || !font) return;
  DDFillSurface(lpStrip, 0);
  font->Draw(lpStrip, 0, 0, "0123456789");
}

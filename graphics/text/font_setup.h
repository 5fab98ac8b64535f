#pragma once
// The game's three fonts, built from a table of definitions, and one digit
// strip per font for drawing numbers cell by cell.

#include "graphics/images/bitmap_table.h"
#include "graphics/text/font.h"
#include "graphics/surfaces/surface.h"

struct FONTDEF {
  char szFace[256];  // CP932
  int nWidth, nHeight, nCellWidth, nLineHeight, nColor;
  int nBoxImage;     // bitmap-table index of the box image
  int nFrame, nFrameColor;
  int nLetterSheet;  // bitmap-table index of the letter sheet
  int nUseCaches;    // 2: taken from System.ini by game initialisation
};

inline constexpr int kFontCount = 3;
extern FONTDEF g_FontDefs[kFontCount];
extern Font g_Fonts[kFontCount];
extern DDSURFACEDATA g_NumberSD[kFontCount];

// Font::Create for each definition, the box image and letter sheet taken
// from g_BmpSD. Returns 1.
int CreateFonts(Font* fonts, const FONTDEF* defs, int count);
// Strip i: (cell width x 10) x line height with the creation values of
// entries[i], the digits "0123456789" drawn by font i. Returns 1.
int CreateNumberSurfaces(DDSURFACEDATA* strips, const BMPFILEDATA* entries, int count, Font* fonts,
                         const FONTDEF* defs);
void DrawDigits(DDSURFACEDATA* lpStrip, Font* font);

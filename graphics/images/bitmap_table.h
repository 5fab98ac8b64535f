#pragma once
// The 71 bitmaps the game knows (g_BmpTable), their surfaces (g_BmpSD), and
// the loading of table entries by the scenes.

#include "graphics/surfaces/surface.h"

struct BMPFILEDATA {
  char szPath[260] = {};  // stored path (CP932); "E" = created empty at the entry's size
  int bColorKey = 0;
  int bSystemMemory = 0;
  int nMemType = 0;
  int bNoTexture = 0;     // Direct3D: an alias without a texture of its own
  int bKeepPixels = 0;
  int bOptional = 0;      // a missing or unreadable file is not an error
  int nMirrorW = 0;       // mirror cell width (0: not mirrored)
  int nMirrorH = 0;
  int nWidth = 0, nHeight = 0;  // size of an empty ("E") entry
};

inline constexpr int kBmpCount = 71;
extern BMPFILEDATA g_BmpTable[kBmpCount];
extern DDSURFACEDATA g_BmpSD[kBmpCount];

// Loads the listed entries of the table into `array` (g_BmpSD), in order;
// false at the first failure of an entry that is not optional.
bool LoadBmpSurfaces(DDSURFACEDATA* array, const int* indices, int count);
// Direct3D: makes each copy entry an alias of the entry it copies.
void LinkBitmapSurfaces();

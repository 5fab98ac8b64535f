#pragma once
// Surfaces loaded from bitmap files (BMP, PNG, JPEG) in both drawing modes.

#include "graphics/images/image.h"
#include "graphics/surfaces/surface.h"

// 0 on success; 4 when the surface cannot be made; 8 when the file cannot be
// read or decoded (both modes).
int DDCreateSurfaceFromFile(DDSURFACEDATA* lpSD, const char* file, int bColorKey, int nBpp, int bSystemMemory,
                            int nMemType, int bNoTexture, int bKeepPixels, int nMirrorW, int nMirrorH, int bRestore);
// DirectDraw: loads the file into the existing surface, mirrored per cell
// when asked. A size mismatch is logged and the overlap copied. Direct3D or
// an empty name: nothing, true.
bool CopyBitmap(DDSURFACEDATA* lpSD, const char* file, int bKeepPixels, int nMirrorW, int nMirrorH);
// Direct3D: draws lpSrc into lpDst with each cell of width nCellW flipped.
bool CreateMirror(DDSURFACEDATA* lpDst, DDSURFACEDATA* lpSrc, int nCellW, int nCellH);
// DirectDraw: reloads the surface from its own file (after a loss).
bool DDReloadBitmap(DDSURFACEDATA* lpSD);
// DirectDraw: 0 when the file cannot be loaded; else 1 and *pbLarger = 1
// when the bitmap is wider than w or higher than h.
int CheckBitmapSize(int* pbLarger, const char* file, int w, int h);

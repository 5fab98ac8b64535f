#pragma once
// Alpha and colour blends: the semi-transparent blit, the colour change that
// pulls pixels toward a palette colour, the whole-surface tint, and the
// 256 x 256 blend table that stands in for colour arithmetic in 8-bit
// DirectDraw mode.

#include <cstdint>

#include "graphics/images/palette.h"
#include "graphics/surfaces/surface.h"

using BYTE = std::uint8_t;

constexpr int kBlendTableSize = 256 * 256;
// Entry a * 256 + b: the palette index that shows the mix of colours a and b.
extern BYTE g_BlendTable[kBlendTableSize];

// Draws the source rectangle semi-transparently: nAlpha is the source's
// transparency on the Direct3D quad path (0 opaque, 255 invisible); the
// locked-pixel paths always mix half and half. False when a surface cannot
// be locked.
bool DDBltAlpha(DDSURFACEDATA* lpDst, int x, int y, int w, int h, DDSURFACEDATA* lpSrc, int srcX, int srcY, int flags,
                BYTE* lpBlendTable, int nAlpha);
// The colour surface filled with dwColor (DDFillSurfaceRGB), then drawn at
// (0, 0) over the destination with nAlpha as DDBltAlpha draws it; where both
// are plain 32-bit writes, a row of each at a time, the colour row still in
// the cache when it is blended.
void DDFillBltAlpha(DDSURFACEDATA* lpDst, DDSURFACEDATA* lpColour, std::uint32_t dwColor, int nAlpha);
bool DDBltHalf(DDSURFACEDATA* lpDst, int x, int y, int w, int h, DDSURFACEDATA* lpSrc, int srcX, int srcY, int flags,
               BYTE* lpBlendTable);

// Reads a 65,536-byte blend table (stored CP932 path). Direct3D mode needs
// none and succeeds at once. A missing or short file fails and leaves the
// table as it was.
bool LoadBlendTable(BYTE* lpTable, const char* lpFileName);

// Direct3D only: tints the whole destination by drawing the source over it
// modulated with the colour, nAlpha being the tint's transparency.
int DDChangeColorEx(DDSURFACEDATA* lpDst, int x, int y, int w, int h, DDSURFACEDATA* lpSrc, int nAlpha, BYTE bRed,
                    BYTE bGreen, BYTE bBlue);
int DDChangeColor(DDSURFACEDATA* lpDstSD, int x, int y, int nWidth, int nHeight, int nAlpha, BYTE bRed, BYTE bGreen,
                  BYTE bBlue);

// Draws the source rectangle with every pixel pulled nCount times halfway
// toward palette colour nColor of lpPalette. nCount 0 draws nothing.
bool DDBltColorChange(DDSURFACEDATA* lpDst, int x, int y, int w, int h, DDSURFACEDATA* lpSrc, int srcX, int srcY,
                      int flags, const PALETTEENTRY* lpPalette, BYTE* lpBlendTable, int nColor, int nCount,
                      const std::uint32_t* lpColorPair);

// DirectDraw only: the channel layout of the screen format (32-bit here).
void DDReadPixelFormat(PIXELFORMATDATA* lpFormat);
// True for BackBuffer in full-screen mode.
bool IsFullScreenBackBuffer(const DDSURFACEDATA* lpSD);

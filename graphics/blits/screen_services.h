#pragma once
// Small drawing services on the blit core: text and numbers drawn cell by
// cell from bitmap sheets, a pixel and a circle in a palette colour, and the
// message box shown while the graphics layer owns a full screen.

#include <string_view>

#include "foundation/text_format.h"
#include "graphics/surfaces/surface.h"

// Cells of cellW x cellH in 16 columns; byte c uses column c & 15 and a row
// from its high nibble (half-width kana 0xA6-0xBF rows 0-1, 0xC0-0xDD rows
// 8-9). A line feed starts a new line; reaching x offset 640 wraps.
void DDBmpTextOut(DDSURFACEDATA* lpDst, int x, int y, int cellW, int cellH, DDSURFACEDATA* lpSheet,
                  std::string_view text);
void DDBmpPrintf(DDSURFACEDATA* lpDst, int x, int y, int cellW, int cellH, DDSURFACEDATA* lpSheet, const char* format,
                 ...) PLAYER_PRINTF(7, 8);
// Digits from a strip "0123456789" at (stripX, stripY); a negative value
// draws as 0. Fewer digits than `digits` are indented (half when centred).
void DDDrawNumber(DDSURFACEDATA* lpDst, int x, int y, int cellW, int cellH, DDSURFACEDATA* lpStrip, int stripX,
                  int stripY, int flags, int value, int digits, int centred);
void DDPutPixel(DDSURFACEDATA* lpDst, int x, int y, int colour);
void DDDrawCircle(DDSURFACEDATA* lpDst, int cx, int cy, int radius, int colour);

// Texts are CP932. 1 when the box was shown.
int DDMesBox(std::string_view text, std::string_view caption, unsigned type);
// Around a dialog or box drawn over a full screen: the scene ends and the
// pointer shows while any is open, and hides once the last closes. 1.
int DDSetDialogBoxMode(int bOn);

#pragma once
// The game's 256 colours, the screen palette of 8-bit mode, the channel
// layout of the surface format and the transparent colour.

#include <array>
#include <cstdint>

// One palette entry: red, green, blue and flags, one byte each.
struct PALETTEENTRY {
  std::uint8_t peRed = 0, peGreen = 0, peBlue = 0, peFlags = 0;
};
using PaletteArray = std::array<PALETTEENTRY, 256>;

// Shift and (shifted-down) mask of each channel of a pixel format.
struct PIXELFORMATDATA {
  std::uint32_t dwRShift = 0, dwGShift = 0, dwBShift = 0, dwAShift = 0;
  std::uint32_t dwRMask = 0, dwGMask = 0, dwBMask = 0, dwAMask = 0;
};

extern PaletteArray g_PalEntries;       // the game's colours by number
extern PaletteArray g_BasePalEntries;   // copy kept as the base of fades
extern PaletteArray g_ScreenPalette;    // 8-bit mode: the palette the screen shows
extern PIXELFORMATDATA g_PixelFormat;

// 8-bit mode: writes entries [first, first + count) of the screen palette
// (entries outside 0..255 are ignored).
void DDSetScreenPalette(const PALETTEENTRY* entries, int first, int count);

// The pixel value of palette number n in the current format. Numbers above
// 255 give 0 (logged in Direct3D mode). Direct3D: 0 is transparent black.
std::uint32_t PalNumToRGB(std::uint32_t dwPalNum);

// The transparent colour.
void DDSetTransmit(std::uint8_t cbRed, std::uint8_t cbGreen, std::uint8_t cbBlue);

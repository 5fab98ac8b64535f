#include "graphics/images/palette.h"

#include "foundation/log.h"
#include "graphics/device/device.h"

PaletteArray g_PalEntries;
PaletteArray g_BasePalEntries;
PaletteArray g_ScreenPalette;
PIXELFORMATDATA g_PixelFormat;

void DDSetScreenPalette(const PALETTEENTRY* entries, int first, int count) {
  for (int i = 0; i < count; ++i) {
    const int index = first + i;
    if (index >= 0 && index < 256) g_ScreenPalette[index] = entries[i];
  }
}

std::uint32_t PalNumToRGB(std::uint32_t dwPalNum) {
  if (dwPalNum > 255) {
    DebugLogF("PalNumToRGB(DWORD dwPalNum) Err dwPalNum = %u", dwPalNum);
    return 0;
  }
  if (g_DDState.nBpp == 8) return dwPalNum;
  if (g_DDState.nBpp != 32) return 0;
  const PALETTEENTRY& pe = g_PalEntries[dwPalNum];
  const std::uint32_t rgb = std::uint32_t(pe.peRed) << 16 | std::uint32_t(pe.peGreen) << 8 | pe.peBlue;
  if (!lpDTCon) return rgb;
  return dwPalNum == 0 ? lpDTCon->dwClearColor : 0xFF000000u | rgb;
}

void DDSetTransmit(std::uint8_t cbRed, std::uint8_t cbGreen, std::uint8_t cbBlue) {
  if (lpDTCon) {
    lpDTCon->rgbTransmit = {cbBlue, cbGreen, cbRed};
    DebugLogF(
        "SetTrans lpDTCon->rgbTransmit.rgbtRed = %d,lpDTCon->rgbTransmit.rgbtGreen = %d,"
        "lpDTCon->rgbTransmit.rgbtBlue = %d",
        cbRed, cbGreen, cbBlue);
    lpDTCon->dwClearColor = 0;
    lpDTCon->dwTransOpaque = 0xFF000000u | std::uint32_t(cbRed) << 16 | std::uint32_t(cbGreen) << 8 | cbBlue;
    g_DDState.dwColorKey = lpDTCon->dwClearColor;
    return;
  }
  if (g_DDState.nBpp == 32) {
    g_DDState.dwColorKey = std::uint32_t(cbRed) << 16 | std::uint32_t(cbGreen) << 8 | cbBlue;
    if (lpDDCon) lpDDCon->rgbTransmit = {cbBlue, cbGreen, cbRed};
  }
}

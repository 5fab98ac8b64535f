#include "shell/init/graphics_start.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cstring>

#include "foundation/log.h"
#include "graphics/images/bitmap_table.h"
#include "graphics/device/device.h"
#include "graphics/text/font_setup.h"
#include "graphics/images/palette.h"
#include "graphics/images/palette_file.h"
#include "platform/window.h"
#include "project/name_tables.h"

namespace {

std::atomic<bool> g_failDirect3D{false};

constexpr const char* kPaletteFile = "bmp\\plt\\Palette.bmp";
// The bitmaps that start-up loads: the debug sheet and the symbol sheet.
constexpr std::array<int, 2> kStartupBitmaps = {1, 50};

bool StartDevice(int useD3D, int depth, const SYSTEMINIDATA& ini) {
  if (useD3D && g_failDirect3D.load()) return false;
  return DDInit(useD3D, kScreenWidth, kScreenHeight, depth, ini.VSync != 0 ? 1 : 0, ini.WindowMode != 0 ? 1 : 0, 1,
                60, 1, g_BmpSD, g_BmpTable, kBmpCount);
}

void SetProjectTransparency(const cSystem& system) {
  RGBTRIPLE colour;
  colour.rgbtRed = system.m_byTransRed;
  colour.rgbtGreen = system.m_byTransGreen;
  colour.rgbtBlue = system.m_byTransBlue;
  if (lpDTCon) lpDTCon->rgbTransmit2 = colour;
  if (lpDDCon) lpDDCon->rgbTransmit2 = colour;
}

}  // namespace

void SimulateDirect3DStartFailure(bool fail) { g_failDirect3D.store(fail); }

bool StartGraphicsDevice(SYSTEMINIDATA& ini, int depth) {
  if (depth == 8) ini.DD_VideoStretch = 0;
  if (StartDevice(ini.Direct3D, depth, ini)) return true;
  if (!ini.Direct3D) {
    DebugLog(Cp932Literal("DDInit失敗"));
    return false;
  }
  DDRelease();
  ini.Direct3D = 0;
  platform::ShowMainWindow(ini.WindowMode == 0);
  if (StartDevice(0, depth, ini)) return true;
  DebugLog(Cp932Literal("DDInit失敗"));
  return false;
}

// Every back end at every depth needs both: the game's colours are palette
// numbers even on a true-colour screen, and the pictures key the transparent
// colour of the palette bitmap.
bool SetUpPaletteAndTransparency(const SYSTEMINIDATA& ini, const cSystem& system, int depth) {
  if (!DDLoadPaletteFromFile(g_PalEntries.data(), kPaletteFile, ini.WindowMode != 0 ? 1 : 0)) {
    DebugLog(Cp932Literal("DDLoadPaletteFromFile失敗"));
    return false;
  }
  g_BasePalEntries = g_PalEntries;
  if (system.m_nColorMode != 0 && depth != 16) {
    DDSetTransmit(system.m_byTransRed, system.m_byTransGreen, system.m_byTransBlue);
    return true;
  }
  if (!SetTrans(kPaletteFile)) {
    DebugLog(Cp932Literal("DDSetTransmit失敗"));
    return false;
  }
  if (system.m_nColorMode != 0) SetProjectTransparency(system);
  return true;
}

int ChooseFrameTiming(const SYSTEMINIDATA& ini, int refreshRate, int fps) {
  if (ini.WindowMode != 0) return 1;
  return ini.VSync == 0 || refreshRate < fps ? 1 : 0;
}

void ApplyProjectFontOptions(Font* fonts, const cSystem& system) {
  fonts[0].m_bUseLetterSheet = 0;
  fonts[1].m_bUseLetterSheet = system.m_nFontOpt;
  fonts[2].m_bUseLetterSheet = 0;
  fonts[1].m_bNoBracketShift = system.m_nFontOpt2;
}

bool LoadStartupBitmapsAndFonts(const SYSTEMINIDATA& ini, const cSystem& system) {
  if (!LoadBmpSurfaces(g_BmpSD, kStartupBitmaps.data(), static_cast<int>(kStartupBitmaps.size()))) return false;
  const std::string& face = FontNameAt(system.m_nFont);
  // The table keeps its cache mode 2 ("from System.ini") for the next start-up.
  std::array<FONTDEF, kFontCount> defs;
  std::copy(std::begin(g_FontDefs), std::end(g_FontDefs), defs.begin());
  for (FONTDEF& def : defs) {
    std::strncpy(def.szFace, face.c_str(), sizeof def.szFace - 1);
    def.szFace[sizeof def.szFace - 1] = '\0';
    if (def.nUseCaches == 2) def.nUseCaches = lpDTCon ? ini.D3D_FontCache : ini.DD_FontCache;
  }
  if (!CreateFonts(g_Fonts, defs.data(), kFontCount)) return false;
  ApplyProjectFontOptions(g_Fonts, system);
  // The strips are colour-keyed like the text they stand in for.
  std::array<BMPFILEDATA, kFontCount> strips;
  for (BMPFILEDATA& entry : strips) entry.bColorKey = 1;
  return CreateNumberSurfaces(g_NumberSD, strips.data(), kFontCount, g_Fonts, defs.data()) != 0;
}

void ReleaseFontsAndDigitStrips() {
  for (Font& font : g_Fonts) font.Release();
  for (DDSURFACEDATA& strip : g_NumberSD) DDReleaseSurface(&strip);
}

int GlyphCacheCount(const Font& font) {
  int count = 0;
  if (font.m_lpFastFont_Half) count += font.m_lpFastFont_Half->Count();
  if (font.m_lpFastFont_FullAdd) count += font.m_lpFastFont_FullAdd->Count();
  return count;
}

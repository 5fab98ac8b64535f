#pragma once
// The graphics part of start-up: the device (a failed Direct3D start falls
// back to DirectDraw once), the palette and the transparent colour, the
// frame timing of DirectDraw, and the start-up bitmaps, fonts and digit
// strips. Each returns false after its log line when start-up must stop.

#include "graphics/text/font.h"
#include "project/system_record.h"
#include "shell/init/system_ini.h"

inline constexpr int kScreenWidth = 640;
inline constexpr int kScreenHeight = 480;

// ini.Direct3D becomes 0 when the Direct3D start fell back.
bool StartGraphicsDevice(SYSTEMINIDATA& ini, int depth);
bool SetUpPaletteAndTransparency(const SYSTEMINIDATA& ini, const cSystem& system, int depth);
// DirectDraw: whether the frame step paces the frames itself (on in a
// window; in full screen when there is no vertical sync or the display runs
// slower than the game).
int ChooseFrameTiming(const SYSTEMINIDATA& ini, int refreshRate, int fps);
// The project's choice for the three fonts just created: only font 1 may lay
// the letter pictures over lowercase letters (m_nFontOpt), and it keeps its
// brackets unshifted when m_nFontOpt2 is set; fonts 0 and 2 draw plain letters.
void ApplyProjectFontOptions(Font* fonts, const cSystem& system);
bool LoadStartupBitmapsAndFonts(const SYSTEMINIDATA& ini, const cSystem& system);
// Fonts and digit strips released (before the device).
void ReleaseFontsAndDigitStrips();
// Characters held in a font's two glyph caches, for the shutdown report.
int GlyphCacheCount(const Font& font);

// Test hook: the next Direct3D starts fail as on a machine without a usable
// Direct3D device.
void SimulateDirect3DStartFailure(bool fail);

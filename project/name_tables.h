#pragma once
// Fixed lists of display names chosen by settings of the project's system
// record. Each list ends with an empty text, as the editor's lists do. Texts are
// CP932 bytes, converted once from the UTF-8 literals of the source.

#include <string>
#include <vector>

// Face names selected by the system record's font index; index 122 is the
// closing empty text.
const std::vector<std::string>& g_FontNames();
// Names of the values of the colour mode, the DirectDraw and Direct3D
// full-screen depths and the drawing preference.
const std::vector<std::string>& g_ColorModeNames();
const std::vector<std::string>& g_DDDepthNames();
const std::vector<std::string>& g_D3DDepthNames();
const std::vector<std::string>& g_DrawPrefNames();

// Names of the kinds of a world-map stage entry ("ワールド", "道", "壁") and of
// what clearing the last stage leads to; the player uses the values only as numbers.
const std::vector<std::string>& g_WorldStageKindNames();
const std::vector<std::string>& g_AfterLastStageNames();

// The font index that a system record without a valid choice uses.
constexpr int kDefaultFontIndex = 60;
constexpr int kFontNameCount = 123;

// The face name of a font index; an index outside the list gives the default
// face instead of reading past it.
const std::string& FontNameAt(int index);

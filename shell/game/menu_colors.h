#pragma once
// The pulsing colours of menu texts. Each frame a menu screen calls
// AnimateMenuColors: in Direct3D mode nine brightness values bounce between
// 0 and 255 and the nine menu colours are rebuilt from them; in an 8-bit
// palette project made before the colours became texts, the palette's eight
// groups of four entries from 208 rotate instead, every sixth frame.

#include <array>
#include <cstdint>

struct MENUCOLOR {
  std::uint32_t dwColor = 0xFFFFFFFF;  // 0xAARRGGBB
  int nStyle = 7;                      // text style of the font drawing it
};

inline constexpr int kMenuColorCount = 9;
extern std::array<MENUCOLOR, kMenuColorCount> g_MenuColors;

void AnimateMenuColors();
// The colours, brightness values and palette cycle back to their start.
void ResetMenuColors();

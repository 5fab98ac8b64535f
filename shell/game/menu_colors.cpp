#include "shell/game/menu_colors.h"

#include "graphics/device/device.h"
#include "graphics/images/palette.h"
#include "project/global_data.h"
#include "shell/game/timers.h"

std::array<MENUCOLOR, kMenuColorCount> g_MenuColors;

namespace {

struct Brightness {
  int value = 0;
  int downward = 0;
};

struct MenuColorState {
  std::array<Brightness, kMenuColorCount> brightness{};
  int cycleChannel = 0;  // the ninth colour: 0 red, 1 green, 2 blue, 3 red + green
  int paletteCalls = 0;
};
MenuColorState g_state;

constexpr int kFirstCycledEntry = 208;
constexpr int kCycledEntries = 32;
constexpr int kGroupLength = 4;
constexpr int kCallsPerPaletteStep = 6;

std::uint32_t Argb(int r, int g, int b) {
  return 0xFF000000u | std::uint32_t(r) << 16 | std::uint32_t(g) << 8 | std::uint32_t(b);
}

std::uint32_t CycledColour(int channel, int v) {
  switch (channel) {
    case 0: return Argb(v, 0, 0);
    case 1: return Argb(0, v, 0);
    case 2: return Argb(0, 0, v);
    default: return Argb(v, v, 0);
  }
}

void AnimateTextColours() {
  const int step = g_System->m_nMenuColorStep;
  std::array<int, kMenuColorCount> v{};
  for (int i = 0; i < kMenuColorCount; ++i) {
    Brightness& b = g_state.brightness[i];
    const int turned = PingPong(&b.value, &b.downward, step, 0, 255);
    if (i == kMenuColorCount - 1 && turned) g_state.cycleChannel = (g_state.cycleChannel + 1) % 4;
    v[i] = b.value;
  }
  const std::array<std::uint32_t, kMenuColorCount> colours = {
      Argb(v[0], v[0], v[0]), Argb(v[1], v[1], v[1]), Argb(v[2], 0, 0),         Argb(0, v[3], 0),
      Argb(0, 0, v[4]),       Argb(v[5], v[5], 0),    Argb(v[6], 0, v[6] / 4), Argb(v[7] / 4, 0, v[7]),
      CycledColour(g_state.cycleChannel, v[8])};
  for (int i = 0; i < kMenuColorCount; ++i) g_MenuColors[i] = {colours[i], i == 1 ? 10 : 7};
}

void CyclePaletteGroups() {
  if (++g_state.paletteCalls < kCallsPerPaletteStep) return;
  g_state.paletteCalls = 0;
  for (int group = kFirstCycledEntry; group < kFirstCycledEntry + kCycledEntries; group += kGroupLength) {
    const PALETTEENTRY first = g_PalEntries[group];
    for (int i = 0; i < kGroupLength - 1; ++i) g_PalEntries[group + i] = g_PalEntries[group + i + 1];
    g_PalEntries[group + kGroupLength - 1] = first;
  }
  DDSetScreenPalette(&g_PalEntries[kFirstCycledEntry], kFirstCycledEntry, kCycledEntries);
}

}  // namespace

void AnimateMenuColors() {
  if (lpDTCon)
    AnimateTextColours();
  else if (g_DDState.nBpp == 8 && g_System->m_nCompat289)
    CyclePaletteGroups();
}

void ResetMenuColors() {
  g_state = MenuColorState{};
  g_MenuColors = {};
}

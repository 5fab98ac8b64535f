#include "stage/draw/chara/graphic_number.h"

#include "graphics/device/device.h"
#include "project/anime_records.h"
#include "project/database.h"
#include "project/global_data.h"
#include "stage/chara/chara.h"
#include "stage/core/stage_rules.h"

namespace {

// Colour operations of a tint: the colour is added to the cell's own, or
// multiplies it (black darkens).
constexpr std::uint32_t kAdd = 7;
constexpr std::uint32_t kModulate = 4;
constexpr int kFourColours = 9;
constexpr int kFramesPerColour = 4;

constexpr std::array<std::array<std::uint32_t, 2>, 9> kTints = {{
    {0xFF000000u, 0},            // none
    {0xFF808080u, kAdd},         // white
    {0xFF404040u, kModulate},    // black
    {0xFFFF0000u, kAdd},         // red
    {0xFF00FF00u, kAdd},         // green
    {0xFF0000FFu, kAdd},         // blue
    {0xFFFFFF00u, kAdd},         // yellow
    {0xFFFF00FFu, kAdd},         // magenta
    {0xFF8000FFu, kAdd},         // violet
}};

// The four-colour tint cycles red, green, blue and yellow.
constexpr std::array<int, 4> kCycle = {3, 4, 5, 6};

const cAnimeSet* AnimeSetOf(const cChara& chara) {
  if (!g_Database.IsStarted()) return nullptr;
  const auto& sets = g_Database->m_vAnimeSet;
  const long long n = chara.baseAnimeSet;
  if (n < 0 || n >= static_cast<long long>(sets.size())) return nullptr;
  return &sets[n];
}

}  // namespace

int GetGraphicNumber(const cChara& chara) {
  long long cell = static_cast<long long>(chara.def.m_nGraphicNo) + chara.def.m_nGraphicOffset;
  if (const cAnimeSet* set = AnimeSetOf(chara)) {
    if (chara.def.m_bBlockChara) cell += set->m_nPatternOffset1;
    if (chara.def.m_nInvincible) cell += set->m_nPatternOffset3;
  }
  return cell < 0 || cell > 0x7FFFFFFF ? -1 : static_cast<int>(cell);
}

CellTint TintOfColour(int index, int frame) {
  if (index == kFourColours) index = kCycle[static_cast<std::size_t>((frame / kFramesPerColour) & 3)];
  if (index <= 0 || index >= static_cast<int>(kTints.size())) return {};
  return {true, kTints[static_cast<std::size_t>(index)]};
}

CellTint GetCellTint(const cChara& chara, int frame) {
  if (lpDTCon == nullptr || !g_StageRules.colourBlending || !chara.def.m_nInvincible) return {};
  return TintOfColour(chara.def.m_nInvincibleColor, frame);
}

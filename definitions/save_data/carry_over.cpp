// The 25 carry-over items: what a hero takes from one stage into the next.
// Most are members of the hero's definition; item 4 comes from values the
// stage runtime passes, items 11 and 12 are the hero's HP and SP, item 23
// the life counter, and items 22 and 24 two settings of the running stage.
#include <array>

#include "definitions/palette/chara_groups.h"
#include "definitions/save_data/save_data.h"
#include "project/global_data.h"

namespace {

enum CarryItem : std::size_t {
  kCarryGraphic = 0,
  kCarryEffect = 4,
  kCarryHp = 11,
  kCarrySp = 12,
  kCarryTimeLimit = 22,
  kCarryLife = 23,
  kCarryBgm = 24,
};

// The property group of the character definition that each item carries
// (the groups of palette inheritance); -1 for the items that are not
// members of the definition, and for item 7, which carries the invincibility
// without its colour.
constexpr std::array<int, cSaveData::kCarryItems> kCarryGroups = {
    9, 10, 11, 12, 13, 16, 17, -1, 20, 21, 22, -1, -1, 23, 24, 25, 26, 27, 29, 30, 31, 36, -1, -1, -1};
constexpr std::size_t kCarryInvincible = 7;

void CopyCarriedMembers(std::size_t item, cEdChara& target, const cEdChara& source) {
  if (item == kCarryInvincible)
    target.m_nInvincible = source.m_nInvincible;
  else
    kCharaGroups[static_cast<std::size_t>(kCarryGroups[item])](target, source);
}

bool IsEnabled(std::size_t item) { return g_System->m_vCarryOverEnable[static_cast<long long>(item)] != 0; }

}  // namespace

void cSaveData::StoreCarryOver(int hero, const cEdChara& chara, std::int32_t hp, std::int32_t sp,
                               std::uint16_t effect, std::uint8_t effectMode, std::uint8_t effectLoop,
                               std::int32_t item22, std::int32_t item23, std::int32_t item24) {
  m_bCarryOver = 1;
  cCarryChara& carried = m_vCarryChara[hero];
  for (std::size_t item = 0; item < kCarryItems; ++item) {
    if (!IsEnabled(item)) continue;
    switch (item) {
      case kCarryEffect:
        carried.m_Chara.m_nBaseEffect = effect;
        carried.m_Chara.m_nBaseEffectMode = effectMode;
        carried.m_Chara.m_bBaseEffectLoop = effectLoop;
        break;
      case kCarryHp:
        carried.m_nHp = hp;
        break;
      case kCarrySp:
        carried.m_nSp = sp;
        break;
      case kCarryTimeLimit:
        carried.m_nCarry22 = item22;
        break;
      case kCarryLife:
        carried.m_nLife = item23;
        break;
      case kCarryBgm:
        carried.m_nCarry24 = item24;
        break;
      default:
        CopyCarriedMembers(item, carried.m_Chara, chara);
        break;
    }
    m_vCarryFlag[static_cast<long long>(item)] = 1;
  }
}

void cSaveData::ApplyCarryOver(int hero, cEdChara& chara, cEdStageSettings& stage) {
  if (!m_bCarryOver) return;
  const cCarryChara& carried = m_vCarryChara[hero];
  for (std::size_t item = 0; item < kCarryItems; ++item) {
    if (item == kCarryHp || item == kCarrySp) continue;
    if (!IsEnabled(item) || m_vCarryFlag[static_cast<long long>(item)] == 0) continue;
    switch (item) {
      case kCarryTimeLimit:
        stage.TimeLimit = carried.m_nCarry22;
        break;
      case kCarryLife:
        m_nLife = carried.m_nLife;
        break;
      case kCarryBgm:
        stage.BgmNumber = carried.m_nCarry24;
        break;
      default:
        CopyCarriedMembers(item, chara, carried.m_Chara);
        break;
    }
    if (item == kCarryGraphic && chara.m_nGraphicNo == 0) chara.m_nGraphicNo = 1;
  }
}

void cSaveData::ApplyCarryOverStatus(int hero, std::int32_t& hp, std::int32_t& sp) {
  if (!m_bCarryOver) return;
  const cCarryChara& carried = m_vCarryChara[hero];
  if (IsEnabled(kCarryHp) && m_vCarryFlag[kCarryHp] != 0) hp = carried.m_nHp;
  if (IsEnabled(kCarrySp) && m_vCarryFlag[kCarrySp] != 0) sp = carried.m_nSp;
}

void cSaveData::ResetCarryOverFlags() {
  const cVector<std::uint8_t>& reset = g_System->m_vCarryOverReset;
  for (std::size_t item = 0; item < reset.size(); ++item)
    if (reset[static_cast<long long>(item)] != 0) m_vCarryFlag[static_cast<long long>(item)] = 0;
}

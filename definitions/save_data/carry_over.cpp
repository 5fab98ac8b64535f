// The 25 carry-over items: what a hero takes from one stage into the next.
// Most are members of the hero's definition; item 4 comes from values the
// stage runtime passes, items 11 and 12 are the hero's HP and SP, item 23
// the life counter, and items 22 and 24 two settings of the running stage.
#include <array>

#include "definitions/palette/palette_inherit.h"
#include "definitions/save_data/save_data.h"
#include "project/global_data.h"

namespace {

using C = cEdChara;

enum CarryItem : std::size_t {
  kCarryGraphic = 0,
  kCarryEffect = 4,
  kCarryHp = 11,
  kCarrySp = 12,
  kCarryTimeLimit = 22,
  kCarryLife = 23,
  kCarryBgm = 24,
};

// Copies of the items that are members of the definition; null for the others.
constexpr std::array<GroupCopy<cEdChara>, cSaveData::kCarryItems> kCarryMembers = {
    /* 0 */
    [](C& t, const C& s) {
      t.m_nGraphicKind = s.m_nGraphicKind;
      t.m_nGraphicNo = s.m_nGraphicNo;
      t.m_nGraphicOffset = s.m_nGraphicOffset;
    },
    /* 1 */ [](C& t, const C& s) { t.m_nAnimeSet = s.m_nAnimeSet; },
    /* 2 */ [](C& t, const C& s) { t.m_nZ = s.m_nZ; },
    /* 3 */ [](C& t, const C& s) { t.m_bTransparent = s.m_bTransparent; },
    /* 4 */
    [](C& t, const C& s) {
      t.m_nBaseEffect = s.m_nBaseEffect;
      t.m_nBaseEffectMode = s.m_nBaseEffectMode;
      t.m_bBaseEffectLoop = s.m_bBaseEffectLoop;
    },
    /* 5 */ [](C& t, const C& s) { t.m_bTurnByCmd = s.m_bTurnByCmd; },
    /* 6 */ [](C& t, const C& s) { t.m_nFlight = s.m_nFlight; },
    /* 7 */ [](C& t, const C& s) { t.m_nInvincible = s.m_nInvincible; },
    /* 8 */ [](C& t, const C& s) { t.m_nSize = s.m_nSize; },
    /* 9 */ [](C& t, const C& s) { t.m_bScrollSync = s.m_bScrollSync; },
    /* 10 */
    [](C& t, const C& s) {
      t.m_nSightShape = s.m_nSightShape;
      t.m_nSight = s.m_nSight;
    },
    /* 11 */ nullptr,
    /* 12 */ nullptr,
    /* 13 */ [](C& t, const C& s) { t.m_nMaxHp = s.m_nMaxHp; },
    /* 14 */ [](C& t, const C& s) { t.m_nMaxSp = s.m_nMaxSp; },
    /* 15 */ [](C& t, const C& s) { t.m_nHitArea = s.m_nHitArea; },
    /* 16 */ [](C& t, const C& s) { t.m_nPower = s.m_nPower; },
    /* 17 */ [](C& t, const C& s) { t.m_nImpact = s.m_nImpact; },
    /* 18 */ [](C& t, const C& s) { t.m_nDefence = s.m_nDefence; },
    /* 19 */ [](C& t, const C& s) { t.m_nImpactResist = s.m_nImpactResist; },
    /* 20 */ [](C& t, const C& s) { t.m_nStop = s.m_nStop; },
    /* 21 */ [](C& t, const C& s) { t.m_vFlows = s.m_vFlows; },
    /* 22 */ nullptr,
    /* 23 */ nullptr,
    /* 24 */ nullptr,
};

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
      case kCarryHp: carried.m_nHp = hp; break;
      case kCarrySp: carried.m_nSp = sp; break;
      case kCarryTimeLimit: carried.m_nCarry22 = item22; break;
      case kCarryLife: carried.m_nLife = item23; break;
      case kCarryBgm: carried.m_nCarry24 = item24; break;
      default: kCarryMembers[item](carried.m_Chara, chara); break;
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
      case kCarryTimeLimit: stage.TimeLimit = carried.m_nCarry22; break;
      case kCarryLife: m_nLife = carried.m_nLife; break;
      case kCarryBgm: stage.BgmNumber = carried.m_nCarry24; break;
      default: kCarryMembers[item](chara, carried.m_Chara); break;
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

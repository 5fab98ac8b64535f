#include "tools/sample_game/stages/cast_records.h"

#include "tools/sample_game/record_bytes.h"

namespace sample_game {

cEdChara CastChara(const char* name, int cell, int animeSet, int hp) {
  cEdChara chara;
  chara.m_strName = Sjis(name);
  chara.m_nGraphicNo = static_cast<std::uint16_t>(cell);
  chara.m_nAnimeSet = static_cast<std::uint16_t>(animeSet);
  chara.m_nMaxHp = hp;
  chara.m_nDeathEffect = 2;  // "破裂"
  return chara;
}

cEdChara CastUntouchableFlyer(const char* name, int cell, int animeSet, int hp) {
  cEdChara chara = CastChara(name, cell, animeSet, hp);
  chara.m_nFlight = 1;
  chara.m_nFaction = 0;
  chara.m_nInvincible = 2;
  return chara;
}

cEdItem CastItem(const char* name, int cell, int sound) {
  cEdItem item;
  item.m_strName = Sjis(name);
  item.m_nGraphicNo = static_cast<std::uint16_t>(cell);
  item.m_nSoundNo = static_cast<std::uint16_t>(sound);
  return item;
}

}  // namespace sample_game

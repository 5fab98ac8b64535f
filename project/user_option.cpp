#include "project/user_option.h"

#include <algorithm>

cUserOption::cUserOption() : m_strName("aaa") {}

void cUserOption::RegisterFields(FieldRegistry& fields, std::uint32_t) {
  fields.AddField4(&m_nPalette);
  fields.AddField4(&m_bMusic);
  fields.AddField4(&m_nSoundVolume);
  fields.AddField4(&m_nRankingMode);
  fields.AddString(&m_strName);
}

void cUserOption::Load(DataReader& in) {
  cRecord::Load(in);
  m_nPalette = std::clamp(m_nPalette, 0, kPaletteCount - 1);
  m_bMusic = std::clamp(m_bMusic, 0, 1);
  m_nSoundVolume = std::clamp(m_nSoundVolume, 0, kMaxSoundVolume);
  m_nRankingMode = std::clamp(m_nRankingMode, 0, kRankingModeCount - 1);
}

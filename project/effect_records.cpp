#include "project/effect_records.h"

#include <algorithm>


namespace {

cIntPair DefaultEffectFrame() {
  cIntPair frame;
  frame.nSecond = 1;
  return frame;
}

}  // namespace

void cIntPair::RegisterFields(FieldRegistry& fields, std::uint32_t) {
  fields.AddField4(&nFirst);
  fields.AddField4(&nSecond);
}

cEffect::cEffect() : m_vFrames(1, DefaultEffectFrame()) {}

void cEffect::RegisterFields(FieldRegistry& fields, std::uint32_t version) {
  cFileEntryRecord::RegisterFields(fields, version);
  fields.AddField4(&m_nCellWidth);
  fields.AddField4(&m_nCellHeight);
  fields.AddField4(&m_nValue);
}

void cEffect::Load(DataReader& in) {
  cFileEntryRecord::Load(in);
  ReadRecordList(in, m_vFrames, DefaultEffectFrame());
  // Cell sizes place and size every drawn frame; a zero or negative size
  // would draw nothing or read outside the bitmap.
  m_nCellWidth = std::max(m_nCellWidth, 1);
  m_nCellHeight = std::max(m_nCellHeight, 1);
}

void cEffect::Save(DataWriter& out) {
  cRecord::Save(out);
  WriteRecordList(out, m_vFrames);
}

void cEffect::SetDefaults() {
  Clear();
  m_nCellWidth = 32;
  m_nCellHeight = 32;
  m_vFrames.assign(1, DefaultEffectFrame());
}

void cEffectKindRecord::RegisterFields(FieldRegistry& fields, std::uint32_t) {
  fields.AddField4(&m_nKind);
  fields.AddField4(m_anParam.data(), static_cast<std::uint32_t>(m_anParam.size()));
  fields.AddString(&m_strName);
}

void cEffectKindRecord::FillOldParam(std::uint32_t version, std::int32_t kind, std::size_t param,
                                     const EffectParamRow& defaults) {
  if (version < kParamDefaultsBelow && m_nKind == kind) m_anParam[param] = defaults[param];
}

void cCharaEffect::Load(DataReader& in) {
  cRecord::Load(in);
  const std::uint32_t version = in.Version();
  FillOldParam(version, 4, 4, g_CharaEffectParamDefaults[4]);
  FillOldParam(version, 5, 4, g_CharaEffectParamDefaults[5]);
  FillOldParam(version, 10, 3, g_CharaEffectParamDefaults[10]);
}

void cScrEffect::Load(DataReader& in) {
  cRecord::Load(in);
  const std::uint32_t version = in.Version();
  FillOldParam(version, 6, 4, g_ScrEffectParamDefaults[6]);
  FillOldParam(version, 7, 4, g_ScrEffectParamDefaults[7]);
  FillOldParam(version, 10, 3, g_ScrEffectParamDefaults[10]);
}

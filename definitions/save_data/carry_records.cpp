#include "definitions/save_data/carry_records.h"

namespace {
constexpr std::uint32_t kStageKeysSince = 759;
}  // namespace

void cCarryChara::RegisterFields(FieldRegistry& fields, std::uint32_t) {
  for (std::int32_t* value : {&m_nHp, &m_nSp, &m_nCarry22, &m_nLife, &m_nCarry24}) fields.AddField4(value);
}

void cCarryChara::Load(DataReader& in) {
  cRecord::Load(in);
  m_Chara.Load(in);
}

void cCarryChara::Save(DataWriter& out) {
  cRecord::Save(out);
  m_Chara.Save(out);
}

void cStageEntry::RegisterFields(FieldRegistry& fields, std::uint32_t version) {
  fields.AddString(&m_strStage);
  if (version >= kStageKeysSince) {
    fields.AddString(&m_strKey);
    fields.AddField4(&m_nCode1);
    fields.AddField4(&m_nCode2);
    fields.AddField4(&m_nCode3);
  }
  fields.AddField4(&m_nValue);
}

void cStageEntry::Load(DataReader& in) {
  cRecord::Load(in);
  if (in.Version() >= kStageKeysSince) return;
  m_strKey = m_strStage;
  m_nCode1 = 0;
}

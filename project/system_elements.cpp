#include "project/system_elements.h"

void cGaugeEntry::RegisterFields(FieldRegistry& fields, std::uint32_t version) {
  fields.AddField4(&m_bShow);
  fields.AddField4(&m_bIcon);
  fields.AddString(&m_strText);
  fields.AddField4(&m_nDigits);
  if (version >= 204) fields.AddField4(&m_bGaugeNumber);
  if (version >= 587) {
    fields.AddField4(&m_nThreshold);
    fields.AddField4(&m_bThresholdPercent);
  }
}

void cGaugeEntry::Load(DataReader& in) {
  cRecord::Load(in);
  if (in.Version() < 204) m_bGaugeNumber = 1;
}

cRankingSetting::cRankingSetting() : m_vGenre(kGenres, 0) {}

void cRankingSetting::RegisterFields(FieldRegistry& fields, std::uint32_t) { fields.AddField4(&m_bOn); }

void cRankingSetting::Load(DataReader& in) {
  cRecord::Load(in);
  const std::int32_t count = in.ReadCount(1);
  if (count < 1) return;
  cVector<std::uint8_t> genres(m_vGenre);
  genres.resize(static_cast<std::size_t>(count), 0);
  if (in.ReadArray(genres.data(), genres.size())) m_vGenre = std::move(genres);
}

void cRankingSetting::Save(DataWriter& out) {
  cRecord::Save(out);
  out.WriteCount(m_vGenre.size());
  out.WriteArray(m_vGenre.data(), m_vGenre.size());
}

void cOptionEntry::RegisterFields(FieldRegistry& fields, std::uint32_t) {
  fields.AddField4(&m_nType);
  fields.AddString(&m_strKey);
  fields.AddField4(&m_nValue);
  fields.AddString(&m_strValue);
}

void cOptionEntry::SetNumber(std::string_view key, std::int32_t value) {
  m_nType = kNumber;
  m_strKey = key;
  m_nValue = value;
}

void cOptionEntry::SetText(std::string_view key, std::string_view text) {
  m_nType = kText;
  m_strKey = key;
  m_strValue = text;
}

void cCmdItem::RegisterFields(FieldRegistry& fields, std::uint32_t) {
  fields.AddField4(&m_bVisible);
  fields.AddString(&m_strName);
}

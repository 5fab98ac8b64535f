#include "project/sprite_records.h"

#include <algorithm>

namespace {

cSwordTypeEntry DefaultSwordEntry() {
  cSwordTypeEntry entry;
  entry.nEntryTime = 1;
  return entry;
}

}  // namespace

void cBmpCharaExc::RegisterFields(FieldRegistry& fields, std::uint32_t version) {
  if (version >= 152) fields.AddField4(&m_nFileParam);
  if (version >= 172) {
    fields.AddField4(&m_nBigCell);
    fields.AddField4(&m_nCellScale);
  }
  fields.AddString(&m_strName);
  fields.AddString(&m_strFile);
}

void cBmpCharaExc::Load(DataReader& in) {
  cRecord::Load(in);
  if (in.Version() < kFileParamResetBelow) m_nFileParam = 0;
  // The scale divides the cells per row and sizes the cells: keep it usable.
  m_nCellScale = std::clamp(m_nCellScale, kMinCellScale, kMaxCellScale);
}

int cBmpCharaExc::CellSize() const {
  constexpr int kCell = 32;
  return m_nBigCell ? kCell * std::clamp(m_nCellScale, kMinCellScale, kMaxCellScale) : kCell;
}

void cSwordTypeEntry::RegisterFields(FieldRegistry& fields, std::uint32_t version) {
  fields.AddField4(&nValue1);
  fields.AddField4(&nValue2);
  if (version >= 138) {
    fields.AddField4(&nValue3);
    fields.AddField4(&nValue4);
  }
  fields.AddField4(&nValue5);
  fields.AddField4(&nSrcX);
  fields.AddField4(&nSrcY);
  fields.AddField4(&nWidth);
  fields.AddField4(&nHeight);
  fields.AddField4(&nEntryTime);
}

cSwordType::cSwordType() : m_vEntries(1, DefaultSwordEntry()) {}

void cSwordType::RegisterFields(FieldRegistry& fields, std::uint32_t version) {
  cFileEntryRecord::RegisterFields(fields, version);
  fields.AddString(&m_strFile2);
}

void cSwordType::Load(DataReader& in) {
  cFileEntryRecord::Load(in);
  ReadRecordList(in, m_vEntries, cSwordTypeEntry());
  // A new sword takes its judgement rectangles from entry 0.
  if (m_vEntries.empty()) m_vEntries.push_back(DefaultSwordEntry());
}

void cSwordType::Save(DataWriter& out) {
  cRecord::Save(out);
  WriteRecordList(out, m_vEntries);
}

void cSwordType::SetDefaults() {
  Clear();
  m_vEntries.assign(1, DefaultSwordEntry());
}

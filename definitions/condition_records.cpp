#include "definitions/condition_records.h"

#include "definitions/cleared_record.h"

namespace {

constexpr std::uint32_t kRandomRangeSince = 110;
constexpr std::uint32_t kPercentSince = 43;
constexpr std::uint32_t kListConditionsSince = 766;

// Status indexes inserted into the character statuses move the stored ones up.
void ShiftStatusItems(cCond& cond, int threshold) {
  if (cond.m_nLeftKind == 0 && cond.m_nLeftObject != 2 && cond.m_nLeftItem >= threshold) ++cond.m_nLeftItem;
  if (cond.m_nRightSource == kSourceStatus && cond.m_nRightObject != 2 && cond.m_nRightItem >= threshold)
    ++cond.m_nRightItem;
}

}  // namespace

void cCond::RegisterFields(FieldRegistry& fields, std::uint32_t version) {
  fields.AddField1(&m_nKind);
  fields.AddField4(&m_nValue);
  if (version >= kRandomRangeSince) {
    fields.AddField4(&m_nRandLow);
    fields.AddField4(&m_nRandHigh);
    fields.AddField1(&m_nLeftObject);
    fields.AddField1(&m_nLeftItem);
    fields.AddField1(&m_nLeftKind);
    fields.AddField1(&m_nLeftClass);
    fields.AddField2(&m_nLeftIndex);
    fields.AddField1(&m_nRightSource);
    fields.AddField1(&m_nRightObject);
    fields.AddField1(&m_nRightItem);
    fields.AddField1(&m_nRightClass);
    fields.AddField2(&m_nRightIndex);
  } else {
    fields.AddField2(&m_anDropped[0]);
    fields.AddField2(&m_anDropped[1]);
  }
  fields.AddField1(&m_nCompare);
  if (version >= kPercentSince) fields.AddField1(&m_bPercent);
  fields.AddField1(&m_nLast);
}

void cCond::Load(DataReader& in) {
  cRecord::Load(in);
  Upgrade(in.Version());
}

void cCond::Upgrade(std::uint32_t version) {
  // Kinds 5 and 6 were inserted before the distance condition.
  if (version < 160 && m_nKind >= 5) m_nKind = static_cast<std::uint8_t>(m_nKind + 2);
  // The third state condition's state 2 once tested the opposite.
  if (version < 161 && m_nKind == kCondStatus3 && m_nLeftItem == 2) m_nCompare ^= 1;
  if (version < 168 && m_nKind == kCondStatus) ShiftStatusItems(*this, 10);
  if (version < 203 && m_nKind == kCondStatus) ShiftStatusItems(*this, 5);
  if (version < 210 && m_nKind == kCondStatus2 && m_nLeftObject != 2 && m_nLeftItem >= 6) ++m_nLeftItem;
  if (m_nKind == kCondDistance) {
    if (version < 657) m_nLeftObject = 0;
    if (version < 745) m_nLeftKind = 0;
    if (version < 746) {
      m_nRightSource = kSourceRandom;
      m_nRightObject = 1;
    }
  }
  // Targets 2 to 4 were inserted before the system object.
  if (version < 767 && (m_nKind == kCondStatus || m_nKind == kCondStatus2)) {
    if (m_nLeftObject >= 2) m_nLeftObject = static_cast<std::uint8_t>(m_nLeftObject + 3);
    if (m_nRightObject >= 2) m_nRightObject = static_cast<std::uint8_t>(m_nRightObject + 3);
  }
}

void cCondList::RegisterFields(FieldRegistry& fields, std::uint32_t) {
  fields.AddField1(&m_bUse);
  fields.AddField1(&m_nMode);
}

void cCondList::Load(DataReader& in) {
  cRecord::Load(in);
  if (in.Version() >= kListConditionsSince) ReadCondList(in, m_vConds);
}

void cCondList::Save(DataWriter& out) {
  cRecord::Save(out);
  WriteCondList(out, m_vConds);
}

void ReadCondList(DataReader& in, cVector<cCond>& conds) { ReadRecordList(in, conds, ClearedRecord<cCond>()); }

void WriteCondList(DataWriter& out, cVector<cCond>& conds) { WriteRecordList(out, conds); }

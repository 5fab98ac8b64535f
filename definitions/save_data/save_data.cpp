#include "definitions/save_data/save_data.h"

#include <algorithm>

#include "foundation/wrapping_math.h"
#include "project/global_data.h"

cSaveData g_SaveData;
cSaveData g_ReplaySaveData;
cSaveData g_ReplaySaveDataPrev;

namespace {

constexpr std::uint32_t kCarryFlagsSince = 501;

// An int list as stored: i32 count, then the ints. A count of 0 or less
// keeps the list; a stored list shorter than `minimum` is padded with 0, so
// every index a new game has stays valid.
void ReadIntList(DataReader& in, cVector<std::int32_t>& list, std::size_t minimum) {
  const std::int32_t count = in.ReadCount(sizeof(std::int32_t));
  if (count <= 0 || !in.ok()) return;
  list.resize(static_cast<std::size_t>(count), 0);
  in.ReadArray(list.data(), list.size());
  if (list.size() < minimum) list.resize(minimum, 0);
}

void WriteIntList(DataWriter& out, const cVector<std::int32_t>& list) {
  out.WriteCount(list.size());
  out.WriteArray(list.data(), list.size());
}

template <typename Record>
Record ClearedRecord() {
  Record record;
  record.Clear();
  return record;
}

}  // namespace

void cSaveData::RegisterFields(FieldRegistry& fields, std::uint32_t version) {
  fields.AddField4(&m_bCarryOver);
  fields.AddField4(&m_nMapX);
  fields.AddField4(&m_nMapY);
  fields.AddField4(&m_nMapStageSlot);
  fields.AddField4(&m_nRound);
  if (version >= 758) {
    fields.AddField4(&m_nStageCode1);
    fields.AddField4(&m_nStageCode2);
    fields.AddField4(&m_nStageCode3);
  }
  for (std::int32_t* value : {&m_nSeries, &m_nSeriesStage, &m_nLifeStart, &m_nLife, &m_nScore, &m_nStageValue,
                              &m_nStageValueTotal, &m_nResult1, &m_nResult2})
    fields.AddField4(value);
  if (version >= 182) {
    fields.AddField4(&m_nResult3);
    fields.AddField4(&m_nResult4);
  }
  fields.AddField4(&m_bSeriesStart);
  fields.AddField4(&m_nStageState1);
  if (version >= 166) fields.AddField4(&m_nStageState2);
  if (version >= 194) fields.AddField4(&m_nMapState1);
  if (version >= 190) fields.AddField4(&m_bBackToMap);
  if (version >= 191) {
    fields.AddField4(&m_nMapState3);
    fields.AddField4(&m_nMapState4);
  }
  fields.AddField4(&m_nPairIndex);
  fields.AddField4(&m_nSlot);
  if (version >= 169) fields.AddField4(&m_bAutoSave);
  fields.AddField4(&m_bShowRanking);
  fields.AddField4(&m_nRankingGenre);
  if (version >= 678) {
    fields.AddField4(&m_nClearValue1);
    fields.AddField4(&m_nClearValue2);
    fields.AddField4(&m_nClearValue3);
  }
  if (version >= 679) fields.AddField4(&m_nClearValue4);
  fields.AddString(&m_strStage);
  if (version >= 724) fields.AddString(&m_strStageKey);
  fields.AddString(&m_strName);
}

void cSaveData::Load(DataReader& in) {
  const std::uint32_t version = in.Version();
  cRecord::Load(in);
  m_nMapStageSlot = 0;
  in.ReadBytes(&m_SaveTime, sizeof m_SaveTime);
  if (version >= kCarryFlagsSince) ReadIntList(in, m_vCarryFlag, kCarryItems);
  ReadRecordList(in, m_vCarryChara, ClearedRecord<cCarryChara>());
  ReadRecordList(in, m_vStageEntry, ClearedRecord<cStageEntry>());
  ReadRecordList(in, m_vPair, ClearedRecord<cIntPair>());
  ReadIntList(in, m_vSwitch, kSwitches);
  ReadIntList(in, m_vVar, kVariables);
  if (!in.ok()) return;
  if (version < kProgramDataVersion) FixUpOldVersion(version);
  FitToProject();
}

void cSaveData::FixUpOldVersion(std::uint32_t version) {
  if (version < 166) m_nStageState2 = 1;
  if (version < 169) m_bAutoSave = 0;
  if (version < 182) {
    m_nResult3 = 0;
    m_nResult4 = 0;
  }
  if (version < 190) m_bBackToMap = 0;
  if (version < 191) {
    m_nMapState3 = 0;
    m_nMapState4 = 0;
  }
  if (version < 194) m_nMapState1 = 0;
  if (version < kCarryFlagsSince) m_vCarryFlag.assign(kCarryItems, 1);
  if (version < 804) m_vSwitch[0] = 1;
}

void cSaveData::Save(DataWriter& out) {
  FitToProject();
  m_nMapStageSlot = 0;
  cRecord::Save(out);
  out.WriteBytes(&m_SaveTime, sizeof m_SaveTime);
  WriteIntList(out, m_vCarryFlag);
  WriteRecordList(out, m_vCarryChara);
  WriteRecordList(out, m_vStageEntry);
  WriteRecordList(out, m_vPair);
  WriteIntList(out, m_vSwitch);
  WriteIntList(out, m_vVar);
}

void cSaveData::Reset() {
  Clear();
  m_pMapStage = nullptr;
  m_vCarryFlag.assign(kCarryItems, 0);
  m_vCarryChara.assign(1, ClearedRecord<cCarryChara>());
  m_vSwitch.assign(kSwitches, 0);
  m_vSwitch[0] = 1;
  m_vVar.assign(kVariables, 0);
  m_vStageEntry.clear();
  m_vPair.clear();
  m_nPairIndex = 1;
  m_nSlot = -1;
  m_strName = "aaa";
}

void cSaveData::FitToProject() {
  const cWorldMap& map = *g_WorldMap;
  if (m_nMapX >= map.m_nWidth) m_nMapX = map.m_nStartX;
  if (m_nMapY >= map.m_nHeight) m_nMapY = map.m_nStartY;
  const std::int32_t pairs = std::max(g_System->m_nPairCount, 0);
  m_vPair.resize(static_cast<std::size_t>(pairs), ClearedRecord<cIntPair>());
  if (m_nPairIndex > pairs) m_nPairIndex = pairs;
}

void cSaveData::SetStageValue(std::string_view name, std::string_view key, std::int32_t code1,
                              std::int32_t code2, std::int32_t code3, std::int32_t value) {
  for (cStageEntry& entry : m_vStageEntry) {
    if (entry.m_strKey != key) continue;
    if (value > entry.m_nValue) {
      m_nStageValueTotal = WrapAdd(m_nStageValueTotal, WrapSubtract(value, entry.m_nValue));
      entry.m_nValue = value;
    }
    return;
  }
  cStageEntry& entry = m_vStageEntry.emplace_back(ClearedRecord<cStageEntry>());
  entry.m_strStage = name;
  entry.m_strKey = key;
  entry.m_nCode1 = code1;
  entry.m_nCode2 = code2;
  entry.m_nCode3 = code3;
  entry.m_nValue = value;
  m_nStageValueTotal = WrapAdd(m_nStageValueTotal, value);
}

std::int32_t cSaveData::GetStageValue(std::string_view key) const {
  for (const cStageEntry& entry : m_vStageEntry)
    if (entry.m_strKey == key) return entry.m_nValue;
  return 0;
}

void cSaveData::SumWorldStageValues() {
  m_nStageValueTotal = 0;
  for (const cStageEntry& entry : m_vStageEntry)
    if (g_WorldMap->HasStage(entry.m_strStage, entry.m_nCode1, entry.m_nCode2, entry.m_nCode3))
      m_nStageValueTotal = WrapAdd(m_nStageValueTotal, entry.m_nValue);
}

void cSaveData::SaveStageStart() {
  m_vVarSnapshot = m_vVar;
  m_nLifeSnapshot = m_nLife;
  m_nStageValueSnapshot = m_nStageValue;
  m_bSnapshotTaken = true;
}

std::int32_t cSaveData::RestoreStageStart(int full, int playMode, int directStage) {
  if (!m_bSnapshotTaken) return m_nStageValue;
  bool restoreVars = true;
  if (!full) {
    const cSystem& system = *g_System;
    if (directStage)
      restoreVars = system.m_bRetryVarsStageFile != 0;
    else if (playMode == 0)
      restoreVars = system.m_bRetryVarsStory != 0;
    else if (playMode == 1)
      restoreVars = system.m_bRetryVarsChallenge != 0;
    else if (playMode == 2)
      restoreVars = system.m_bRetryVarsFree != 0;
  }
  if (restoreVars) m_vVar = m_vVarSnapshot;
  m_nStageValue = m_nStageValueSnapshot;
  if (full) m_nLife = m_nLifeSnapshot;
  return m_nStageValue;
}

void cSaveData::StartNextRound() {
  ++m_nRound;
  std::fill(m_vSwitch.begin(), m_vSwitch.end(), 0);
  if (!m_vSwitch.empty()) m_vSwitch[0] = 1;
  m_nMapX = g_WorldMap->m_nStartX;
  m_nMapY = g_WorldMap->m_nStartY;
}

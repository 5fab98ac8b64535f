#include "definitions/flow_record.h"

#include <algorithm>

#include "definitions/cleared_record.h"
#include "foundation/run_mode.h"
#include "project/global_data.h"

namespace {

constexpr std::uint32_t kMemoSince = 676;
constexpr std::uint32_t kTakeOtherSince = 762;
constexpr std::uint32_t kTargetSlotSince = 767;

}  // namespace

void cKeyStep::RegisterFields(FieldRegistry& fields, std::uint32_t) {
  fields.AddField1(&m_bFacingRelative);
  fields.AddField2(&m_nTime1);
  fields.AddField2(&m_nTime2);
  fields.AddField1(&m_bAnyHold);
  fields.AddField1(&m_nCombination);
}

void cKeyStep::Load(DataReader& in) {
  cRecord::Load(in);
  const std::int32_t count = in.ReadCount(1);
  if (count < 0) in.Fail("negative key count");
  if (!in.ok()) return;
  m_vKeys.assign(static_cast<std::size_t>(count), kKeyAny);
  in.ReadArray(m_vKeys.data(), m_vKeys.size());
  m_vKeys.resize(kKeyCount, kKeyAny);
}

void cKeyStep::Save(DataWriter& out) {
  cRecord::Save(out);
  out.WriteCount(m_vKeys.size());
  out.WriteArray(m_vKeys.data(), m_vKeys.size());
}

void cKeyStep::SetDefaults() {
  Clear();
  m_vKeys.assign(kKeyCount, kKeyAny);
}

void cEdFlow::RegisterFields(FieldRegistry& fields, std::uint32_t version) {
  if (version >= kMemoSince) fields.AddString(&m_strMemo);
  fields.AddField1(&m_nId);
  fields.AddField1(&m_nFlag);
  fields.AddField1(&m_bTestPlay);
  fields.AddField1(&m_nCondMode);
  fields.AddField1(&m_bCondOnce);
  fields.AddField1(&m_nTrigger);
  if (version >= kTakeOtherSince) fields.AddField1(&m_bTakeOther);
  if (version >= kTargetSlotSince) fields.AddField1(&m_nTargetSlot);
  fields.AddField1(&m_nKeyGap);
  fields.AddField1(&m_bKeyHold);
}

void cEdFlow::Load(DataReader& in) {
  cRecord::Load(in);
  ReadCondList(in, m_vConds);
  ReadRecordList(in, m_vKeySteps, ClearedRecord<cKeyStep>());
  ReadRecordList(in, m_vCmds, ClearedRecord<cEdCmd>());
  if (!in.ok()) return;
  Upgrade(in.Version());
  m_strMemo.clear();
}

void cEdFlow::Upgrade(std::uint32_t version) {
  if (version <= 131 && m_nTrigger >= 11) ++m_nTrigger;
  if (version < 163 && m_nTrigger != kTriggerAlways) m_nFlag = 0;
  if (version < 164 && m_nTrigger >= 5) m_nTrigger = static_cast<std::uint8_t>(m_nTrigger + 2);
  if (version < 762 && m_nTrigger >= 18) m_nTrigger = static_cast<std::uint8_t>(m_nTrigger + 3);
}

void cEdFlow::Save(DataWriter& out) {
  Validate();
  cRecord::Save(out);
  WriteCondList(out, m_vConds);
  WriteRecordList(out, m_vKeySteps);
  WriteRecordList(out, m_vCmds);
}

void cEdFlow::Validate() {
  for (cEdCmd& command : m_vCmds) command.Validate();
}

bool KeepTestPlayFlows() { return g_bFromEditor != 0 || (g_System.IsStarted() && g_System->m_nSetting113 != 0); }

void DropTestPlayFlows(cVector<cEdFlow>& flows) {
  if (KeepTestPlayFlows()) return;
  std::erase_if(flows, [](const cEdFlow& flow) { return flow.m_bTestPlay != 0; });
}

void ReadFlowList(DataReader& in, cVector<cEdFlow>& flows) { ReadRecordList(in, flows, ClearedRecord<cEdFlow>()); }

#include "screens/worldmap/world_stage_rules.h"

#include "definitions/compare_ops.h"
#include "definitions/save_data/save_data.h"
#include "foundation/log.h"

namespace {

// A switch or variable past the save data's lists reads as not holding (a
// report line says which, once: the map tests its points on every frame);
// the lists' sizes are fixed, so only damaged or foreign data names one.
bool ReadEntry(const cVector<std::int32_t>& list, int index, const char* what, std::int32_t& value) {
  if (index < 0 || index >= static_cast<int>(list.size())) {
    ReportAndLogOnce("world map: %s %d is outside the save data (%d)", what, index, static_cast<int>(list.size()));
    return false;
  }
  value = list[index];
  return true;
}

bool ConditionsHold(const cWorldStage& stage, const cSaveData& data) {
  std::int32_t value = 0;
  if (stage.m_nSwitch >= 1 && (!ReadEntry(data.m_vSwitch, stage.m_nSwitch, "switch", value) || value == 0))
    return false;
  if (stage.m_nVar != 0 &&
      (!ReadEntry(data.m_vVar, stage.m_nVar, "variable", value) || !CompareByOp(stage.m_nCompare, value, stage.m_nVarValue)))
    return false;
  return RequiredScoreOf(stage) <= data.m_nStageValueTotal;
}

}  // namespace

const cWorldStage* ChoosePointStage(const cWorldPoint* point, const cSaveData& data) {
  if (!point) return nullptr;
  for (const cWorldStage& stage : point->m_vStage)
    if (ConditionsHold(stage, data)) return &stage;
  return nullptr;
}

bool IsStageCleared(const cWorldStage& stage, const cSaveData& data) {
  const int clearSwitch = ClearSwitchOf(stage);
  return clearSwitch >= 0 && clearSwitch < static_cast<int>(data.m_vSwitch.size()) && data.m_vSwitch[clearSwitch] != 0;
}

bool IsStageOpen(const cWorldStage& stage, const cSaveData& data) {
  return AlwaysOpenOf(stage) != 0 || IsStageCleared(stage, data);
}

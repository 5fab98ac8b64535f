#include "commands/binding/param_binding.h"

#include <algorithm>
#include <optional>

#include "commands/binding/param_access.h"
#include "stage/core/data_index.h"
#include "commands/status/variables.h"
#include "definitions/command_record.h"
#include "definitions/compare_ops.h"
#include "definitions/param_table.h"
#include "definitions/shot_param_grids.h"
#include "project/database.h"
#include "project/global_data.h"
#include "stage/chara/chara.h"

namespace {

struct Range {
  std::int32_t min = 0;
  std::int32_t max = 0;
};

// The formation value position (0..2) of a parameter index, or -1.
int FormationPosition(int kind, int index) {
  int first = -1;
  switch (kind) {
    case kCmdShot: case kCmdSummonChara: first = 2; break;
    case kCmdSummonBlock: first = 0; break;
    case kCmdSummonItem: first = 1; break;
    default: return -1;
  }
  return index >= first && index < first + kSpecificParamCount ? index - first : -1;
}

Range GridRange(const PARAMSPEC& entry) {
  return {static_cast<std::int16_t>(entry.nMin), static_cast<std::int16_t>(entry.nMax)};
}

std::optional<Range> RangeOf(cEdCmd& command, int kind, int index) {
  if (command.m_Shot.get() != nullptr) {
    const cEdShot& shot = *command.m_Shot;
    const int formation = FormationPosition(kind, index);
    if (formation >= 0) return GridRange(FormationParamSpec(shot.m_nFormation, formation));
    if (kind == kCmdShot && index >= 15 && index < 18) return GridRange(ShotMoveParamSpec(shot.m_nMoveKind, index - 15));
  }
  if (!DataIndexOk(kind, g_ParamTable.size(), 16)) return std::nullopt;
  ParamRangeList& list = g_ParamTable[kind];
  if (!DataIndexOk(index, list.size(), PARAMRANGE::kLoggedSize)) return std::nullopt;
  return Range{list[index].nMin, list[index].nMax};
}

bool UsesCharaBitmaps(const cEdCmd& command) {
  return command.m_nKind == kCmdChangeGraphic && !command.m_vParams.empty() && command.m_vParams[0] == 4;
}

}  // namespace

cArrange ArrangeOf(const cEdCmd& command) {
  return {command.ParamOrZero(0), command.ParamOrZero(1), command.ParamOrZero(2), command.ParamOrZero(3),
          command.ParamOrZero(4)};
}

void ApplyParamBind(cEdCmd& command, const cArrange& binding, cChara& chara) {
  int kind = command.m_nKind;
  if (command.m_nFamily == kFamilyItem) kind += kItemKindOffset;
  if (binding.kind != kind || !IsBindableKind(kind)) return;
  const ParamRef param = ParamAt(command, kind, binding.param);
  const std::optional<std::int32_t> variable = BindingVariable(binding.source, binding.index, chara);
  if (!variable) return;
  const std::optional<Range> range = RangeOf(command, kind, binding.param);
  if (!range) return;
  // The combination clamps to the range; a range written upside down in a
  // table still clamps as its two ends say.
  std::int32_t value = CombineByOp(binding.op, param.Get(), *variable, range->min, range->max);
  if (kind == kCmdChangeGraphic && binding.param == 0 && UsesCharaBitmaps(command)) {
    const auto& bitmaps = g_Database->m_vBmpCharaExc;
    if (bitmaps.empty() || value >= static_cast<std::int64_t>(bitmaps.size())) value = 1;
  }
  param.Set(value);
}

void ApplyArrangeList(cEdCmd& command, cChara& chara, std::vector<cArrange>& queue) {
  for (const cArrange& binding : queue) ApplyParamBind(command, binding, chara);
  queue.clear();
}

void ApplyFlowArrange(cEdCmd& command, cChara& chara, cFlowState* flow) {
  if (flow != nullptr) ApplyArrangeList(command, chara, flow->arranges);
}

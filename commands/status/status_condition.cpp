#include "commands/status/status_condition.h"

#include <algorithm>
#include <cstdint>

#include "commands/status/status_table.h"
#include "commands/status/status_value.h"
#include "commands/status/variables.h"
#include "definitions/compare_ops.h"
#include "definitions/condition_records.h"
#include "stage/chara/chara.h"

namespace {

// The statuses whose compared value is kept inside their range.
bool ClampsComparedValue(int status) {
  switch (status) {
    case kStatusHp: case kStatusSp: case kStatusCharaId: case kStatusZ: case kStatusMark: case kStatusSight:
      return true;
    default: return false;
  }
}

int TestCharaStatus(const cCond& cond, cChara& owner, std::int32_t b) {
  const int status = cond.m_nLeftItem;
  if (status >= kCharaStatusCount) return 1;
  const ParamRef ref = CharaStatusRef(owner, status, cond.m_nLeftIndex);
  if (ref.IsNone()) return 0;
  if (cond.m_bPercent) {
    std::int32_t base = 0;
    if (status == kStatusHp) base = owner.def.m_nMaxHp;
    else if (status == kStatusSp) base = owner.def.m_nMaxSp;
    b = PercentRounded(b, base);
  }
  if (ClampsComparedValue(status)) {
    const StatusRange range = CharaStatusRange(status);
    b = std::clamp(b, range.min, range.max);
  }
  return CompareByOp(cond.m_nCompare, ref.Get(), InStatusWidth(status, b)) ? 1 : 0;
}

int TestSystemStatus(const cCond& cond, std::int32_t b) {
  const int status = cond.m_nLeftItem;
  if (status >= kSystemStatusCount) return 0;
  const std::int32_t a = status == kSystemTime ? StoredSystemStatus(status) : ReadSystemStatus(status);
  if (cond.m_bPercent) {
    const StatusRange range = SystemStatusRange(status);
    b = std::clamp(0, range.min, range.max);
  }
  return CompareByOp(cond.m_nCompare, a, b) ? 1 : 0;
}

}  // namespace

int TestStatusCondition(cCond& cond, cChara& self) {
  const StatusOperand operand{cond.m_nRightSource, cond.m_nValue, cond.m_nRandLow, cond.m_nRandHigh,
                             cond.m_nRightObject, cond.m_nRightItem, cond.m_nRightClass, cond.m_nRightIndex};
  const std::optional<std::int32_t> value = ReadStatusValue(operand, self);
  if (!value) return 0;
  std::int32_t b = *value;
  cond.m_nValue = b;
  if (cond.m_nLeftKind == 1) {
    const std::int32_t* variable = GlobalVariable(cond.m_nLeftClass, cond.m_nLeftIndex);
    if (variable == nullptr) return 0;
    if (cond.m_bPercent) b = 0;
    return CompareByOp(cond.m_nCompare, *variable, b) ? 1 : 0;
  }
  if (cond.m_nLeftKind != 0) return 0;
  if (cond.m_nLeftObject == kWhoseSystem) return TestSystemStatus(cond, b);
  cChara* owner = WhoseChara(self, cond.m_nLeftObject);
  if (owner == nullptr) return 0;
  return TestCharaStatus(cond, *owner, b);
}

#include "commands/status/status_operation.h"

#include <algorithm>
#include <cstdint>

#include "commands/status/status_table.h"
#include "commands/status/status_value.h"
#include "commands/status/variables.h"
#include "definitions/command_record.h"
#include "definitions/compare_ops.h"
#include "stage/chara/chara.h"
#include "stage/draw/resources/view_mask.h"
#include "stage/scene/stage_scene.h"

namespace {

constexpr int kParamCount = 18;
constexpr std::int32_t kBig = 999999;

enum HpBase : int { kHpPlain = 0, kHpOfMax = 1, kHpOfCurrent = 2 };

struct Operation {
  std::int32_t p[kParamCount] = {};
  int op() const { return p[5]; }
  bool percent() const { return p[14] != 0; }
};

// v, or with the percent switch base x v %.
std::int32_t Operand(const Operation& o, std::int32_t base, std::int32_t v) {
  return o.percent() ? PercentRounded(base, v) : v;
}

// A character other than the acting one whose HP ran out is looked at by
// the scene's death check.
void FlagDeathCheck(cChara& target, cChara& self) {
  if (&target == &self || target.hp >= 1) return;
  if (cStageScene* scene = StageScene()) scene->m_bHpCheck = 1;
}

void ChangeHpOrSp(const Operation& o, cChara& target, cChara& self, bool hp, std::int32_t v) {
  const std::int32_t current = hp ? target.hp : target.sp;
  const std::int32_t max = hp ? target.def.m_nMaxHp : target.def.m_nMaxSp;
  std::int32_t operand = v;
  if (o.p[15] == kHpOfMax) operand = PercentRounded(max, v);
  else if (o.p[15] == kHpOfCurrent) operand = PercentRounded(current, v);
  const std::int32_t updated = CombineByOp(o.op(), current, operand, 0, kBig);
  const std::int64_t change = std::int64_t{updated} - current;
  const int n = static_cast<int>(change);  // both ends lie in 0..999999
  if (hp) target.AddHp(n, 1, o.p[16]);
  else target.AddSp(n, o.p[16]);
  FlagDeathCheck(target, self);
}

void ChangeMaximum(const Operation& o, cChara& target, cChara& self, bool hp, std::int32_t v) {
  std::int32_t& max = hp ? target.def.m_nMaxHp : target.def.m_nMaxSp;
  std::int32_t& current = hp ? target.hp : target.sp;
  max = CombineByOp(o.op(), max, Operand(o, max, v), 0, kBig);
  current = std::min(current, max);
  FlagDeathCheck(target, self);
}

void ChangeCharaStatus(const Operation& o, cChara& target, cChara& self, std::int32_t v) {
  const int status = o.p[4];
  switch (status) {
    case kStatusHp: case kStatusSp: ChangeHpOrSp(o, target, self, status == kStatusHp, v); return;
    case kStatusMaxHp: case kStatusMaxSp: ChangeMaximum(o, target, self, status == kStatusMaxHp, v); return;
    default: break;
  }
  const ParamRef ref = CharaStatusRef(target, status, o.p[2]);
  if (ref.IsNone()) return;
  const StatusRange range = CharaStatusRange(status);
  const std::int32_t current = ref.Get();
  const std::int32_t operand = o.percent() ? InStatusWidth(status, PercentRounded(current, v)) : v;
  ref.Set(CombineByOp(o.op(), current, operand, range.min, range.max));
  if (status == kStatusSight) {
    target.sightDots = target.def.m_nSight * 16;  // the view range in dots follows
    RefreshViewMask(target);
  }
}

}  // namespace

void RunStatusOperation(cChara& self, const cEdCmd& command) {
  Operation o;
  const std::size_t count = std::min<std::size_t>(command.m_vParams.size(), kParamCount);
  for (std::size_t i = 0; i < count; ++i) o.p[i] = command.m_vParams[static_cast<long long>(i)];
  const StatusOperand operand{o.p[6], o.p[7], o.p[8], o.p[9], o.p[12], o.p[13], o.p[10], o.p[11]};
  const std::optional<std::int32_t> value = ReadStatusValue(operand, self);
  if (!value) return;
  const std::int32_t v = *value;
  if (o.p[0] == 1) {
    std::int32_t* variable = GlobalVariable(o.p[1], o.p[2]);
    if (variable != nullptr) *variable = CombineByOp(o.op(), *variable, Operand(o, *variable, v), -kBig, kBig);
    return;
  }
  if (o.p[0] != 0) return;
  if (o.p[3] == kWhoseSystem) {
    const int status = o.p[4];
    if (status < 0 || status >= kSystemStatusCount) return;
    const StatusRange range = SystemStatusRange(status);
    const std::int32_t current = StoredSystemStatus(status);
    WriteSystemStatus(status, CombineByOp(o.op(), current, Operand(o, current, v), range.min, range.max));
    return;
  }
  cChara* target = WhoseChara(self, o.p[3]);
  if (target == nullptr) return;
  if (o.p[17] && target->invincibleTime > 0) return;
  ChangeCharaStatus(o, *target, self, v);
}

#include "stage/scene/condition_lists.h"

#include "definitions/compare_ops.h"
#include "definitions/condition_records.h"
#include "definitions/flow_record.h"
#include "definitions/save_data/save_data.h"
#include "stage/chara/chara.h"
#include "stage/chara/distance_condition.h"
#include "stage/chara/hero.h"
#include "stage/chara/flow_runtime_slot.h"
#include "stage/chara/stage_chara.h"
#include "stage/chara/stage_lists.h"
#include "stage/chara/state_conditions.h"
#include "stage/core/data_index.h"
#include "stage/items/stage_item.h"
#include "stage/scene/stage_hooks.h"
#include "stage/scene/stage_scene.h"

namespace {

int CompareVariable(const cVector<std::int32_t>& list, const cCond& cond) {
  if (!DataIndexOk(cond.m_nLeftIndex, list.size(), 4)) return 0;
  return CompareByOp(cond.m_nCompare, list[cond.m_nLeftIndex], cond.m_nValue) ? 1 : 0;
}

int CompareStageVariable(const cCond& cond) {
  const cStageScene* scene = StageScene();
  return scene != nullptr ? CompareVariable(scene->m_vStageVars, cond) : 0;
}

int CompareCharaVariable(const cCond& cond, const cChara& subject) {
  if (!DataIndexOk(cond.m_nLeftIndex, subject.vars.size(), 4)) return 0;
  return CompareByOp(cond.m_nCompare, subject.vars[static_cast<std::size_t>(cond.m_nLeftIndex)], cond.m_nValue) ? 1 : 0;
}

// The owner's list, kept holding by its latch once it held with "once".
int TestLatched(const cVector<cCond>& conds, int mode, int once, std::int32_t& latch, cChara* subject) {
  if (conds.empty()) return 1;
  if (once && latch) return 1;
  if (subject == nullptr || !TestConditionListFor(conds, mode, *subject)) return 0;
  latch = 1;
  return 1;
}

}  // namespace

int TestCondition(cCond& cond, cChara& subject) {
  switch (cond.m_nKind) {
    case kCondCommonVar: return CompareVariable(g_SaveData.m_vVar, cond);
    case kCondStageVar: return CompareStageVariable(cond);
    case kCondCharaVar: return CompareCharaVariable(cond, subject);
    case kCondStatus:
      return g_FlowRuntime.testStatusCondition != nullptr ? g_FlowRuntime.testStatusCondition(cond, subject) : 1;
    case kCondDistance: return TestDistanceCondition(subject, cond);
    case kCondStatus2: return TestSpecialStatusCondition(subject, cond);
    case kCondStatus3: return TestCharaStateCondition(subject, cond);
    default: return 0;
  }
}

int TestConditionListFor(const cVector<cCond>& conds, int mode, cChara& subject) {
  // The records store the value they compared against, so the list is
  // walked as the mutable records it holds.
  auto& list = const_cast<cVector<cCond>&>(conds);
  if (mode == kCondAll) {
    for (cCond& cond : list)
      if (!TestCondition(cond, subject)) return 0;
    return 1;
  }
  if (mode == kCondAny) {
    for (cCond& cond : list)
      if (TestCondition(cond, subject)) return 1;
    return 0;
  }
  return 0;
}

int TestConditionList(const cVector<cCond>& conds, int mode) {
  cChara* hero = PlayerHero();
  return hero != nullptr ? TestConditionListFor(conds, mode, *hero) : 0;
}

int TestCharaConds(cChara& chara) {
  return TestLatched(chara.def.m_vConds, chara.def.m_nCondMode, chara.def.m_bCondOnce, chara.condLatch, &chara);
}

int TestItemConds(cStageItem& item) {
  return TestLatched(item.def.m_vConds, item.def.m_nCondMode, item.def.m_bCondOnce, item.condLatch, PlayerHero());
}

int TestFlowConds(cChara& chara, cFlowState& state) {
  const cEdFlow& flow = *state.flow;
  return TestLatched(flow.m_vConds, flow.m_nCondMode, flow.m_bCondOnce, state.condLatch, &chara);
}

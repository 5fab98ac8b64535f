// Starting a character's flows when their trigger fires, and keeping the
// flow states in step with the definition's flow list.
#include <algorithm>

#include "definitions/flow_record.h"
#include "stage/chara/chara.h"
#include "stage/chara/flow_runtime_slot.h"
#include "stage/chara/flow_walk.h"
#include "stage/core/stage_rules.h"
#include "stage/keys/flow_keys.h"
#include "stage/scene/current_actor.h"
#include "stage/scene/stage_hooks.h"

namespace {

bool FlagLetterSet(const cChara& chara, int set, int letter) {
  return letter > 0 && letter < kFlagLetters && chara.flagSets[static_cast<std::size_t>(set)][static_cast<std::size_t>(letter)];
}

// Both the flow's conditions and its key-input sequence hold.
bool FlowMayStart(cChara& chara, cFlowState& state) {
  return TestFlowConds(chara, state) && CheckFlowKeys(chara, state);
}

}  // namespace

void cChara::RunTriggeredFlows(int kind, cChara* other, int idLetter) {
  // A trigger check inside another walk hands that walk its actor back.
  const CurrentActor outer = g_CurrentActor;
  g_CurrentActor.chara = this;
  const FlowWalk walk(*this);
  const StageRules& rules = g_StageRules;
  std::size_t i = 0;
  while (i < flows.size()) {
    cFlowState& state = flows[i++];
    const cEdFlow& flow = *state.flow;
    if (flow.m_nTrigger != kind) continue;
    if (rules.triggerSwitch1 && !rules.triggerSwitch2) {
      if (state.triggeredThisStep) continue;
      state.triggeredThisStep = 1;
    }
    if (state.active || state.paused || state.stoppedForGood || state.startedThisStep) continue;
    if (kind == kTriggerAlways && (FlagLetterSet(*this, 0, flow.m_nFlag) || FlagLetterSet(*this, 2, flow.m_nFlag)))
      continue;
    if (idLetter >= 1 && flow.m_nId != idLetter) continue;
    if (!rules.triggerSwitch1 && !rules.triggerSwitch2) {
      if (state.triggeredThisStep) continue;
      if (rules.triggerSwitch3) state.triggeredThisStep = 1;
    }
    if (flow.m_bTakeOther && other != nullptr) {
      const int slot = std::min<int>(flow.m_nTargetSlot, kTargetSlots - 1);
      cChara* previous = targets[static_cast<std::size_t>(slot)];
      SetTarget(*this, slot, other, 1);
      if (!FlowMayStart(*this, state)) {
        SetTarget(*this, slot, previous, 1);
        continue;
      }
    } else if (!FlowMayStart(*this, state)) {
      continue;
    }
    if (!rules.triggerSwitch3) state.triggeredThisStep = 1;
    state.inputSlot = 0;
    StartFlow(*this, state);
    const WalkedFlow after = FindAfterWalk(*this, state, i - 1);
    if (after.live != nullptr) after.live->startedThisStep = 1;
    i = after.next;
  }
  g_CurrentActor = outer;
}

int cChara::StepRunningFlows(int dying) {
  const FlowWalk walk(*this);
  std::size_t i = 0;
  while (i < flows.size()) {
    cFlowState& state = flows[i++];
    if (!state.active) continue;
    if (state.entries.empty()) {
      EndFlowState(*this, state);
      continue;
    }
    const int trigger = state.flow->m_nTrigger;
    if (state.paused || state.stoppedForGood || (dying && trigger != kTriggerDied)) continue;
    const int finished = RunFlow(*this, state);
    const WalkedFlow after = FindAfterWalk(*this, state, i - 1);
    if (finished && after.live != nullptr) EndFlowState(*this, *after.live);
    if (vanish || (!dying && trigger != kTriggerDied && hp < 1)) return 1;
    i = after.next;
  }
  return 0;
}

void cChara::FinishFlowPass() {
  if (flowWalkDepth == 0) retiredFlows.clear();
  for (std::size_t i = flows.size(); i-- > 0;)
    if (flows[i].removePending) RemoveCharaFlow(static_cast<int>(i));
  for (int letter = 1; letter < kFlagLetters; ++letter) {
    if (!flagSets[1][static_cast<std::size_t>(letter)]) continue;
    flagSets[0][static_cast<std::size_t>(letter)] = 0;
    flagSets[1][static_cast<std::size_t>(letter)] = 0;
  }
  flowEnded = 0;
}

void cChara::ChangeToRequestedPattern() {
  constexpr int kIdleWalking = 0;
  constexpr int kIdleFloating = 2;
  if (animeOverride >= 0) anime.ChangePattern(animeOverride, 1);
  else if (cmdSpeedX == 0 && cmdSpeedY == 0) anime.ChangePattern(Floats() ? kIdleFloating : kIdleWalking, 1);
}

void cChara::RebuildFlowStates() {
  flows.resize(def.m_vFlows.size());
  for (std::size_t i = 0; i < flows.size(); ++i) {
    flows[i].index = static_cast<std::int32_t>(i);
    flows[i].flow = &def.m_vFlows[static_cast<long long>(i)];
    if (flows[i].serial < 0) flows[i].serial = flowCounter++;
    if (g_FlowRuntime.buildEntries != nullptr) g_FlowRuntime.buildEntries(*this, flows[i]);
  }
}

void cChara::ClearFrameFlags() {
  for (cFlowState& state : flows) state.triggeredThisStep = state.startedThisStep = 0;
  flagSets[2].fill(0);
}

void cChara::SetFlows(const cVector<cEdFlow>& list) {
  RetireFlowsIfWalking(*this);
  def.m_vFlows = list;
  RebuildFlowStates();
}

void cChara::RemoveCharaFlow(int n) {
  if (n < 0 || static_cast<std::size_t>(n) >= flows.size()) return;
  RetireFlowsIfWalking(*this);
  // A removed flow is ended first, so that its flag letter stops running.
  EndFlowState(*this, flows[static_cast<std::size_t>(n)]);
  StopFlowAnims(flows[static_cast<std::size_t>(n)].serial);
  def.m_vFlows.erase(def.m_vFlows.begin() + n);
  flows.erase(flows.begin() + n);
  RebuildFlowStates();
}

int cChara::RemoveFlowsById(int id) {
  RetireFlowsIfWalking(*this);
  if (id == 0) {
    for (cFlowState& state : flows) EndFlowState(*this, state);
    def.m_vFlows.clear();
    flows.clear();
    extraAnimes.clear();
    RebuildFlowStates();
    return 0;
  }
  int first = -1;
  for (int i = static_cast<int>(def.m_vFlows.size()) - 1; i >= 0; --i) {
    if (def.m_vFlows[i].m_nId != id) continue;
    EndFlowState(*this, flows[static_cast<std::size_t>(i)]);
    StopFlowAnims(flows[static_cast<std::size_t>(i)].serial);
    def.m_vFlows.erase(def.m_vFlows.begin() + i);
    flows.erase(flows.begin() + i);
    first = i;
  }
  RebuildFlowStates();
  return first;
}

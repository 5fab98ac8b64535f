#include "commands/flow_ops/flow_control.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "commands/dispatch/command_params.h"
#include "commands/flows/flow_runtime.h"
#include "commands/status/status_table.h"
#include "definitions/command_record.h"
#include "definitions/flow_record.h"
#include "stage/chara/chara.h"
#include "stage/scene/condition_lists.h"
#include "stage/scene/current_actor.h"

namespace {

// The flows in scope, by position in the owner's list.
std::vector<int> FlowsInScope(const cChara& owner, int scope, int flowId, const cFlowState* current) {
  std::vector<int> picked;
  for (std::size_t i = 0; i < owner.flows.size(); ++i) {
    const cFlowState& state = owner.flows[i];
    const bool isCurrent = &state == current;
    bool in = false;
    if (scope == kScopeThisFlow) in = isCurrent;
    else if (scope == kScopeOtherFlows) in = !isCurrent;
    else if (scope == kScopeFlowId) in = state.flow->m_nId != 0 && state.flow->m_nId == flowId;
    if (in) picked.push_back(static_cast<int>(i));
  }
  return picked;
}

void Operate(cChara& owner, cFlowState& state, int operation) {
  switch (operation) {
    case kFlowOpStart:
      commands::EndFlow(owner, state);
      owner.StopFlowAnims(state.serial);
      commands::StartFlow(owner, state);
      state.stopThisStep = 1;
      break;
    case kFlowOpEnd:
      commands::EndFlow(owner, state);
      owner.StopFlowAnims(state.serial);
      state.stopThisStep = 1;
      break;
    case kFlowOpPause:
      commands::PauseFlow(state);
      owner.RemoveListEntriesById(state.serial);
      state.stopThisStep = 1;
      break;
    case kFlowOpResume:
      commands::ResumeFlow(state);
      owner.ClearEntryFlagById(state.serial);
      break;
    case kFlowOpStopForever:
      commands::StopFlowForever(owner, state);
      owner.StopFlowAnims(state.serial);
      state.stopThisStep = 1;
      break;
    default: break;
  }
}

}  // namespace

void ControlFlows(cChara& chara, const cEdCmd& command) {
  if (command.m_CondList && command.m_CondList->m_bUse &&
      !TestConditionListFor(command.m_CondList->m_vConds, command.m_CondList->m_nMode, chara))
    return;
  cChara* owner = WhoseChara(chara, CmdParam(command, 3));
  if (owner == nullptr) return;
  const int operation = CmdParam(command, 0);
  const int scope = CmdParam(command, 1);
  // Starting a flow walks its entries with the actor set to it; the
  // command's own flow is the actor again afterwards.
  const CurrentActor actor = g_CurrentActor;
  // The running flow is the executing character's whoever's flows were
  // named.
  if (scope == kScopeThisFlow) owner = &chara;
  const std::vector<int> picked = FlowsInScope(*owner, scope, CmdParam(command, 2), actor.flow);
  if (operation == kFlowOpDelete) {
    if (owner == &chara) {
      for (int i : picked) {
        cFlowState& state = owner->flows[static_cast<std::size_t>(i)];
        state.removePending = 1;
        state.stopThisStep = 1;
      }
    } else if (scope == kScopeFlowId) {
      for (auto it = picked.rbegin(); it != picked.rend(); ++it) owner->RemoveCharaFlow(*it);
    }
    return;
  }
  // A flow started here may change the owner's flow list before the next one
  // is reached, so each picked flow is found again by its serial.
  std::vector<std::int32_t> serials;
  for (int i : picked) serials.push_back(owner->flows[static_cast<std::size_t>(i)].serial);
  for (const std::int32_t serial : serials) {
    const auto found = std::find_if(owner->flows.begin(), owner->flows.end(),
                                    [serial](const cFlowState& state) { return state.serial == serial; });
    if (found != owner->flows.end()) Operate(*owner, *found, operation);
  }
  g_CurrentActor = actor;
}

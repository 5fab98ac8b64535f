#include "stage/chara/flow_walk.h"

#include <utility>
#include <vector>

#include "stage/chara/chara.h"

namespace {

// The states point into the character's own copy of its flows.
void PointIntoDefinitions(cChara& chara) {
  for (std::size_t i = 0; i < chara.flows.size() && i < chara.def.m_vFlows.size(); ++i) {
    cFlowState& state = chara.flows[i];
    cEdFlow& flow = chara.def.m_vFlows[static_cast<long long>(i)];
    state.flow = &flow;
    for (std::size_t k = 0; k < state.entries.size() && k < flow.m_vCmds.size(); ++k)
      state.entries[k].cmd = &flow.m_vCmds[static_cast<long long>(k)];
  }
}

// What a step did to a retired state, given to its live copy, which keeps
// its own place and commands.
void CarryWalk(cFlowState& live, const cFlowState& walked) {
  if (live.entries.size() != walked.entries.size()) return;
  const cEdFlow* flow = live.flow;
  const std::int32_t index = live.index;
  std::vector<cEdCmd*> commands;
  commands.reserve(live.entries.size());
  for (const cCmdState& entry : live.entries) commands.push_back(entry.cmd);
  live = walked;
  live.flow = flow;
  live.index = index;
  for (std::size_t k = 0; k < commands.size(); ++k) live.entries[k].cmd = commands[k];
}

}  // namespace

FlowWalk::FlowWalk(cChara& chara) : chara_(chara) {
  if (chara_.flowWalkDepth == 0) chara_.retiredFlows.clear();
  ++chara_.flowWalkDepth;
}

FlowWalk::~FlowWalk() { --chara_.flowWalkDepth; }

void RetireFlowsIfWalking(cChara& chara) {
  if (chara.flowWalkDepth == 0) return;
  // Moving the vectors keeps their storage, and with it every state, entry
  // and command that the walk holds.
  RetiredFlows retired{std::move(chara.def.m_vFlows), std::move(chara.flows)};
  chara.def.m_vFlows = retired.definitions;
  chara.flows = retired.states;
  chara.retiredFlows.push_back(std::move(retired));
  PointIntoDefinitions(chara);
}

WalkedFlow FindAfterWalk(cChara& chara, cFlowState& walked, std::size_t at) {
  if (at < chara.flows.size() && &chara.flows[at] == &walked) return {&walked, at + 1};
  for (std::size_t i = 0; i < chara.flows.size(); ++i) {
    if (chara.flows[i].serial != walked.serial) continue;
    CarryWalk(chara.flows[i], walked);
    return {&chara.flows[i], i + 1};
  }
  return {nullptr, at};
}

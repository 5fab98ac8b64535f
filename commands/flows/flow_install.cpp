#include "commands/flows/flow_install.h"

#include "commands/flows/anime_schedule.h"
#include "commands/flows/loop_expansion.h"
#include "commands/movement/move_preparation.h"
#include "stage/chara/chara.h"
#include "stage/motion/command_setup.h"

namespace {

void PrepareEntry(cCmdState& entry, cEdCmd& command, const cChara& chara) {
  entry = cCmdState{};
  entry.cmd = &command;
  SetCommandTime(entry, chara.cloneValue);
  PrepareMoveEntry(entry, chara);
}

}  // namespace

void BuildFlowEntries(cChara& chara, cFlowState& state) {
  if (state.index < 0 || static_cast<std::size_t>(state.index) >= chara.def.m_vFlows.size()) return;
  cVector<cEdCmd>& commands = chara.def.m_vFlows[state.index].m_vCmds;
  if (state.entries.size() == commands.size()) {
    for (std::size_t i = 0; i < commands.size(); ++i) state.entries[i].cmd = &commands[static_cast<long long>(i)];
    return;
  }
  state.entries.resize(commands.size());
  for (std::size_t i = 0; i < commands.size(); ++i)
    PrepareEntry(state.entries[i], commands[static_cast<long long>(i)], chara);
  BuildAnimeSchedule(state);
}

void SetFlowList(cChara& chara, cVector<cEdFlow> list, int mode, int start, int setUp) {
  for (cEdFlow& flow : list) ExpandLoopCommands(flow.m_vCmds);
  auto& flows = chara.def.m_vFlows;
  std::size_t at = 0;
  if (mode == kReplaceFlows) {
    flows.clear();
    chara.flows.clear();
  } else {
    at = start < 0 || static_cast<std::size_t>(start) >= flows.size() ? flows.size() : static_cast<std::size_t>(start);
  }
  flows.insert(flows.begin() + static_cast<long long>(at), list.begin(), list.end());
  chara.flows.insert(chara.flows.begin() + static_cast<long long>(at), list.size(), cFlowState{});
  chara.RebuildFlowStates();
  if (!setUp) return;
  for (std::size_t i = at; i < at + list.size(); ++i) {
    const cEdFlow& flow = flows[static_cast<long long>(i)];
    chara.flows[i].keyLatchB = !flow.m_vKeySteps.empty() && !flow.m_bKeyHold ? 1 : 0;
  }
}

void InstallDefinitionFlows(cChara& chara) {
  cVector<cEdFlow> list = chara.def.m_vFlows;
  SetFlowList(chara, std::move(list), kReplaceFlows, 0, 1);
}

#include "commands/install.h"

#include "commands/flows/anime_schedule.h"
#include "commands/flows/flow_install.h"
#include "commands/flows/flow_runtime.h"
#include "commands/flows/loop_expansion.h"
#include "commands/items/change_flow.h"
#include "commands/items/item_commands.h"
#include "commands/status/status_condition.h"
#include "stage/chara/flow_runtime_slot.h"

void InstallCommands() {
  g_FlowRuntime.buildEntries = BuildFlowEntries;
  g_FlowRuntime.startFlow = commands::StartFlow;
  g_FlowRuntime.runFlow = commands::RunFlow;
  g_FlowRuntime.endFlow = commands::EndFlow;
  g_FlowRuntime.startScheduledAnims = StartScheduledAnims;
  g_FlowRuntime.testStatusCondition = TestStatusCondition;
  g_FlowRuntime.installFlows = InstallDefinitionFlows;
  g_FlowRuntime.runItemCmds = RunItemCmds;
  g_FlowRuntime.expandLoops = ExpandLoopCommands;
  g_FlowRuntime.runQueuedFlowChange = [](cChara& chara, const cEdCmd& command) { ChangeFlow(chara, command, 1); };
}

#include "commands/install.h"

#include "commands/flows/flow_install.h"
#include "commands/flows/flow_runtime.h"
#include "commands/status/status_condition.h"
#include "stage/chara/flow_runtime_slot.h"

void InstallCommands() {
  g_FlowRuntime.buildEntries = BuildFlowEntries;
  g_FlowRuntime.startFlow = commands::StartFlow;
  g_FlowRuntime.runFlow = commands::RunFlow;
  g_FlowRuntime.endFlow = commands::EndFlow;
  g_FlowRuntime.testStatusCondition = TestStatusCondition;
  g_FlowRuntime.installFlows = InstallDefinitionFlows;
}

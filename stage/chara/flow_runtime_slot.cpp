#include "stage/chara/flow_runtime_slot.h"

#include "stage/chara/flow_state.h"

FlowRuntimeSlot g_FlowRuntime;

void EndFlowState(cChara& chara, cFlowState& state) {
  if (g_FlowRuntime.endFlow != nullptr) g_FlowRuntime.endFlow(chara, state);
  else state.active = 0;
}

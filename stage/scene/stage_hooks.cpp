// Neutral bodies of the steps that other parts of the runtime fill in (see
// stage_hooks.h): conditions hold, flows do nothing, no contact is found,
// nothing is drawn.
#include "stage/scene/stage_hooks.h"

#include "stage/chara/flow_runtime_slot.h"
#include "stage/chara/hero.h"

void StartFlow(cChara& chara, cFlowState& flow) {
  ++g_FlowStarts;
  if (g_FlowRuntime.startFlow != nullptr) g_FlowRuntime.startFlow(chara, flow);
}
int RunFlow(cChara& chara, cFlowState& flow) {
  return g_FlowRuntime.runFlow != nullptr ? g_FlowRuntime.runFlow(chara, flow) : 1;
}
void RunFlowConditionWork(cChara&) {}
int SurviveSqueeze(cChara& hero) { return hero.IsHero() ? static_cast<cHero&>(hero).SurviveSqueeze() : 0; }

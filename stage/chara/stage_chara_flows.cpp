// A stage character's flows, once per sub-step: the motion is reset (the
// commands set this sub-step's; a character synchronised with the automatic
// scroll starts from the scroll's speed unless the project switches
// synchronisation off), the flows are stepped in list order, the
// flows marked for removal go, and the idle animation is chosen when no
// command moves the character.
#include "definitions/flow_record.h"
#include "stage/chara/flow_runtime_slot.h"
#include "stage/chara/stage_chara.h"
#include "stage/core/stage_rules.h"
#include "stage/objects/stage_space.h"
#include "stage/scene/current_actor.h"
#include "stage/scene/stage_hooks.h"

int cStageChara::RunFlows(int dying) {
  g_CurrentActor.chara = this;
  if (!scrollSync || g_StageRules.noScrollSync) {
    vx = 0;
    if (Floats()) vy = 0;
  } else {
    vx = g_StageSpace.scrollX.CarrySpeed();
    if (Floats()) vy = g_StageSpace.scrollY.CarrySpeed();
  }
  cmdHidden = 0;
  animeOverride = -1;
  friction1 = friction2 = 1;
  if (squeezeGrace > 0) --squeezeGrace;
  RunFlowConditionWork(*this);
  if (g_FlowRuntime.startScheduledAnims != nullptr) g_FlowRuntime.startScheduledAnims(*this);

  if (StepRunningFlows(dying)) {
    g_CurrentActor.Clear();
    return 1;
  }
  g_CurrentActor.Clear();

  FinishFlowPass();
  ChangeToRequestedPattern();
  return hp < 1 ? 1 : 0;
}

// The hero's flows, once per sub-step. The motion is reset (the hero rides
// the automatic scroll when it is set to), the per-step flags are cleared
// and the squeeze grace counts down; the flows run; a "フローの変更" that
// the hero's own flows gave it waited until now, so that the flow list
// does not change under the running flows; then the idle animation, and
// without a jump this sub-step the held jump is let go.
#include <utility>

#include "stage/chara/flow_runtime_slot.h"
#include "stage/chara/hero.h"
#include "stage/objects/stage_space.h"
#include "stage/scene/current_actor.h"
#include "stage/scene/stage_scene.h"

namespace {

void ResetMotion(cHero& hero) {
  const bool floating = hero.Floats();
  const bool rides = hero.scrollSync != 0;
  hero.vx = rides ? g_StageSpace.scrollX.CarrySpeed() : 0.0;
  if (floating) hero.vy = rides ? g_StageSpace.scrollY.CarrySpeed() : 0.0;
}

void CountDownGrace(cHero& hero) {
  if (hero.squeezeGrace <= 0) return;
  if (--hero.squeezeGrace == 0) hero.restorePending = 0;
}

void RunQueuedFlowChanges(cHero& hero) {
  std::vector<cEdCmd> queue = std::move(hero.queuedFlowChanges);
  hero.queuedFlowChanges.clear();
  if (g_FlowRuntime.runQueuedFlowChange == nullptr) return;
  for (const cEdCmd& cmd : queue) g_FlowRuntime.runQueuedFlowChange(hero, cmd);
}

}  // namespace

int cHero::RunFlows(int dying) {
  g_CurrentActor.chara = this;
  if (cStageScene* scene = StageScene()) scene->m_bItemMessageOpen = 0;
  ResetMotion(*this);
  friction1 = friction2 = 1;
  jumpDoneThisStep = 0;
  inputLatches[0] = inputLatches[1] = 0;
  animeOverride = -1;
  cmdHidden = 0;
  CountDownGrace(*this);
  if (g_FlowRuntime.startScheduledAnims != nullptr) g_FlowRuntime.startScheduledAnims(*this);

  const int destroyed = StepRunningFlows(dying);
  g_CurrentActor.Clear();
  if (destroyed) return 1;

  RunQueuedFlowChanges(*this);
  FinishFlowPass();
  ++frameCounter;
  ChangeToRequestedPattern();
  if (!jumpDoneThisStep) {
    jumpHoldCount = 0;
    mayJump = 1;
    jumpHold = 0;
  }
  return hp < 1 ? 1 : 0;
}

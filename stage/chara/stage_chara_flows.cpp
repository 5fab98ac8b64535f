// A stage character's flows, once per sub-step: the motion is reset (the
// commands set this sub-step's), the flows are stepped in list order, the
// flows marked for removal go, and the idle animation is chosen when no
// command moves the character.
#include "definitions/flow_record.h"
#include "stage/chara/flow_runtime_slot.h"
#include "stage/chara/stage_chara.h"
#include "stage/objects/stage_space.h"
#include "stage/scene/current_actor.h"
#include "stage/scene/stage_hooks.h"

namespace {

constexpr int kIdlePatternWalking = 0;
constexpr int kIdlePatternFloating = 2;

double ScrollCarry(const ScrollAxis& axis) { return axis.atLimit ? 0.0 : axis.speed; }

}  // namespace

int cStageChara::RunFlows(int dying) {
  g_CurrentActor.chara = this;
  if (!scrollSync) {
    vx = 0;
    if (Floats()) vy = 0;
  } else {
    vx = ScrollCarry(g_StageSpace.scrollX);
    if (Floats()) vy = ScrollCarry(g_StageSpace.scrollY);
  }
  cmdHidden = 0;
  animeOverride = -1;
  friction1 = friction2 = 1;
  if (squeezeGrace > 0) --squeezeGrace;
  RunFlowConditionWork(*this);
  if (g_FlowRuntime.startScheduledAnims != nullptr) g_FlowRuntime.startScheduledAnims(*this);

  for (std::size_t i = 0; i < flows.size(); ++i) {
    cFlowState& state = flows[i];
    if (!state.active) continue;
    if (state.entries.empty()) {
      EndFlowState(*this, state);
      continue;
    }
    const int trigger = state.flow->m_nTrigger;
    if (state.paused || state.stoppedForGood || (dying && trigger != kTriggerDied)) continue;
    if (RunFlow(*this, state)) EndFlowState(*this, flows[i]);
    if (vanish || (!dying && trigger != kTriggerDied && hp < 1)) {
      g_CurrentActor.Clear();
      return 1;
    }
  }
  g_CurrentActor.Clear();

  for (std::size_t i = flows.size(); i-- > 0;)
    if (flows[i].removePending) RemoveCharaFlow(static_cast<int>(i));
  for (int letter = 1; letter < kFlagLetters; ++letter) {
    if (!flagSets[1][static_cast<std::size_t>(letter)]) continue;
    flagSets[0][static_cast<std::size_t>(letter)] = 0;
    flagSets[1][static_cast<std::size_t>(letter)] = 0;
  }
  flowEnded = 0;

  if (animeOverride >= 0) anime.ChangePattern(animeOverride, 1);
  else if (cmdSpeedX == 0 && cmdSpeedY == 0) anime.ChangePattern(Floats() ? kIdlePatternFloating : kIdlePatternWalking, 1);
  return hp < 1 ? 1 : 0;
}

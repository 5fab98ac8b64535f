// "誘導移動": the character steers toward its target every step, or, with a
// homing delay, toward where the target was that many steps ago: every
// step the target's point joins a queue and every delay steps the oldest
// queued point is aimed at and dropped, so the character follows the
// target's path with a lag. Without a target, or while the target is being
// removed, it does nothing.
#include "commands/movement/common_mover.h"
#include "commands/movement/move_target.h"
#include "commands/movement/movement_commands.h"
#include "definitions/move_record.h"
#include "stage/chara/chara.h"
#include "stage/motion/aiming.h"
#include "stage/scene/current_actor.h"

void CmdHomingMove(cChara& chara, cCmdState& entry) {
  const TargetMoveStep step = BeginTargetMove(chara, entry);
  const cEdMove* move = step.move;
  if (move == nullptr) return;
  const cChara* target = MoveTarget(chara, *move);
  if (target == nullptr || target->removed) return;
  double toX = 0, toY = 0;
  GetTargetPoint(*target, chara, entry.offsetX, entry.offsetY, move->m_nFixedAxis, toX, toY);
  if (entry.homingDelay <= 0) {
    AimMoveAt(chara, entry, g_CurrentActor.flow, toX, toY, move->m_bStopAtTarget);
  } else {
    entry.homingQueue.emplace_back(toX, toY);
    if (entry.stepCount % entry.homingDelay == 0) {
      const auto [queuedX, queuedY] = entry.homingQueue.front();
      entry.homingQueue.pop_front();
      AimMoveAt(chara, entry, g_CurrentActor.flow, queuedX, queuedY, move->m_bStopAtTarget);
    }
  }
  ++entry.stepCount;
  FinishMoveStep(chara, entry, false);
}

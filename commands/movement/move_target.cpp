#include "commands/movement/move_target.h"

#include "commands/movement/common_mover.h"
#include "commands/movement/move_velocity.h"
#include "commands/movement/straight_start.h"
#include "definitions/move_record.h"
#include "stage/chara/chara.h"
#include "stage/core/data_index.h"
#include "stage/motion/aiming.h"

cChara* MoveTarget(const cChara& chara, const cEdMove& move) {
  if (!DataIndexOk(move.m_nTargetSlot, kTargetSlots, 4)) return nullptr;
  return chara.targets[move.m_nTargetSlot];
}

TargetMoveStep BeginTargetMove(cChara& chara, cCmdState& entry) {
  BeginMoveStep(chara);
  TargetMoveStep step;
  step.move = MoveOf(entry);
  if (step.move == nullptr || entry.started) return step;
  entry.started = 1;
  entry.velX = entry.velY = 0;
  entry.facingRequest = kKeepFacing;
  entry.homingQueue.clear();
  step.first = true;
  step.angle = PrepareAngleAndOffset(chara, entry, *step.move);
  return step;
}

void AimMoveAt(cChara& chara, cCmdState& entry, cFlowState* flow, double toX, double toY, int stopAtTarget) {
  int direction = 0;
  if (chara.Floats()) {
    const PlaneAim aim = AimAtTarget(chara, flow, toX, toY, entry.moveSpeed, stopAtTarget);
    entry.velX = aim.vx;
    entry.velY = aim.vy;
    direction = aim.direction;
  } else {
    const AxisAim aim = AimAtTargetX(chara, flow, toX, entry.moveSpeed, stopAtTarget);
    entry.velX = aim.velocity;
    entry.velY = 0;
    direction = aim.direction;
  }
  entry.facingRequest = chara.def.m_bTurnByCmd ? kKeepFacing : direction;
}

// "突撃移動": on its first step the character aims at its target (plus the
// target offset), turns the aim by the record's angle, and keeps that
// velocity. Without a target it stays still; a target being removed gives
// no aim in that step.
#include "commands/movement/common_mover.h"
#include "commands/movement/move_target.h"
#include "commands/movement/move_velocity.h"
#include "commands/movement/movement_commands.h"
#include "stage/chara/chara.h"
#include "stage/motion/aiming.h"
#include "stage/scene/current_actor.h"

void CmdChargeMove(cChara& chara, cCmdState& entry) {
  const TargetMoveStep step = BeginTargetMove(chara, entry);
  if (step.move == nullptr) return;
  if (step.first) {
    const cChara* target = MoveTarget(chara, *step.move);
    if (target == nullptr || target->removed) return;
    double toX = 0, toY = 0;
    GetTargetPoint(*target, chara, entry.offsetX, entry.offsetY, step.move->m_nFixedAxis, toX, toY);
    AimMoveAt(chara, entry, g_CurrentActor.flow, toX, toY, 0);
    if (step.angle != 0) RotateVelocity(entry.velX, entry.velY, step.angle);
  }
  if (!chara.Floats()) entry.velY = 0;
  FinishMoveStep(chara, entry, false);
}

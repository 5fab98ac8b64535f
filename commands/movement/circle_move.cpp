// "円移動": each step the velocity follows a circle: the x and y waves of
// the same phase a quarter turn apart, the sense of rotation by the record
// (left, or right, as seen facing left; mirrored for a character facing
// right). A zero period does not move.
#include "commands/movement/common_mover.h"
#include "commands/movement/movement_commands.h"
#include "definitions/move_record.h"
#include "stage/chara/chara.h"
#include "stage/motion/motion_math.h"

namespace {

enum FixedAxis : int { kXFixed = 1, kYFixed = 2 };
constexpr int kTurnLeft = 2;

}  // namespace

void CmdCircleMove(cChara& chara, cCmdState& entry) {
  BeginMoveStep(chara);
  const cEdMove* move = MoveOf(entry);
  if (move == nullptr || entry.circlePeriod == 0) return;
  if (!entry.started) {
    entry.started = 1;
    entry.phaseX = entry.phaseY = entry.circleStart;
  }
  const bool turnsLeft = (entry.circleSense == kTurnLeft) == (chara.facing == 0);
  const double speed = entry.moveSpeed;
  entry.velX = entry.velY = 0;
  if (move->m_nFixedAxis != kXFixed)
    entry.velX -= WaveStep(entry.circlePeriod, 1, entry.phaseX, entry.circleSpeed, 0) * speed;
  if (move->m_nFixedAxis != kYFixed)
    entry.velY -= WaveStep(entry.circlePeriod, 1, entry.phaseY, entry.circleSpeed, turnsLeft ? 90 : 270) * speed;
  entry.facingRequest = 0;
  FinishMoveStep(chara, entry, false);
}

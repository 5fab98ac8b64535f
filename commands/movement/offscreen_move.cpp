// "画面外回避移動": a character near an edge of the screen moves back in:
// right of 608 it goes left, with its right edge left of 32 it goes right,
// below 448 up and with its bottom above 32 down (the axes the record lets
// it move along; up and down only for a character that flies). While the
// screen scrolls, the margins grow by |scroll speed + 1| and the move acts
// only while the view stays inside the stage.
#include <cmath>

#include "commands/movement/common_mover.h"
#include "commands/movement/movement_commands.h"
#include "definitions/move_record.h"
#include "stage/chara/chara.h"
#include "stage/objects/stage_space.h"

namespace {

// The margin of one axis; false when the axis scrolls against its limit.
bool Margin(const ScrollAxis& axis, double& margin) {
  margin = 0;
  if (!axis.running) return true;
  if (axis.atLimit) return false;
  margin = std::fabs(axis.speed + 1);
  return true;
}

}  // namespace

void CmdOffScreenMove(cChara& chara, cCmdState& entry) {
  BeginMoveStep(chara);
  const cEdMove* move = MoveOf(entry);
  if (move == nullptr) return;
  chara.UpdateScreenPos();
  const double speed = entry.moveSpeed;
  entry.velX = entry.velY = 0;
  entry.facingRequest = 0;
  double margin = 0;
  if (move->m_bMoveOnX && Margin(g_StageSpace.scrollX, margin)) {
    if (chara.screenLeft > 608 - margin) entry.velX = -speed;
    else if (chara.screenRight < 32 + margin) entry.velX = speed;
  }
  if (move->m_bMoveOnY && chara.Floats() && Margin(g_StageSpace.scrollY, margin)) {
    if (chara.screenTop > 448 - margin) entry.velY = -speed;
    else if (chara.screenBottom < 32 + margin) entry.velY = speed;
  }
  ++entry.stepCount;
  FinishMoveStep(chara, entry, false);
}

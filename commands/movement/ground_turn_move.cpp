// "地上折り返し移動": a walker that turns back where the ground ends. The
// push words hold which foot stands over nothing (the cell under the left /
// right bottom corner, or, while riding a block character, the edge of the
// carrier). With both feet on ground it walks the way it faces; with one
// foot over the edge of a carrier it turns about; on the map it faces the
// side that still has ground (the other way for a negative speed) and walks
// on that way. Characters that fly are left alone.
#include <cmath>

#include "commands/movement/common_mover.h"
#include "commands/movement/move_velocity.h"
#include "commands/movement/movement_commands.h"
#include "stage/blocks/block_map.h"
#include "stage/chara/chara.h"
#include "stage/core/double_to_int.h"
#include "stage/core/stage_rules.h"

namespace {

bool GroundAt(const cChara& chara, double x) {
  const int below = TruncToInt(chara.bottom) + 1;
  return IsBlockSolidFor(g_BlockMap.CellAt(TruncToInt(x), below), chara.side) != 0;
}

bool OnCarrier(const cChara& chara, double x) { return x >= chara.carrierX && x <= chara.carrierRight; }

void ReadFeet(cChara& chara) {
  if (chara.carried) {
    chara.pushLeft = OnCarrier(chara, chara.x) ? 0 : 1;
    chara.pushRight = OnCarrier(chara, chara.right) ? 0 : 1;
  } else {
    chara.pushLeft = GroundAt(chara, chara.x) ? 0 : 1;
    chara.pushRight = GroundAt(chara, chara.right) ? 0 : 1;
  }
}

// The facing the ledge asks for, or kKeepFacing.
int LedgeRequest(const cChara& chara, double speed) {
  const bool reversed = speed < 0 && !g_StageRules.oldLedgeTurn;
  if (!chara.pushLeft && chara.pushRight) return reversed ? kRequestRight : kRequestLeft;
  if (chara.pushLeft && !chara.pushRight) return reversed ? kRequestLeft : kRequestRight;
  return kKeepFacing;
}

int FacingAfter(const cChara& chara, int request) {
  if (request == kRequestLeft) return 0;
  if (request == kRequestRight) return 1;
  return chara.facing;
}

}  // namespace

void CmdGroundTurnMove(cChara& chara, cCmdState& entry) {
  if (chara.Floats() || MoveOf(entry) == nullptr) return;
  ReadFeet(chara);
  const double speed = entry.moveSpeed;
  entry.facingRequest = kKeepFacing;
  if (chara.pushLeft || chara.pushRight) {
    if (chara.carried) entry.facingRequest = chara.facing == 0 ? kRequestRight : kRequestLeft;
    else entry.facingRequest = LedgeRequest(chara, speed);
  }
  entry.velX = (FacingAfter(chara, entry.facingRequest) ? 1 : -1) * speed;
  entry.velY = 0;
  FinishMoveStep(chara, entry, true);
}

// "直線移動": the velocity is set on the first step and kept. A character
// that commands turn reverses it when its facing changes (with the record's
// switch, and only for a move by direction unless the project keeps the old
// rule of every mode); a fixed axis stays still unless the project keeps the
// old rule that leaves it moving.
#include "commands/movement/common_mover.h"
#include "commands/movement/movement_commands.h"
#include "commands/movement/straight_start.h"
#include "definitions/move_record.h"
#include "stage/chara/chara.h"
#include "stage/core/stage_rules.h"
#include "stage/scene/current_actor.h"

namespace {

enum FixedAxis : int { kXFixed = 1, kYFixed = 2 };
constexpr int kByDirection = 0;

int InputSlot() { return g_CurrentActor.flow != nullptr ? g_CurrentActor.flow->inputSlot : 0; }

void KeepVelocity(const cChara& chara, cCmdState& entry, const cEdMove& move) {
  const bool turned = chara.facing != entry.lastFacing;
  const bool byDirection = move.m_nMoveMode == kByDirection || g_StageRules.oldTurnInEveryMode;
  if (turned && move.m_bTurnWithFacing && chara.def.m_bTurnByCmd && byDirection) {
    entry.velX = -entry.velX;
    entry.velY = -entry.velY;
  }
  if (!chara.Floats()) entry.velY = 0;
}

void ZeroFixedAxis(cCmdState& entry, const cEdMove& move) {
  if (g_StageRules.oldFixedAxis) return;
  if (move.m_nFixedAxis == kXFixed) entry.velX = 0;
  if (move.m_nFixedAxis == kYFixed) entry.velY = 0;
}

}  // namespace

void CmdLinearMove(cChara& chara, cCmdState& entry) {
  BeginMoveStep(chara);
  const cEdMove* move = MoveOf(entry);
  if (move == nullptr) return;
  if (!entry.started) {
    entry.started = 1;
    StartStraightMove(chara, entry, *move, InputSlot());
  } else {
    KeepVelocity(chara, entry, *move);
  }
  ZeroFixedAxis(entry, *move);
  FinishMoveStep(chara, entry, false);
  entry.lastFacing = chara.facing;
}

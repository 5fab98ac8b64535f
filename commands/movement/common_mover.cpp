#include "commands/movement/common_mover.h"

#include <algorithm>

#include "commands/movement/move_velocity.h"
#include "definitions/command_record.h"
#include "stage/chara/chara.h"

namespace {

enum MoveAnime : int { kMovingAnime = 0, kStillAnime = 1 };
enum AnimeLevel : int { kStillLevel = 1, kMovingLevel = 2 };
constexpr int kWalkPattern = 1, kFlyPattern = 3, kStandPattern = 0, kHoverPattern = 2;

void Accelerate(double& speed, double push, double reversal, double top) {
  if ((speed > 0 && push < 0) || (speed < 0 && push > 0)) push *= reversal;
  speed = std::clamp(speed + push, -top, top);
}

void RequestAnime(cChara& chara, int pattern, int level) {
  if (chara.animeOverride >= 0 && chara.animeLevel > level) return;
  chara.animeOverride = pattern;
  chara.animeLevel = level;
}

}  // namespace

const cEdMove* MoveOf(const cCmdState& entry) { return entry.cmd == nullptr ? nullptr : entry.cmd->m_Move.get(); }

void BeginMoveStep(cChara& chara) { chara.pushLeft = chara.pushRight = 0; }

void FinishMoveStep(cChara& chara, cCmdState& entry, bool forced) {
  const cEdMove* move = MoveOf(entry);
  if (move == nullptr) return;
  if (entry.facingRequest != kKeepFacing && (!chara.def.m_bTurnByCmd || forced) && !move->m_bKeepFacing)
    chara.facing = entry.facingRequest == kRequestLeft ? 0 : 1;
  if (move->m_bAccelerate) {
    const double top = std::max(entry.topSpeed, 0.0);
    Accelerate(chara.cmdSpeedX, entry.velX, move->m_dReversal, top);
    Accelerate(chara.cmdSpeedY, entry.velY, move->m_dReversal, top);
  } else {
    chara.vx += entry.velX;
    chara.vy += entry.velY;
  }
  if (move->m_nMoveAnime == kMovingAnime) RequestAnime(chara, chara.Floats() ? kFlyPattern : kWalkPattern, kMovingLevel);
  else if (move->m_nMoveAnime == kStillAnime)
    RequestAnime(chara, chara.Floats() ? kHoverPattern : kStandPattern, kStillLevel);
}

#include "commands/movement/straight_start.h"

#include <cmath>

#include "commands/movement/move_velocity.h"
#include "definitions/move_record.h"
#include "stage/chara/chara.h"
#include "stage/core/double_to_int.h"
#include "stage/motion/aiming.h"
#include "stage/objects/stage_space.h"

namespace {

enum MoveMode : int { kByDirection = 0, kToTargetPoint = 1 };
enum TargetBase : int { kFromPlacement = 0, kFromCharacter = 1, kAbsolute = 2, kOnScreen = 3 };

bool PlacedMirrored(const cChara& chara) { return chara.def.m_nFacing != 0; }

void TowardTargetPoint(const cChara& chara, cCmdState& entry, const cEdMove& move) {
  double fromX = 0, fromY = 0, toX = 0, toY = 0;
  ScreenCenter(chara, fromX, fromY);
  TargetPoint(chara, entry, move.m_nTargetBase, toX, toY);
  const double dx = move.m_bMoveOnX ? toX - fromX : 0;
  const double dy = move.m_bMoveOnY ? toY - fromY : 0;
  const double distance = std::sqrt(dx * dx + dy * dy);
  const double speed = entry.moveSpeed;
  entry.velX = distance == 0 ? 0 : dx / distance * speed;
  entry.velY = distance == 0 ? 0 : dy / distance * speed;
  entry.facingRequest = kKeepFacing;
  if (!move.m_bStopAtTarget) return;
  entry.duration = entry.remaining = TruncToInt(distance / speed);
  if (entry.duration < 1 && move.m_bClampStep) entry.velX = entry.velY = 0;
}

}  // namespace

void TargetPoint(const cChara& chara, const cCmdState& entry, int base, double& x, double& y) {
  const double scrollX = g_StageSpace.scrollX.position;
  const double scrollY = g_StageSpace.scrollY.position;
  switch (base) {
    case kFromPlacement:
      x = chara.placedX - scrollX + entry.offsetX;
      y = chara.placedY - scrollY + entry.offsetY;
      return;
    case kAbsolute:
      x = g_StageSpace.blockOffsetX * 32 + entry.offsetX + 16 - scrollX;
      y = g_StageSpace.blockOffsetY * 32 + entry.offsetY + 16 - scrollY;
      return;
    case kOnScreen:
      x = entry.offsetX + 16;
      y = entry.offsetY + 16;
      return;
    default:
      ScreenCenter(chara, x, y);
      x += entry.offsetX;
      y += entry.offsetY;
      return;
  }
}

double PrepareAngleAndOffset(const cChara& chara, cCmdState& entry, const cEdMove& move) {
  double angle = move.m_nAngle + static_cast<double>(move.m_nAngleStep) * chara.cloneValue;
  if (PlacedMirrored(chara) && move.m_bAngleMirror) angle = 360 - angle;
  angle = std::fmod(angle, 360.0);
  entry.offsetX = move.m_nTargetXBl * 32.0 + move.m_nTargetXDot;
  entry.offsetY = move.m_nTargetYBl * 32.0 + move.m_nTargetYDot;
  if (PlacedMirrored(chara)) {
    if (move.m_bMirrorTargetX) entry.offsetX = -entry.offsetX;
    if (move.m_bMirrorTargetY) entry.offsetY = -entry.offsetY;
  }
  return angle;
}

void StartStraightMove(const cChara& chara, cCmdState& entry, const cEdMove& move, int inputSlot) {
  const double angle = PrepareAngleAndOffset(chara, entry, move);
  if (move.m_nMoveMode == kToTargetPoint) {
    TowardTargetPoint(chara, entry, move);
  } else {
    const int code = ResolveMoveCode(chara, entry.moveType, inputSlot);
    const MoveVelocity v = DirectionVelocity(chara, code, entry.moveSpeed, angle);
    entry.velX = v.vx;
    entry.velY = v.vy;
    entry.facingRequest = v.facingRequest;
  }
  if (!chara.Floats()) entry.velY = 0;
}

#include "commands/firing/firing_geometry.h"

#include <cmath>

#include "commands/dispatch/directions.h"
#include "commands/movement/move_velocity.h"
#include "definitions/shot_record.h"
#include "stage/core/double_to_int.h"
#include "stage/objects/stage_obj.h"
#include "stage/objects/stage_space.h"

DrawnCell DrawnCellOf(const cStageObj& obj) {
  return {obj.screenLeft, obj.screenTop, obj.screenRight, obj.screenBottom, obj.drawWidth, obj.drawHeight};
}

std::int32_t ScrollDotsX() { return TruncToInt(g_StageSpace.scrollX.position); }
std::int32_t ScrollDotsY() { return TruncToInt(g_StageSpace.scrollY.position); }

double DiagonalShare() {
  static const double share = 1.0 / std::sqrt(2.0);
  return share;
}

bool IsDiagonalCode(int code) { return code >= kDirUpLeft && code <= kDirDownRight; }

bool IsKnownCode(int code) {
  return code == kDirLeft || code == kDirRight || code == kDirUp || code == kDirDown || IsDiagonalCode(code);
}

int BaseAngle(int code) {
  switch (code) {
    case kDirRight: return 180;
    case kDirUp: return 90;
    case kDirDown: return 270;
    case kDirUpLeft: return 45;
    case kDirDownLeft: return 315;
    case kDirUpRight: return 135;
    case kDirDownRight: return 225;
    default: return 0;
  }
}

int SignX(int code) {
  if (code == kDirLeft || code == kDirUpLeft || code == kDirDownLeft) return -1;
  if (code == kDirRight || code == kDirUpRight || code == kDirDownRight) return 1;
  return 0;
}

int SignY(int code) {
  if (code == kDirUp || code == kDirUpLeft || code == kDirUpRight) return -1;
  if (code == kDirDown || code == kDirDownLeft || code == kDirDownRight) return 1;
  return 0;
}

void SetVelocityByAngle(ShotPlacement& placement, double degrees) {
  const double radians = degrees * kRadiansPerDegree;
  placement.vx = -std::cos(radians) * placement.speed;
  placement.vy = -std::sin(radians) * placement.speed;
}

void SetVelocityAlong(ShotPlacement& placement, int code) {
  DirectionStep(code, placement.speed, placement.vx, placement.vy);
}

bool IsTurned(const cEdShot& rec, const ShotPlacement& placement) { return placement.angle != 0 || rec.m_bAim != 0; }

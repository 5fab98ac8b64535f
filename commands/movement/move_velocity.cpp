#include "commands/movement/move_velocity.h"

#include <cmath>

#include "commands/dispatch/directions.h"
#include "commands/movement/input_direction.h"
#include "stage/chara/chara.h"

namespace {

constexpr double kRadianPerDegree = 0.017453292519943278;
const double kDiagonal = 1 / std::sqrt(2.0);

struct CodeShape {
  int dx = 0, dy = 0;
  double baseAngle = 0;
};

CodeShape ShapeOf(int code) {
  switch (code) {
    case kDirLeft: return {-1, 0, 0};
    case kDirUpLeft: return {-1, -1, 45};
    case kDirUp: return {0, -1, 90};
    case kDirUpRight: return {1, -1, 135};
    case kDirRight: return {1, 0, 180};
    case kDirDownRight: return {1, 1, 225};
    case kDirDown: return {0, 1, 270};
    case kDirDownLeft: return {-1, 1, 315};
    default: return {};
  }
}

}  // namespace

int ResolveMoveCode(const cChara& chara, int code, int inputSlot) {
  return ResolveMoveCode(chara, code, inputSlot, chara.Floats());
}

int ResolveMoveCode(const cChara& chara, int code, int inputSlot, bool verticalMover) {
  const int facingRight = chara.facing != 0;
  if (code != kDirInput) return ResolveFacingCode(code, facingRight);
  int resolved = ResolveFacingCode(MapDirChoice(InputDirChoice(inputSlot), 1, facingRight), facingRight);
  if (!verticalMover) {
    if (resolved == kDirUpLeft || resolved == kDirDownLeft) resolved = kDirLeft;
    if (resolved == kDirUpRight || resolved == kDirDownRight) resolved = kDirRight;
  }
  return resolved;
}

void DirectionStep(int code, double distance, double& dx, double& dy) {
  const CodeShape shape = ShapeOf(code);
  const double along = shape.dx != 0 && shape.dy != 0 ? distance * kDiagonal : distance;
  dx = shape.dx * along;
  dy = shape.dy * along;
}

MoveVelocity DirectionVelocity(const cChara& chara, int code, double speed, double angle) {
  MoveVelocity v;
  const CodeShape shape = ShapeOf(code);
  if (angle != 0) {
    const double a = (shape.baseAngle + angle) * kRadianPerDegree;
    v.vx = -std::cos(a) * speed;
    v.vy = -std::sin(a) * speed;
  } else if (shape.dx != 0 && shape.dy != 0) {
    v.vx = shape.dx * speed * kDiagonal;
    v.vy = shape.dy * speed * kDiagonal;
  } else {
    v.vx = shape.dx * speed;
    if (chara.Floats()) v.vy = shape.dy * speed;
  }
  if (!chara.def.m_bTurnByCmd) v.facingRequest = shape.dx < 0 ? kRequestLeft : shape.dx > 0 ? kRequestRight : kKeepFacing;
  return v;
}

void RotateVelocity(double& vx, double& vy, double angle) {
  const double a = angle * kRadianPerDegree;
  const double x = vx * std::cos(a) - vy * std::sin(a);
  const double y = vx * std::sin(a) + vy * std::cos(a);
  vx = x;
  vy = y;
}

#include "stage/motion/aiming.h"

#include <cmath>

#include "stage/chara/chara.h"
#include "stage/core/stage_rules.h"
#include "stage/objects/stage_space.h"

namespace {

enum FixedAxis : int { kXFixed = 1, kYFixed = 2 };

double RunningSpeed(const ScrollAxis& axis) { return axis.running && !axis.atLimit ? axis.speed : 0.0; }

bool RidesScroll(const cStageObj& owner) { return owner.scrollSync != 0 && g_StageRules.noScrollSync == 0; }

void ClearMotion(cFlowState* flow) {
  if (flow == nullptr) return;
  flow->motion[0] = flow->motion[1] = 0;
}

// The velocity of length |speed| that, with the screen moving by (sx, sy)
// per step, closes the distance (dx, dy) relative to the screen. Solved for
// the component of the larger distance (a quadratic; the root on the side of
// that distance), the other from the arrival time. False when there is no
// real solution.
bool SolveAgainstScroll(double dx, double dy, double sx, double sy, double speed, double& vx, double& vy) {
  const bool alongX = std::fabs(dx) >= std::fabs(dy);
  const double major = alongX ? dx : dy;
  const double minor = alongX ? dy : dx;
  const double sMajor = alongX ? sx : sy;
  const double sMinor = alongX ? sy : sx;
  if (major == 0) return false;
  const double k = minor / major;
  const double c0 = sMinor - k * sMajor;  // minor = c0 + k * major component
  const double a = 1 + k * k;
  const double b = 2 * k * c0;
  const double c = c0 * c0 - speed * speed;
  const double disc = b * b - 4 * a * c;
  if (disc < 0) return false;
  const double root = major > 0 ? (-b + std::sqrt(disc)) / (2 * a) : (-b - std::sqrt(disc)) / (2 * a);
  const double majorV = root;
  const double minorV = c0 + k * majorV;
  vx = alongX ? majorV : minorV;
  vy = alongX ? minorV : majorV;
  return true;
}

}  // namespace

void ScreenCenter(const cStageObj& obj, double& x, double& y) {
  x = obj.screenLeft + obj.drawWidth / 2.0;
  y = obj.screenTop + obj.drawHeight / 2.0;
}

void GetTargetPoint(const cChara& target, const cChara& owner, double offsetX, double offsetY, int fixedAxis,
                    double& outX, double& outY) {
  double ownX = 0, ownY = 0;
  ScreenCenter(owner, ownX, ownY);
  ScreenCenter(target, outX, outY);
  outX = fixedAxis == kXFixed ? ownX : outX + offsetX;
  outY = fixedAxis == kYFixed ? ownY : outY + offsetY;
}

double AutoScrollSpeedX() { return RunningSpeed(g_StageSpace.scrollX); }
double AutoScrollSpeedY() { return RunningSpeed(g_StageSpace.scrollY); }

PlaneAim VelocityTowardScrolled(const cStageObj& owner, double fromX, double fromY, double toX, double toY,
                                double speed, int screenFixed, int free, int stopAtTarget) {
  PlaneAim aim = VelocityToward(fromX, fromY, toX, toY, speed, free, stopAtTarget);
  const double sx = AutoScrollSpeedX();
  const double sy = AutoScrollSpeedY();
  if (g_StageRules.noScrollSync) {
    aim.vx += sx;
    aim.vy += sy;
  } else if (owner.scrollSync && !screenFixed) {
    if ((sx != 0 || sy != 0) &&
        !SolveAgainstScroll(toX - fromX, toY - fromY, sx, sy, std::fabs(speed), aim.vx, aim.vy)) {
      aim.reached = 0;
      return aim;
    }
  } else if (!owner.scrollSync && screenFixed) {
    aim.vx -= sx;
    aim.vy -= sy;
  }
  aim.direction = aim.vx < 0 ? 1 : aim.vx > 0 ? 2 : 0;
  return aim;
}

AxisAim SpeedTowardX(const cStageObj& owner, cFlowState* flow, double from, double to, double speed, int fixed,
                     int stopAtTarget) {
  AxisAim aim = SpeedToward(from, to, speed, stopAtTarget);
  if (!fixed && RidesScroll(owner)) aim.velocity += AutoScrollSpeedX();
  ClearMotion(flow);
  return aim;
}

AxisAim SpeedTowardY(const cStageObj& owner, cFlowState* flow, double from, double to, double speed, int fixed,
                     int stopAtTarget) {
  AxisAim aim = SpeedToward(from, to, speed, stopAtTarget);
  aim.direction = 0;
  if (!fixed && RidesScroll(owner)) aim.velocity += AutoScrollSpeedY();
  ClearMotion(flow);
  return aim;
}

namespace {

AxisAim AimAlongAxis(cChara& obj, cFlowState* flow, double to, double speed, int stopAtTarget, bool yAxis) {
  double x = 0, y = 0;
  ScreenCenter(obj, x, y);
  const AxisAim aim = yAxis ? SpeedTowardY(obj, flow, y, to, speed, 0, stopAtTarget)
                            : SpeedTowardX(obj, flow, x, to, speed, 0, stopAtTarget);
  if (aim.reached) {
    obj.UpdateScreenPos();
    if (yAxis) obj.SetCenterYAndStop(to, flow);
    else obj.SetCenterXAndStop(to, flow);
  }
  return aim;
}

}  // namespace

AxisAim AimAtTargetX(cChara& obj, cFlowState* flow, double toX, double speed, int stopAtTarget) {
  return AimAlongAxis(obj, flow, toX, speed, stopAtTarget, false);
}

AxisAim AimAtTargetY(cChara& obj, cFlowState* flow, double toY, double speed, int stopAtTarget) {
  return AimAlongAxis(obj, flow, toY, speed, stopAtTarget, true);
}

PlaneAim AimAtTarget(cChara& obj, cFlowState* flow, double toX, double toY, double speed, int stopAtTarget) {
  double x = 0, y = 0;
  ScreenCenter(obj, x, y);
  const PlaneAim aim = VelocityTowardScrolled(obj, x, y, toX, toY, speed, 0, 0, stopAtTarget);
  if (aim.reached) {
    obj.UpdateScreenPos();
    obj.SetPosAndStop(toX, toY, flow);
  }
  return aim;
}

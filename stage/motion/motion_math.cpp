#include "stage/motion/motion_math.h"

#include <cmath>

#include "stage/chara/chara.h"
#include "stage/core/double_to_int.h"
#include "stage/objects/stage_space.h"

namespace {

constexpr double kDegree = 3.14159265358979323846 / 180.0;

double Level() { return g_StageSpace.levelF; }
double Gravity() { return g_StageSpace.gravityStep; }

// Wraps the accumulator once it reaches a full turn of L sub-steps.
void Advance(double& accumulator, double s) {
  accumulator += s;
  if (accumulator >= 360.0 * Level()) accumulator -= 360.0 * Level();
}

}  // namespace

int HblToDot(int n) { return static_cast<std::int8_t>(n) * 32 / 2; }

double AccelToStep(int n) { return static_cast<std::int16_t>(n) * 0.01 / (Level() * Level()); }

double PerSecToStep(double v) { return v / Level() / 60.0; }

double TenthsToStep(double n) { return n * 0.1 / Level(); }

double JumpSpeedForHeight(double height) {
  const double g = Gravity();
  return -(g + std::sqrt(g * (8.0 * height + g))) / 2.0;
}

double JumpSpeedForHbl(int n) { return JumpSpeedForHeight(n * 16.0); }

int StepsToApex(double v) { return TruncToInt(Level() - v / Gravity()); }

int JumpTimeForHbl(int n) {
  const int level = g_StageSpace.level > 0 ? g_StageSpace.level : 1;
  return StepsToApex(JumpSpeedForHbl(n)) / level / 6 + 1;
}

double WaveStep(double a, double f, double& accumulator, double s, double phase) {
  const double w = f * kDegree;
  const double step = a * std::cos((accumulator / Level() + phase) * w) * w / Level();
  Advance(accumulator, s);
  return step;
}

double WaveStepSin(double a, double f, double& accumulator, double s, double phase) {
  const double w = f * kDegree;
  const double step = -w * (a * std::sin((accumulator / Level() + phase) * w) * w / Level()) / Level();
  Advance(accumulator, s);
  return step;
}

AxisAim SpeedToward(double from, double to, double speed, int stopAtTarget) {
  AxisAim aim;
  if (from >= to) {
    aim.velocity = -speed;
    aim.direction = 1;
  } else {
    aim.velocity = speed;
    aim.direction = 2;
  }
  aim.reached = stopAtTarget && std::fabs(speed) >= std::fabs(from - to) ? 1 : 0;
  return aim;
}

PlaneAim VelocityToward(double fromX, double fromY, double toX, double toY, double speed, int free, int stopAtTarget) {
  PlaneAim aim;
  const double dx = toX - fromX;
  const double dy = toY - fromY;
  if (speed < 0 && !free) {
    const double each = -speed / std::sqrt(2.0);
    aim.vx = dx >= 0 ? -each : each;
    aim.vy = dy >= 0 ? -each : each;
  } else {
    double length = std::sqrt(dx * dx + dy * dy);
    if (length == 0) length = 1;
    aim.vx = dx / length * speed;
    aim.vy = dy / length * speed;
  }
  aim.direction = aim.vx < 0 ? 1 : aim.vx > 0 ? 2 : 0;
  aim.reached = stopAtTarget && std::fabs(dx) <= std::fabs(speed) && std::fabs(dy) <= std::fabs(speed) ? 1 : 0;
  return aim;
}

void DecayTowardZero(const cChara& chara, double& speed, int on) {
  if (!on) return;
  if (speed > 0) {
    speed -= chara.stopDecel;
    if (speed < 0) speed = 0;
  } else if (speed < 0) {
    speed += chara.stopDecel;
    if (speed >= 0) speed = 0;
  }
}

#pragma once
// The small numeric services of movement: conversions from the units the
// editor stores to dots per sub-step (the stage runs L sub-steps per
// frame), jump speeds for a height, the wave steps of circular movement,
// the signed speed toward a point, and the stopping friction. Speeds are in
// dots per sub-step; y grows downwards.

#include <cstdint>

class cChara;

// n half blocks (signed 8-bit) in dots.
int HblToDot(int n);
// Hundredths of a dot per frame squared, per sub-step squared.
double AccelToStep(int n);
// A value per second, per sub-step.
double PerSecToStep(double v);
// Tenths of a dot per frame, per sub-step.
double TenthsToStep(double n);

// The upward (negative) speed that rises `height` dots under the stage's
// gravity.
double JumpSpeedForHeight(double height);
double JumpSpeedForHbl(int n);
int StepsToApex(double v);
// The jump's duration in tenths of a second.
int JumpTimeForHbl(int n);

// Circular and wave movement: the step of a wave of amplitude a and angular
// factor f at accumulator A (degrees x L) and phase p; A advances by s and
// wraps at 360 x L. WaveStepSin gives the wave's acceleration.
double WaveStep(double a, double f, double& accumulator, double s, double phase);
double WaveStepSin(double a, double f, double& accumulator, double s, double phase);

// The speed toward `to` along one axis: -speed (direction 1, left) when
// from >= to, else +speed (direction 2). 1 when a step of |speed| reaches
// the target and the move stops there.
struct AxisAim {
  double velocity = 0;
  int direction = 0;
  int reached = 0;
};
AxisAim SpeedToward(double from, double to, double speed, int stopAtTarget);

// Both axes: the velocity of length |speed| along the line to the target (a
// length 0 line counts as 1); a negative speed without `free` flees at 45
// degrees on both axes.
struct PlaneAim {
  double vx = 0, vy = 0;
  int direction = 0;
  int reached = 0;
};
PlaneAim VelocityToward(double fromX, double fromY, double toX, double toY, double speed, int free, int stopAtTarget);

// One step of friction: a speed moves toward 0 by the character's stopping
// deceleration and stops at 0.
void DecayTowardZero(const cChara& chara, double& speed, int on);

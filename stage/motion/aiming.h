#pragma once
// Aiming a moving object at a point on the screen: the point a command aims
// at on its target, the speed toward it on one axis or along the line, and
// the placement on the point when a move that stops there reaches it. All
// points are screen positions (the drawn cell's centre), so a target and its
// pursuer compare the same way whatever the scroll does. While the stage
// scrolls by itself, a pursuer that rides the scroll aims so that its motion
// relative to the screen heads for the target at its own speed.

#include "stage/motion/motion_math.h"

class cChara;
class cStageObj;
struct cFlowState;

// The point a command aims at: the target's screen centre plus the
// offset. A command that keeps an axis fixed (its fixed-axis choice: 1 x,
// 2 y) aims along the other axis only: on the fixed one the point is the
// owner's own centre.
void GetTargetPoint(const cChara& target, const cChara& owner, double offsetX, double offsetY, int fixedAxis,
                    double& outX, double& outY);

// The screen centre of an object's drawn cell.
void ScreenCenter(const cStageObj& obj, double& x, double& y);

// The auto-scroll speed of an axis now (0 when it does not scroll or stands
// at its limit).
double AutoScrollSpeedX();
double AutoScrollSpeedY();

// VelocityToward with the scroll compensation: with synchronisation
// switched off for the project the scroll speed is added; a synchronised
// owner that is not screen-fixed gets the velocity of length |speed| whose
// motion relative to the screen points at the target (the plain velocity and
// no arrival when there is none); an owner that is not synchronised but
// screen-fixed has the scroll speed taken off.
PlaneAim VelocityTowardScrolled(const cStageObj& owner, double fromX, double fromY, double toX, double toY,
                                double speed, int screenFixed, int free, int stopAtTarget);

// One axis: SpeedToward plus the scroll speed for a synchronised owner
// (unless fixed or switched off for the project); the flow's motion is
// cleared.
AxisAim SpeedTowardX(const cStageObj& owner, cFlowState* flow, double from, double to, double speed, int fixed,
                     int stopAtTarget);
AxisAim SpeedTowardY(const cStageObj& owner, cFlowState* flow, double from, double to, double speed, int fixed,
                     int stopAtTarget);

// From the object's screen centre toward (toX, toY); when the point is
// reached and the move stops there, the object is put on it and the flow's
// motion cleared.
AxisAim AimAtTargetX(cChara& obj, cFlowState* flow, double toX, double speed, int stopAtTarget);
AxisAim AimAtTargetY(cChara& obj, cFlowState* flow, double toY, double speed, int stopAtTarget);
PlaneAim AimAtTarget(cChara& obj, cFlowState* flow, double toX, double toY, double speed, int stopAtTarget);

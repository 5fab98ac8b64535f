#pragma once
// The velocity of a move by direction: the direction code (the facing codes
// resolved, the input direction read) gives left / right / up / down at the
// full speed and the diagonals at speed / sqrt(2) on each axis; with an
// angle, the code's base angle plus the angle gives the velocity
// (-cos a, -sin a) x speed (0 points left, 90 up). A move that goes left or
// right asks the character to face that way, unless commands turn it.

class cChara;

struct MoveVelocity {
  double vx = 0, vy = 0;
  int facingRequest = 0;  // 1 face left, 2 face right
};

enum FacingRequest : int { kKeepFacing = 0, kRequestLeft = 1, kRequestRight = 2 };

// The direction code a move takes: 0, 1, 4, 5 by the facing; 12 from the
// input slot (the diagonals of a ground mover become left or right).
int ResolveMoveCode(const cChara& chara, int code, int inputSlot);
// The same with the vertical directions allowed or not by the caller.
int ResolveMoveCode(const cChara& chara, int code, int inputSlot, bool verticalMover);
// The step of length `distance` along a resolved code (diagonals
// distance / sqrt(2) on each axis), whoever moves; 0 for no direction.
void DirectionStep(int code, double distance, double& dx, double& dy);
// `angle` 0 means no angle.
MoveVelocity DirectionVelocity(const cChara& chara, int code, double speed, double angle);
// (vx, vy) turned by `angle` degrees in the sense of the direction angles.
void RotateVelocity(double& vx, double& vy, double angle);

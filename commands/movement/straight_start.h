#pragma once
// The first step of the straight and charge moves: the angle with its
// increase per clone value (mirrored for a character placed facing right
// when the record says so), the target offset (each axis mirrored by its
// switch), and, for the straight move, the velocity by the record's move
// mode: by direction, or toward a target point (relative to the placement,
// to the character, absolute, or on the screen) that the move may stop at.

class cChara;
class cEdMove;
struct cCmdState;

// The target point on the screen for the record's base (0 from the
// placement, 1 from the character, 2 absolute, 3 on the screen) and the
// entry's target offset.
void TargetPoint(const cChara& chara, const cCmdState& entry, int base, double& x, double& y);
// The angle in degrees, below 360; also stores the entry's target offset.
double PrepareAngleAndOffset(const cChara& chara, cCmdState& entry, const cEdMove& move);
// Sets the entry's velocity and facing request (and, for a move that stops
// at its target point, the entry's duration).
void StartStraightMove(const cChara& chara, cCmdState& entry, const cEdMove& move, int inputSlot);

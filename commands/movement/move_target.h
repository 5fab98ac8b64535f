#pragma once
// The character a charge or homing move heads for: the target slot that
// its movement record names (a slot outside 0..3 is reported and empty).

class cChara;
class cEdMove;
struct cCmdState;
struct cFlowState;

cChara* MoveTarget(const cChara& chara, const cEdMove& move);

// The start of each step of a charge or homing move: the push words are
// cleared; on the first step the entry's velocity and facing request are
// cleared and its angle and target offset prepared. `move` is null for a
// command without a movement record (nothing moves).
struct TargetMoveStep {
  const cEdMove* move = nullptr;
  bool first = false;
  double angle = 0;
};
TargetMoveStep BeginTargetMove(cChara& chara, cCmdState& entry);

// The move aimed at the point: in two dimensions for a character that
// flies, along x only for one that walks. Sets the entry's velocity and
// facing request; the flow's motion is cleared.
void AimMoveAt(cChara& chara, cCmdState& entry, cFlowState* flow, double toX, double toY, int stopAtTarget);

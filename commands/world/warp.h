#pragma once
// "ワープ": puts the character somewhere else at once. From itself or from
// the character in a target slot, the centre moves by the record's distance
// (half blocks, with its increase per clone value) along the record's
// direction, vertical directions included; or, with base 5, the centre goes
// onto the record's target point as a move toward a target point computes
// it. x is set first and clamped, then y. An empty slot does nothing.

class cChara;
class cEdCmd;

enum WarpBase : int { kWarpFromSelf = 0, kWarpFromTarget1 = 1, kWarpFromTarget4 = 4, kWarpToTargetPoint = 5 };

void Warp(cChara& chara, const cEdCmd& command);

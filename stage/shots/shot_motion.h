#pragma once
// The pieces of a shot's flight that its set-up shares with its steps.

class cStageShot;

// The x clamp of a shot: a shot narrower than the stage is kept inside it
// (3 when it was moved back), then its right edge, box and columns follow.
int ShotClampX(cStageShot& shot);
// The acceleration magnitude split along the direction (vx, vy); an axis-
// parallel direction gets all of it on that axis, no direction none.
void SplitAccel(cStageShot& shot, double vx, double vy);

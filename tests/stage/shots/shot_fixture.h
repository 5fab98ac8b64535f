#pragma once
// Shots placed by hand on the test stages: set up from a record and a
// placement and added to the stage's shot list as the firing does it.

#include "stage/shots/stage_shot.h"

class cChara;

// A record of a plain straight shot of side `side` without effect.
cEdShot PlainShot(int side);
// A placement at (x, y) leaving with (vx, vy) dots per frame.
ShotPlacement PlaceAt(double x, double y, double vx, double vy);
// The shot made and added; null when it could not be made.
cStageShot* PutShot(cChara* owner, const cEdShot& record, const ShotPlacement& placement, int kind = kCmdKindShot);

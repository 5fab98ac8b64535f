#pragma once
// The stage the shot tests fly on, and shots placed by hand on it: set up
// from a record and a placement and added to the stage's shot list as the
// firing does it.

#include "stage/shots/stage_shot.h"
#include "tests/stage/stage_fixture.h"

class cChara;

// A 30 x 12 stage: the hero stands on a floor at column 5, row 8.
StageBuilder OpenStage(int speedLevel = 1);
// A record of a plain straight shot of side `side` without effect.
cEdShot PlainShot(int side);
// A placement at (x, y) leaving with (vx, vy) dots per frame.
ShotPlacement PlaceAt(double x, double y, double vx, double vy);
// The shot made and added; null when it could not be made.
cStageShot* PutShot(cChara* owner, const cEdShot& record, const ShotPlacement& placement, int kind = kCmdKindShot);

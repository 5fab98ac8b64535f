#pragma once
// The pieces of a shot's flight that its set-up shares with its steps.

#include "stage/core/double_to_int.h"
#include "stage/objects/stage_space.h"
#include "stage/shots/stage_shot.h"

// The x clamp of a shot: a shot narrower than the stage is kept inside it
// (3 when it was moved back), then its right edge, box and columns follow.
// Inline: every shot steps along x every sub-step.
inline int ShotClampX(cStageShot& shot) {
  const int stageWidth = g_StageSpace.x.size;
  int result = 0;
  if (shot.hitWidth < stageWidth) {
    if (shot.x < 0) {
      shot.x = 0;
      result = 3;
    } else if (shot.x + shot.hitWidth - 1 >= stageWidth) {
      shot.x = stageWidth - shot.hitWidth;
      result = 3;
    }
  }
  shot.right = shot.x + shot.hitWidth - 1;
  shot.UpdateBoxX();
  shot.leftColumn = TruncToInt(shot.x) >> 5;
  shot.rightColumn = TruncToInt(shot.right) >> 5;
  return result;
}
// The acceleration magnitude split along the direction (vx, vy); an axis-
// parallel direction gets all of it on that axis, no direction none.
void SplitAccel(cStageShot& shot, double vx, double vy);

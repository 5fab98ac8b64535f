// The x clamp and the acceleration split of a shot.
#include "stage/shots/shot_motion.h"

#include <cmath>

#include "stage/core/double_to_int.h"
#include "stage/objects/stage_space.h"
#include "stage/shots/stage_shot.h"

int ShotClampX(cStageShot& shot) {
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

void SplitAccel(cStageShot& shot, double vx, double vy) {
  const double length = std::sqrt(vx * vx + vy * vy);
  if (length == 0) {
    shot.accelX = shot.accelY = 0;
    return;
  }
  shot.accelX = shot.accel * vx / length;
  shot.accelY = shot.accel * vy / length;
}

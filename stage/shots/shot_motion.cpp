// The acceleration split of a shot.
#include "stage/shots/shot_motion.h"

#include <cmath>

#include "stage/shots/stage_shot.h"

void SplitAccel(cStageShot& shot, double vx, double vy) {
  const double length = std::sqrt(vx * vx + vy * vy);
  if (length == 0) {
    shot.accelX = shot.accelY = 0;
    return;
  }
  shot.accelX = shot.accel * vx / length;
  shot.accelY = shot.accel * vy / length;
}

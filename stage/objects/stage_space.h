#pragma once
// The geometry of the stage being played that every moving object reads:
// the stage's size in dots (its cells and the 10-cell margin), the inner
// range (what the view may cover) and the outer range around it per axis,
// the two scroll axes and the speed values of the playing stage. The stage
// scene sets it up at every attempt; objects read it while they move.

#include <cstdint>

#include "stage/scroll/scroll_axis.h"

struct AxisRange {
  std::int32_t innerMin = 0;
  std::int32_t innerMax = 0;
  std::int32_t outerMin = 0;
  std::int32_t outerMax = 0;
  std::int32_t size = 0;  // stage extent in dots
};

struct StageSpace {
  AxisRange x;
  AxisRange y;
  ScrollAxis scrollX;
  ScrollAxis scrollY;
  std::int32_t blockOffsetX = 10;
  std::int32_t blockOffsetY = 10;
  std::int32_t level = 1;      // sub-steps per frame, at least 1 where it divides
  double levelF = 1.0;
  double gravityStep = 0.004;  // gravity per sub-step squared
  double speedLimit = 6.0;     // dots per sub-step
  std::int32_t subStep = 1;    // the running sub-step of the frame, 1..level

  // The ranges of both axes from the scroll limits: inner = the limits,
  // outer = the limits widened by the extra dots, both inside the stage.
  void DeriveRanges();
};

extern StageSpace g_StageSpace;

#pragma once
// TEMPORARY stand-in until the shot object lands on main; replaced by it.
#include <cstdint>

struct ShotPlacement {
  std::int16_t cloneIndex = 0;
  double speed = 0;      // dots per frame
  double speedStep = 0;  // per clone
  std::int32_t angle = 0;
  std::int32_t range = 0;     // half blocks
  std::int32_t lifeTime = 0;  // tenths of a second
  double vx = 0, vy = 0;      // dots per frame
  std::int32_t startX = 0, startY = 0;  // stage dots
  std::int32_t stepX = 0, stepY = 0;    // to the next object of the row
  std::int32_t width = 16, height = 16;
  std::int32_t shiftX = 0, shiftY = 0;  // launch offsets
  std::int32_t direction = 0;           // direction code
};

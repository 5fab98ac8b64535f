#include "stage/objects/stage_space.h"

#include <algorithm>

StageSpace g_StageSpace;

namespace {

AxisRange RangeOf(const ScrollAxis& axis) {
  AxisRange range;
  range.size = axis.extent * 32;
  range.innerMin = axis.lower;
  range.innerMax = std::max(axis.upper, axis.lower);
  const std::int32_t extra = axis.extraDots - axis.window;
  range.outerMin = std::max(0, range.innerMin - extra);
  range.outerMax = std::min(range.size, range.innerMax + extra);
  return range;
}

}  // namespace

void StageSpace::DeriveRanges() {
  x = RangeOf(scrollX);
  y = RangeOf(scrollY);
}

#include "stage/show/show_params.h"

#include <algorithm>
#include <limits>

std::int32_t ShowFrames(std::int32_t tenths, std::int32_t oneFrame) {
  if (oneFrame) return 1;
  const std::int64_t frames = static_cast<std::int64_t>(tenths) * 6;
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(frames, std::numeric_limits<std::int32_t>::min(),
                                                            std::numeric_limits<std::int32_t>::max()));
}

#include "stage/show/show_params.h"

#include <algorithm>
#include <limits>

#include "definitions/command_record.h"

std::int32_t ShowParam(const cEdCmd& command, int index) {
  const auto& params = command.m_vParams;
  return index >= 0 && static_cast<std::size_t>(index) < params.size() ? params[index] : 0;
}

std::int32_t ShowFrames(std::int32_t tenths, std::int32_t oneFrame) {
  if (oneFrame) return 1;
  const std::int64_t frames = static_cast<std::int64_t>(tenths) * 6;
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(frames, std::numeric_limits<std::int32_t>::min(),
                                                            std::numeric_limits<std::int32_t>::max()));
}

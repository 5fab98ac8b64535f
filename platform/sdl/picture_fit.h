#pragma once
// Where a picture of the game is shown inside a window: the largest rectangle
// of the picture's shape that fits, centred (bars on the other sides). The
// presenter draws there and pointer positions are mapped back through it.

#include <cstdint>

namespace platform::sdl {

struct FitArea {
  int x = 0;
  int y = 0;
  int w = 0;
  int h = 0;
};

inline FitArea FitPicture(int outW, int outH, int width, int height) {
  FitArea rect{0, 0, outW, outH};
  if (width < 1 || height < 1) return rect;
  if (std::int64_t(outW) * height > std::int64_t(outH) * width) {
    rect.w = int(std::int64_t(outH) * width / height);
    rect.x = (outW - rect.w) / 2;
  } else {
    rect.h = int(std::int64_t(outW) * height / width);
    rect.y = (outH - rect.h) / 2;
  }
  return rect;
}

}  // namespace platform::sdl

#include "tests/desktop/screen_picture.h"

#include "platform/sdl/picture_fit.h"

namespace desktop_test {
namespace {

// The screen column (or row) at the middle of the frame's pixel `at`.
int Middle(int at, int frameSize, int fitStart, int fitSize) {
  return fitStart + static_cast<int>((2 * static_cast<std::int64_t>(at) + 1) * fitSize / (2 * frameSize));
}

// A frame whose pixels differ from another screen's in far more than this.
constexpr int kToleratedPixels = 200;

}  // namespace

int PixelsNotShown(const ScreenPixels& area, const GameFrame& frame) {
  const ScreenRect part = frame.part.width > 0 ? frame.part : ScreenRect{0, 0, frame.width, frame.height};
  if (area.width == 0 || area.height == 0) return part.width * part.height;
  const platform::sdl::FitArea fit =
      platform::sdl::FitPicture(area.width, area.height, frame.width, frame.height);
  int differing = 0;
  for (int y = part.y; y < part.y + part.height; ++y) {
    const int screenY = Middle(y, frame.height, fit.y, fit.h);
    for (int x = part.x; x < part.x + part.width; ++x) {
      const int screenX = Middle(x, frame.width, fit.x, fit.w);
      if (area.At(screenX, screenY) != frame.pixels[static_cast<std::size_t>(y) * frame.width + x])
        ++differing;
    }
  }
  return differing;
}

bool Shows(const ScreenPixels& area, const GameFrame& frame) {
  return PixelsNotShown(area, frame) <= kToleratedPixels;
}

}  // namespace desktop_test

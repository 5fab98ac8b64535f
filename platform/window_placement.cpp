#include "platform/window_placement.h"

#include <algorithm>
#include <cstdint>

#include "platform/clock.h"
#include "platform/window_backend.h"

namespace platform {
namespace {

// How long a shown window may stay without a known frame: without a window
// manager (or with one that draws none) there never is one.
constexpr std::uint32_t kFrameWaitMs = 2000;

bool Framed(const WindowFrame& frame) {
  return frame.left != 0 || frame.top != 0 || frame.right != 0 || frame.bottom != 0;
}

int ClampAxis(int position, int size, int before, int after, int areaStart, int areaSize) {
  const int first = areaStart + before;
  const int last = areaStart + areaSize - after - size;
  return std::max(first, std::min(position, last));
}

// How far two spans starting at the positions overlap (0 when they do not).
std::int64_t Overlap(int start, int size, int otherStart, int otherSize) {
  const std::int64_t from = std::max<std::int64_t>(start, otherStart);
  const std::int64_t to =
      std::min<std::int64_t>(std::int64_t(start) + size, std::int64_t(otherStart) + otherSize);
  return std::max<std::int64_t>(0, to - from);
}

}  // namespace

WindowRect ShrinkToFit(const WindowRect& rect, int roomWidth, int roomHeight) {
  WindowRect fitted = rect;
  if (rect.width < 1 || rect.height < 1 || roomWidth < 1 || roomHeight < 1) return fitted;
  if (rect.width <= roomWidth && rect.height <= roomHeight) return fitted;
  const std::int64_t width = rect.width, height = rect.height;
  if (std::int64_t(roomWidth) * height <= std::int64_t(roomHeight) * width) {
    fitted.width = roomWidth;
    fitted.height = int(std::max<std::int64_t>(1, roomWidth * height / width));
  } else {
    fitted.height = roomHeight;
    fitted.width = int(std::max<std::int64_t>(1, roomHeight * width / height));
  }
  return fitted;
}

WindowRect FitFramedWindow(const WindowRect& inner, const WindowFrame& frame, const WindowRect& area) {
  WindowRect fitted = ShrinkToFit(inner, std::max(1, area.width - frame.left - frame.right),
                                  std::max(1, area.height - frame.top - frame.bottom));
  fitted.x = ClampAxis(inner.x, fitted.width, frame.left, frame.right, area.x, area.width);
  fitted.y = ClampAxis(inner.y, fitted.height, frame.top, frame.bottom, area.y, area.height);
  return fitted;
}

Monitor MonitorHolding(const WindowRect& rect, const std::vector<Monitor>& monitors) {
  if (monitors.empty()) return {};
  const Monitor* holding = &monitors.front();
  std::int64_t most = 0;
  for (const Monitor& monitor : monitors) {
    const std::int64_t held = Overlap(rect.x, rect.width, monitor.bounds.x, monitor.bounds.width) *
                              Overlap(rect.y, rect.height, monitor.bounds.y, monitor.bounds.height);
    if (held > most) {
      most = held;
      holding = &monitor;
    }
  }
  return *holding;
}

WindowRect BoundsOfAll(const std::vector<Monitor>& monitors) {
  if (monitors.empty()) return {};
  int left = monitors.front().bounds.x, top = monitors.front().bounds.y;
  int right = left + monitors.front().bounds.width, bottom = top + monitors.front().bounds.height;
  for (const Monitor& monitor : monitors) {
    left = std::min(left, monitor.bounds.x);
    top = std::min(top, monitor.bounds.y);
    right = std::max(right, monitor.bounds.x + monitor.bounds.width);
    bottom = std::max(bottom, monitor.bounds.y + monitor.bounds.height);
  }
  return {left, top, right - left, bottom - top};
}

void WindowPlacement::Want(const WindowRect& inner) {
  wanted_ = inner;
  unframedSince_.reset();
}

void WindowPlacement::Forget() {
  wanted_.reset();
  unframedSince_.reset();
}

void WindowPlacement::Keep(WindowBackend& backend) {
  if (!wanted_) return;
  if (!backend.Exists() || backend.Maximised() || backend.Minimised() || backend.FullScreen()) {
    Forget();
    return;
  }
  const WindowFrame frame = backend.Frame();
  if (!Framed(frame)) {
    if (!unframedSince_) unframedSince_ = NowMs();
    if (NowMs() - *unframedSince_ >= kFrameWaitMs) Forget();
    return;
  }
  // Placed again even where the window seems to stand right already: the
  // frame may be known before the window manager's move of the window is.
  const WindowRect area = MonitorHolding(*wanted_, backend.Monitors()).workArea;
  const WindowRect target = FitFramedWindow(*wanted_, frame, area);
  const WindowRect now = backend.Rect();
  if (target.width != now.width || target.height != now.height)
    backend.Place(target.x, target.y, target.width, target.height);
  else
    backend.Move(target.x, target.y);
  Forget();
}

}  // namespace platform

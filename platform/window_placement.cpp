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

}  // namespace

WindowRect FitFramedWindow(const WindowRect& inner, const WindowFrame& frame, const WindowRect& area) {
  WindowRect fitted = inner;
  const std::int64_t roomW = std::max(1, area.width - frame.left - frame.right);
  const std::int64_t roomH = std::max(1, area.height - frame.top - frame.bottom);
  if (inner.width > roomW || inner.height > roomH) {
    if (roomW * inner.height <= roomH * inner.width) {
      fitted.width = int(roomW);
      fitted.height = int(std::max<std::int64_t>(1, roomW * inner.height / std::max(1, inner.width)));
    } else {
      fitted.height = int(roomH);
      fitted.width = int(std::max<std::int64_t>(1, roomH * inner.width / std::max(1, inner.height)));
    }
  }
  fitted.x = ClampAxis(inner.x, fitted.width, frame.left, frame.right, area.x, area.width);
  fitted.y = ClampAxis(inner.y, fitted.height, frame.top, frame.bottom, area.y, area.height);
  return fitted;
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
  const WindowRect target = FitFramedWindow(*wanted_, frame, backend.WorkArea());
  const WindowRect now = backend.Rect();
  if (target.width != now.width || target.height != now.height)
    backend.Place(target.x, target.y, target.width, target.height);
  else
    backend.Move(target.x, target.y);
  Forget();
}

}  // namespace platform

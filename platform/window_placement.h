#pragma once
// Where the program puts its window, held against the window manager's frame
// (internal to platform/). Positions are those of the window's inner area.
// A window placed before the manager framed it lands with the frame's corner
// where the inner corner was meant to go, so the program's placement is kept
// until the frame is known and then applied again. A frame that would reach
// past the work area (of the monitor that holds the most of the window) is
// brought inside it, the inner area shrunk (its shape kept) where the frame
// cannot fit otherwise, so the whole picture shows. Main thread only.

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/window.h"

namespace platform {

class WindowBackend;

class WindowPlacement {
 public:
  // The inner area the program asked for.
  void Want(const WindowRect& inner);
  // After each pass of the window's events, once the window is shown.
  void Keep(WindowBackend& backend);
  void Forget();

 private:
  std::optional<WindowRect> wanted_;
  // When the shown window was first seen without a known frame.
  std::optional<std::uint32_t> unframedSince_;
};

// The inner area moved (and, where its frame is larger than the area,
// shrunk to the largest size of its shape that fits) so that the window
// with its frame lies inside the area.
WindowRect FitFramedWindow(const WindowRect& inner, const WindowFrame& frame, const WindowRect& area);

// The smallest rectangle that holds the bounds of every monitor (empty when
// there is none).
WindowRect BoundsOfAll(const std::vector<Monitor>& monitors);

}  // namespace platform

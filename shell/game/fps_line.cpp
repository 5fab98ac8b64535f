#include <array>

#include "graphics/device/device.h"
#include "graphics/text/font_setup.h"
#include "shell/game/frame_step.h"
#include "shell/init/system_ini.h"

namespace {

// The last 16 frames' working times; their mean is taken each time the ring
// fills up again.
struct FrameTimeRing {
  std::array<std::uint32_t, 16> times{};
  int index = 0;
  std::uint32_t mean = 0;
};
FrameTimeRing g_ring;

}  // namespace

void DrawFpsLine(int fps, std::uint32_t frameTime) {
  g_ring.times[g_ring.index] = frameTime;
  if (++g_ring.index == static_cast<int>(g_ring.times.size())) {
    g_ring.index = 0;
    std::uint32_t sum = 0;
    for (std::uint32_t t : g_ring.times) sum += t;
    g_ring.mean = sum / static_cast<std::uint32_t>(g_ring.times.size());
  }
  const int mean = static_cast<int>(g_ring.mean);
  if (g_SystemIni.ShowFps == 2)
    g_Fonts[0].Printf(&BackBuffer, 549, 469, "FPS%2d(%2d)", fps, mean);
  else
    g_Fonts[1].PrintfBox(&BackBuffer, 495, 463, 0, 0, "FPS%2d(%2d)", fps, mean);
}

void ResetFpsLine() { g_ring = FrameTimeRing{}; }

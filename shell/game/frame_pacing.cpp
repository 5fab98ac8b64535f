#include "graphics/device/device.h"
#include "shell/game/frame_step.h"
#include "shell/game/game_clock.h"

namespace {

struct Pacing {
  bool started = false;
  std::uint32_t start = 0;
  int index = 0;
};
Pacing g_pacing;

// A frame more than this many frame periods late follows a stall.
constexpr double kStallFrames = 3.0;

}  // namespace

bool PaceFrameD3D(int fps, int, std::uint32_t) {
  if (!lpDTCon || fps == 0) return true;
  const std::uint32_t now = GameNowMs();
  if (!g_pacing.started) {
    g_pacing = {true, now, 0};
  }
  const double period = 1000.0 / fps;
  const double due = g_pacing.index * period;
  const double elapsed = static_cast<double>(now - g_pacing.start);
  if (elapsed < due) return false;
  if (elapsed - due > kStallFrames * period) {
    g_pacing.start = now;
    g_pacing.index = 0;
  }
  if (++g_pacing.index >= fps) {
    g_pacing.index = 0;
    g_pacing.start = now;
  }
  return true;
}

namespace {
// The present asks until the frame is due; waiting here on the game clock
// lets a test clock advance instead of the present sleeping in real time.
bool WaitUntilFrameDue(int fps, int overlay, std::uint32_t overlayColour) {
  while (!PaceFrameD3D(fps, overlay, overlayColour)) {
    if (!GameSleepMs(1)) break;
  }
  return true;
}
}  // namespace

void WaitForDirect3DFrame(int fps) { WaitUntilFrameDue(fps, 0, 0); }

void InstallFramePacing() {
  g_pacing = Pacing{};
  SetPaceFrameD3D(&WaitUntilFrameDue);
}

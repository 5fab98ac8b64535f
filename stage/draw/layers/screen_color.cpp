#include "stage/draw/layers/screen_color.h"

#include <limits>

#include "graphics/device/device.h"
#include "stage/core/double_to_int.h"

ScreenColorPath CurrentScreenColorPath() {
  if (lpDTCon != nullptr) return ScreenColorPath::Blend;
  return g_DDState.nBpp == 8 ? ScreenColorPath::Palette : ScreenColorPath::None;
}

namespace {

std::int32_t TenthsToFrames(std::int32_t tenths) {
  if (tenths <= 0) return 0;
  const long long frames = static_cast<long long>(tenths) * 6;
  return frames > std::numeric_limits<std::int32_t>::max() ? std::numeric_limits<std::int32_t>::max()
                                                           : static_cast<std::int32_t>(frames);
}

int ComputeAlpha(const ScreenColorState& s) {
  if (s.blink || s.mode == 0) {
    // Time 0 shows at once the end state of the same change with a time.
    const double part = s.time == 0 ? 1.0 : static_cast<double>(s.counter) / s.time;
    return TruncToInt(255 - part * s.strength * 2.55);
  }
  if (s.time == 0) return 255;
  return TruncToInt(s.prevAlpha + static_cast<double>(s.counter) / s.time * (255 - s.prevAlpha));
}

void StepCounters(ScreenColorState& s) {
  if (s.counter < s.time) {
    ++s.counter;
    return;
  }
  if (s.blink) {
    s.counter = 0;
    s.alpha = 255;  // each blink cycle ends on the unchanged picture
    if (++s.repeatCounter >= s.repeat) s.active = 0;
  } else if (s.mode == 1 || s.strength == 0) {
    s.active = 0;
  }
}

}  // namespace

void StartScreenColorChange(ScreenColorState& s, const std::array<std::int32_t, 8>& p, ScreenColorPath path) {
  const bool nothingActive = path == ScreenColorPath::Palette ? s.started == 0 : s.active == 0;
  if (p[4] == 1 && nothingActive) return;
  s.prevRed = s.red;
  s.prevGreen = s.green;
  s.prevBlue = s.blue;
  s.prevStrength = s.strength;
  s.prevAlpha = s.alpha;
  s.red = static_cast<std::uint8_t>(p[0]);
  s.green = static_cast<std::uint8_t>(p[1]);
  s.blue = static_cast<std::uint8_t>(p[2]);
  s.strength = p[3];
  s.mode = p[4];
  s.time = TenthsToFrames(p[5]);
  s.blink = p[6];
  s.repeat = p[7];
  s.active = 1;
  s.counter = 0;
  s.repeatCounter = 0;
  if (s.mode == 0) {
    s.alpha = 0;
    s.started = 1;
  } else if (s.mode == 1) {
    s.red = s.prevRed;
    s.green = s.prevGreen;
    s.blue = s.prevBlue;
    s.strength = s.prevStrength;
    s.alpha = s.prevAlpha;
  }
}

void ResetScreenColor(ScreenColorState& state) { state = ScreenColorState{}; }

void AdvanceScreenColor(ScreenColorState& s, int held) {
  s.shown = 0;
  if (!s.active) return;
  s.alpha = ComputeAlpha(s);
  s.shown = 1;
  if (!held) StepCounters(s);
}

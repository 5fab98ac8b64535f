#pragma once
// Arithmetic shared by the character-effect and screen-effect slots: how far
// the running value moves per frame, and the report of an effect number that
// names no definition.

#include <cmath>
#include <cstddef>
#include <cstdint>

// An effect running from `from` to `to` over `tenths` tenths of a second
// moves by this much per frame (one frame is 1/6 of a tenth). A run time of
// zero or less reaches the end values in one step instead of dividing by it.
inline double EffectStepPerFrame(int from, int to, int tenths) {
  const double distance = std::fabs(static_cast<double>(to) - static_cast<double>(from));
  if (tenths <= 0) return distance;
  return distance / (tenths * 6.0);
}

// One frame, counted in tenths of a second.
inline constexpr double kTenthsPerFrame = 1.0 / 6.0;

// Writes "<what> effect number n is not defined (count)" to the report.
void ReportBadEffectNumber(const char* what, long long number, std::size_t count);

// Starts `slot` from the bound slot it was selected by: the running fields
// come from `bound` (copied by the slot kind's own `copyRunning`), then the
// selection's direction, number, play mode and loop, at progress 0.
template <typename Slot, typename CopyRunning>
void StartFromBound(Slot& slot, const Slot& bound, CopyRunning copyRunning, int backward, int n, int mode, int loop) {
  copyRunning(slot, bound);
  slot.backward = backward;
  slot.number = static_cast<std::int16_t>(n);
  slot.playMode = mode;
  slot.progress = 0;
  slot.loop = loop;
}

#pragma once
// What the character-effect and screen-effect slots share: the selection
// part of a slot, the two bound sets (forward and backward, one slot per
// definition), starting and restarting a slot from its bound one, how far the
// running value moves per frame, and the report of an effect number that
// names no definition. Each kind keeps its own running values, its binding
// and its stepping.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

enum EffectPlayMode : int { kPlayForward = 0, kPlayBackward = 1, kPlayThereAndBack = 2 };

// Which definition a slot runs, how it plays and how far it is.
template <typename Definition>
struct EffectSlotSelection {
  std::int16_t number = 0;  // 0: no effect
  const Definition* definition = nullptr;
  std::int32_t playMode = kPlayForward;
  std::int32_t loop = 0;
  std::int32_t backward = 0;
  std::int32_t progress = 0;

  // Once the value has reached its end: true when the effect is over
  // (it neither loops nor turns round for the way back).
  bool OverAtEnd() const { return !loop && (playMode != kPlayThereAndBack || backward == 1); }
};

// The two bound sets of an effect kind: set 0 plays each definition
// forward, set 1 backward.
template <typename Slot>
struct EffectSlotSets {
  std::vector<Slot> forward;
  std::vector<Slot> backward;

  // The bound slot of definition n in the backward (1) or forward (0) set;
  // null when n names no definition.
  const Slot* Bound(int n, int fromBackward) const {
    const std::vector<Slot>& set = fromBackward ? backward : forward;
    if (n < 0 || static_cast<std::size_t>(n) >= set.size()) return nullptr;
    return &set[static_cast<std::size_t>(n)];
  }
};

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

// Reloads a running slot from its bound slot for a loop, turning round first
// on the way back of "there and back".
template <typename Slot, typename CopyRunning>
void RestartFromBound(Slot& slot, const EffectSlotSets<Slot>& sets, CopyRunning copyRunning) {
  if (slot.playMode == kPlayThereAndBack) slot.backward = slot.backward ? 0 : 1;
  if (const Slot* bound = sets.Bound(slot.number, slot.backward)) copyRunning(slot, *bound);
  slot.progress = 0;
}

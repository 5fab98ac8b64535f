#pragma once
// The status panel across the top of the stage: total score, score, the
// hero's HP and SP gauges and the lives, each as an icon or its name with
// its number, spread evenly over the 640-dot strip; and the time display
// below it while a time limit runs.

#include <array>
#include <cstdint>

class cSystem;
class cGaugeEntry;

// The five values the panel shows.
struct StatusValues {
  std::int32_t totalScore = 0;
  std::int32_t score = 0;
  std::int32_t hp = 0, maxHp = 0;
  std::int32_t sp = 0, maxSp = 0;
  std::int32_t lives = 0;
};

inline constexpr int kStatusEntries = 5;
inline constexpr std::int32_t kUnlimitedLives = 999999;

// Where each visible entry starts (x), 0 for hidden ones, and the gap;
// gap 0 and no entries when none is visible.
struct StatusLayout {
  std::array<int, kStatusEntries> x{};
  int gap = 0;
  int visible = 0;
};
StatusLayout LayOutStatusPanel(const cSystem& system);
// The width an entry takes: its icon or name, then its gauge or digits.
int StatusEntryWidth(const cGaugeEntry& entry, int index);
// Width of a gauge's bar in dots for the value (0 when the maximum is not
// above 0).
int GaugeBarWidth(int value, int maximum);

void DrawStatusPanel(const cSystem& system, const StatusValues& values);
// The remaining seconds in three 32 x 32 digits.
void DrawTimeDisplay(int secondsLeft);
// The advance half of the time display: the warning sound while
// 1 <= remaining <= warning, on frames whose skip counter is zero.
void RequestTimeWarning(int secondsLeft, int warningSeconds, int soundFlag);

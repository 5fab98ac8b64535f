#include "shell/game/timers.h"

#include "shell/game/game_clock.h"

namespace {
struct TimerState {
  std::uint32_t start = 0;
  std::uint32_t lap = 0;
  bool secondBegun = false;
  std::uint32_t secondStart = 0;
  int countInSecond = 0;
  int lastFps = 0;
  bool frameDueSet = false;
  std::uint32_t frameDue = 0;
  int skipCounter = 0;
};
TimerState g_timers;

// True when `now` has reached `due` on the wrapping millisecond clock.
bool Reached(std::uint32_t now, std::uint32_t due) { return static_cast<std::int32_t>(now - due) >= 0; }
}  // namespace

void ResetElapsedTime() { g_timers.start = GameNowMs(); }

std::uint32_t GetElapsedTime(int restart) {
  const std::uint32_t now = GameNowMs();
  const std::uint32_t elapsed = now - g_timers.start;
  if (restart) g_timers.start = now;
  return elapsed;
}

std::uint32_t GetLapTime(int measure) {
  if (measure) g_timers.lap = GameNowMs() - g_timers.start;
  return g_timers.lap;
}

int CountFps(int count) {
  if (!count) return g_timers.lastFps;
  const std::uint32_t now = GameNowMs();
  if (!g_timers.secondBegun) {
    g_timers.secondBegun = true;
    g_timers.secondStart = now;
  }
  ++g_timers.countInSecond;
  if (now - g_timers.secondStart >= 1000) {
    g_timers.lastFps = g_timers.countInSecond;
    g_timers.countInSecond = 0;
    g_timers.secondStart = now;
  }
  return g_timers.lastFps;
}

bool FrameDue(int fps) {
  if (fps == 0) return true;
  const std::uint32_t now = GameNowMs();
  if (g_timers.frameDueSet && !Reached(now, g_timers.frameDue)) return false;
  g_timers.frameDueSet = true;
  g_timers.frameDue = now + static_cast<std::uint32_t>(1000 / fps);
  return true;
}

int FrameSkipCount(int mode, int period) {
  if (mode == 0) {
    g_timers.skipCounter = 0;
    return 0;
  }
  if (mode == 2) return g_timers.skipCounter == 0 ? 1 : 0;
  if (++g_timers.skipCounter >= period) {
    g_timers.skipCounter = 0;
    return 1;
  }
  return 0;
}

int PingPong(int* value, int* downward, int step, int low, int high) {
  *value += *downward ? -step : step;
  if (*value <= low) {
    *value += step;
    *downward = 0;
    return 1;
  }
  if (*value >= high) {
    *value -= step;
    *downward = 1;
  }
  return 0;
}

void ResetFrameTimers() { g_timers = TimerState{}; }

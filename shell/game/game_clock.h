#pragma once
// The millisecond clock of the frame step. The game's pacing, frame-rate
// count and timers read it and wait on it; the real clock is the platform's,
// and the headless run harness puts a clock of its own in its place, whose
// waits advance the time at once, so that tests step frames exactly and
// without waiting.

#include <atomic>
#include <cstdint>
#include <functional>

struct GameClock {
  std::function<std::uint32_t()> now;
  std::function<void(std::uint32_t)> sleep;
};

std::uint32_t GameNowMs();
// Waits on the game clock; the calling worker's park gate is passed as in
// cThread::Sleep. False when the calling thread is asked to stop.
bool GameSleepMs(std::uint32_t milliseconds);

// Replaces the clock; an empty clock brings the platform's back.
void SetGameClock(GameClock clock);

// A clock that stands still until it is waited on or advanced.
class cManualClock {
 public:
  std::uint32_t Now() const { return m_now.load(); }
  void Advance(std::uint32_t milliseconds) { m_now += milliseconds; }
  // The clock as the frame step reads it: waiting advances the time.
  GameClock AsGameClock();

 private:
  std::atomic<std::uint32_t> m_now{1000};
};

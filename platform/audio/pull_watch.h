#pragma once
// Tells a device that no longer takes the mix: one whose callback has not
// been called for a while although it is open and playing (a sound server
// that hangs, a driver stuck in a write). A device takes its first period
// late (a sound server's stream can take a second to start), so the watch
// allows a long pause before it calls one stalled.

#include <chrono>
#include <cstdint>

namespace platform {

class PullWatch {
 public:
  using Clock = std::chrono::steady_clock;
  explicit PullWatch(Clock::duration limit) : m_limit(limit) {}

  // The device opened (or opened again) with `pulls` callbacks counted so far.
  void Restart(std::uint64_t pulls, Clock::time_point now) {
    m_seen = pulls;
    m_since = now;
  }
  // True once the count has stood still for the limit.
  bool Stalled(std::uint64_t pulls, Clock::time_point now) {
    if (pulls != m_seen) Restart(pulls, now);
    return now - m_since >= m_limit;
  }

 private:
  Clock::duration m_limit;
  std::uint64_t m_seen = 0;
  Clock::time_point m_since;
};

}  // namespace platform

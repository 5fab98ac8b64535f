#pragma once
// Tells a device that no longer takes the mix: one whose callback has not
// been called for a while although it is open and playing (a sound server
// that hangs, a driver stuck in a write). A device takes its first period
// late (a sound server's stream can take a second to start), so the watch
// allows a long pause before it calls one stalled.
//
// It also tells whether sound flows: a sound server fills a new stream's
// buffer at once even where it plays nothing (a suspended sink), so only
// pulls after the time the fill takes say that the device plays.

#include <chrono>
#include <cstdint>
#include <optional>

namespace platform {

class PullWatch {
 public:
  using Clock = std::chrono::steady_clock;
  PullWatch(Clock::duration limit, Clock::duration bufferFill) : m_limit(limit), m_bufferFill(bufferFill) {}

  // The device opened (or opened again) with `pulls` callbacks counted so far.
  void Restart(std::uint64_t pulls, Clock::time_point now) {
    m_seen = pulls;
    m_since = now;
    m_opened = now;
    m_afterFill.reset();
    m_flowed = false;
  }
  // True once the count has stood still for the limit.
  bool Stalled(std::uint64_t pulls, Clock::time_point now) {
    See(pulls, now);
    return now - m_since >= m_limit;
  }
  // True once the count has moved since the first question asked the
  // fill's time or longer after the open (however late the question, the
  // fill is not taken for sound), and from then on.
  bool Flowed(std::uint64_t pulls, Clock::time_point now) {
    if (m_flowed || now - m_opened < m_bufferFill) return m_flowed;
    if (!m_afterFill) m_afterFill = pulls;
    m_flowed = pulls != *m_afterFill;
    return m_flowed;
  }

 private:
  void See(std::uint64_t pulls, Clock::time_point now) {
    if (pulls == m_seen) return;
    m_seen = pulls;
    m_since = now;
  }

  Clock::duration m_limit;
  Clock::duration m_bufferFill;
  std::uint64_t m_seen = 0;
  Clock::time_point m_since;
  Clock::time_point m_opened;
  std::optional<std::uint64_t> m_afterFill;  // the count at the first question after the fill
  bool m_flowed = false;
};

}  // namespace platform

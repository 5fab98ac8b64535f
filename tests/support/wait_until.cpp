#include "tests/support/wait_until.h"

#include <chrono>

#include "platform/clock.h"

namespace {

bool Poll(std::chrono::milliseconds bound, int pauseMs, const std::function<bool()>& condition,
          const std::function<void()>& meanwhile) {
  const auto giveUp = std::chrono::steady_clock::now() + bound;
  while (!condition()) {
    if (std::chrono::steady_clock::now() > giveUp) return false;
    if (meanwhile) meanwhile();
    platform::SleepMs(pauseMs);
  }
  return true;
}

}  // namespace

bool WaitUntil(const std::function<bool()>& condition, const std::function<void()>& meanwhile) {
  return Poll(std::chrono::seconds(30), 1, condition, meanwhile);
}

bool WaitUntilWithin(int boundMs, int pauseMs, const std::function<bool()>& condition) {
  return Poll(std::chrono::milliseconds(boundMs), pauseMs, condition, {});
}

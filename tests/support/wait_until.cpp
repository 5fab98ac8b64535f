#include "tests/support/wait_until.h"

#include <chrono>

#include "platform/clock.h"

bool WaitUntil(const std::function<bool()>& condition, const std::function<void()>& meanwhile) {
  const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (!condition()) {
    if (std::chrono::steady_clock::now() > giveUp) return false;
    if (meanwhile) meanwhile();
    platform::SleepMs(1);
  }
  return true;
}

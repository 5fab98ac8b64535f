#include "platform/clock.h"

#include <chrono>
#include <thread>

namespace platform {

std::uint32_t NowMs() {
  auto sinceEpoch = std::chrono::steady_clock::now().time_since_epoch();
  return static_cast<std::uint32_t>(
      std::chrono::duration_cast<std::chrono::milliseconds>(sinceEpoch).count());
}

void SleepMs(std::uint32_t milliseconds) {
  std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

}  // namespace platform

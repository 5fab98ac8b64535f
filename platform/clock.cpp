#include "platform/clock.h"

#include <chrono>
#include <ctime>
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

LocalDateTime LocalNow() {
  const auto now = std::chrono::system_clock::now();
  const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
  const auto millis =
      std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
  std::tm local{};
  localtime_r(&seconds, &local);
  return {static_cast<std::uint16_t>(local.tm_year + 1900), static_cast<std::uint16_t>(local.tm_mon + 1),
          static_cast<std::uint16_t>(local.tm_wday),        static_cast<std::uint16_t>(local.tm_mday),
          static_cast<std::uint16_t>(local.tm_hour),        static_cast<std::uint16_t>(local.tm_min),
          static_cast<std::uint16_t>(local.tm_sec),         static_cast<std::uint16_t>(millis)};
}

}  // namespace platform

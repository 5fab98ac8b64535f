#pragma once
// Millisecond time and sleeping. NowMs counts from an arbitrary start and
// wraps at 2^32 like the millisecond timer the game's timing code expects,
// so intervals are taken as unsigned differences.

#include <cstdint>

namespace platform {

std::uint32_t NowMs();
void SleepMs(std::uint32_t milliseconds);

// The local date and time, as save files store it.
struct LocalDateTime {
  std::uint16_t year = 0;
  std::uint16_t month = 0;      // 1 to 12
  std::uint16_t dayOfWeek = 0;  // 0 Sunday
  std::uint16_t day = 0;
  std::uint16_t hour = 0;
  std::uint16_t minute = 0;
  std::uint16_t second = 0;
  std::uint16_t milliseconds = 0;
};
LocalDateTime LocalNow();

}  // namespace platform

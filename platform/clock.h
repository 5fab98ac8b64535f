#pragma once
// Millisecond time and sleeping. NowMs counts from an arbitrary start and
// wraps at 2^32 like the millisecond timer the game's timing code expects,
// so intervals are taken as unsigned differences.

#include <cstdint>

namespace platform {

std::uint32_t NowMs();
void SleepMs(std::uint32_t milliseconds);

}  // namespace platform

#pragma once
// The show time of the message and picture commands: a time in tenths of a
// second becomes frames without overflowing.

#include <cstdint>

// 1 with the one-frame switch, else tenths x 6 (saturated).
std::int32_t ShowFrames(std::int32_t tenths, std::int32_t oneFrame);

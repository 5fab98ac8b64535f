#pragma once
// Reading the small parameters of the message and picture commands: a
// parameter the command does not carry reads 0, and a time in tenths of a
// second becomes frames without overflowing.

#include <cstdint>

class cEdCmd;

std::int32_t ShowParam(const cEdCmd& command, int index);
// 1 with the one-frame switch, else tenths x 6 (saturated).
std::int32_t ShowFrames(std::int32_t tenths, std::int32_t oneFrame);

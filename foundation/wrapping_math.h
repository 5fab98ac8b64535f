#pragma once
// 32-bit arithmetic on numbers a file may set to any word (and on positions a
// runaway object drives to the edge of the range): the result wraps at 2^32 as
// the processor the games were made on computed it, instead of being the
// undefined behaviour of a signed overflow. It is taken in unsigned, where it
// is defined for every value, and converted back (modulo 2^32 since C++20).

#include <cstdint>

constexpr std::int32_t WrapAdd(std::int32_t a, std::int32_t b) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) + static_cast<std::uint32_t>(b));
}

constexpr std::int32_t WrapSubtract(std::int32_t a, std::int32_t b) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) - static_cast<std::uint32_t>(b));
}

constexpr std::int32_t WrapMultiply(std::int32_t a, std::int32_t b) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) * static_cast<std::uint32_t>(b));
}

#pragma once
// Sixteen-byte vectors through the compiler's vector extensions (GCC and
// Clang) for the keyed copies, so they run on SSE2 / NEON without
// intrinsics. (The blends have loops of their own per instruction set,
// graphics/blits/blend_rows.h.)

#include <cstdint>
#include <cstring>
#include <cwchar>

typedef std::uint32_t u32x4 __attribute__((vector_size(16)));
typedef std::uint8_t u8x16 __attribute__((vector_size(16)));

inline u32x4 Load4(const std::uint32_t* p) {
  u32x4 v;
  std::memcpy(&v, p, sizeof v);
  return v;
}
inline void Store4(std::uint32_t* p, u32x4 v) { std::memcpy(p, &v, sizeof v); }
inline u8x16 Load16(const std::uint8_t* p) {
  u8x16 v;
  std::memcpy(&v, p, sizeof v);
  return v;
}
inline void Store16(std::uint8_t* p, u8x16 v) { std::memcpy(p, &v, sizeof v); }

// n 32-bit pixels set to one value. Wide characters are 32 bits here, so
// the library's wide fill serves, with the widest stores the processor has
// (a plain loop of 32-bit values is left scalar at -O2).
static_assert(sizeof(wchar_t) == sizeof(std::uint32_t));
inline void FillPixels32(std::uint32_t* p, int n, std::uint32_t value) {
  if (n > 0) std::wmemset(reinterpret_cast<wchar_t*>(p), static_cast<wchar_t>(value), std::size_t(n));
}

// Runs of kLongRunBytes and more of a keyed copy (see CopyRunBytes).
inline constexpr std::size_t kLongRunBytes = 1024;
void CopyLongRun(std::uint8_t* d, const std::uint8_t* s, std::size_t bytes, std::size_t nextRow);

// A run of a keyed copy. Runs of sprite rows are a few dozen bytes, where a
// call to the library's copy costs as much as the copy, so up to 128 bytes
// are copied inline, sixteen a step, the last step overlapping the one
// before; the library copies longer ones up to a kilobyte, and rows of a
// layer go through CopyLongRun. `nextRow` is the bytes from the destination
// to the same place one row below, where the next row's run goes (0 where
// unknown). Source and destination never overlap.
inline void CopyRunBytes(void* to, const void* from, std::size_t bytes, std::size_t nextRow) {
  auto* d = static_cast<std::uint8_t*>(to);
  const auto* s = static_cast<const std::uint8_t*>(from);
  if (bytes < 16 || bytes > 128) {
    if (bytes >= kLongRunBytes) [[unlikely]]
      CopyLongRun(d, s, bytes, nextRow);
    else
      std::memcpy(d, s, bytes);
    return;
  }
  const u8x16 last = Load16(s + bytes - 16);
  for (std::size_t i = 0; i + 16 < bytes; i += 16) Store16(d + i, Load16(s + i));
  Store16(d + bytes - 16, last);
}

#include "graphics/blits/simd.h"

// Rows of a layer are a few kilobytes copied from a packed stream into rows
// of the frame, one after another, more than the processor's second-level
// cache holds. The stores go to sixteen-byte boundaries, four a step, so
// that none straddles two cache lines: the library's copy was 2-7 % slower
// on these. (On shorter runs, which stay in the cache, its wider vectors
// and branch-free short sizes win.) Each cache line written asks for the
// line one row below, which the next row's run most likely writes: the
// processor fetches it while this row is copied, rather than stalling on
// it then (the keyed layer of bench_blit 10-15 % quicker).
void CopyLongRun(std::uint8_t* d, const std::uint8_t* s, std::size_t bytes, std::size_t nextRow) {
  // Stores to pixels of any type.
  typedef std::uint8_t aligned16 __attribute__((vector_size(16), aligned(16), may_alias));
  const u8x16 first = Load16(s);
  std::uint8_t* const lastAt = d + bytes - 16;
  const u8x16 last = Load16(s + bytes - 16);
  const std::size_t skew = 16 - (reinterpret_cast<std::uintptr_t>(d) & 15);
  std::uint8_t* p = d + skew;
  const std::uint8_t* q = s + skew;
  for (; p + 64 <= lastAt; p += 64, q += 64) {
    // An address, not a pointer into the buffer: below the last row there
    // is no such line, and a prefetch never faults.
    __builtin_prefetch(reinterpret_cast<const void*>(reinterpret_cast<std::uintptr_t>(p) + nextRow), 1, 3);
    const u8x16 a = Load16(q), b = Load16(q + 16), c = Load16(q + 32), e = Load16(q + 48);
    reinterpret_cast<aligned16*>(p)[0] = a;
    reinterpret_cast<aligned16*>(p)[1] = b;
    reinterpret_cast<aligned16*>(p)[2] = c;
    reinterpret_cast<aligned16*>(p)[3] = e;
  }
  for (; p < lastAt; p += 16, q += 16) *reinterpret_cast<aligned16*>(p) = Load16(q);
  Store16(d, first);
  Store16(lastAt, last);
}

#pragma once
// Indexes that come from stage data (variable numbers, status numbers, target
// slots, table positions) are checked before use. A bad one is reported with
// the same "err V" line as a bad vector access, but the program goes on: the
// operation that asked simply has no effect.

#include <cstddef>

// True when 0 <= index < count; otherwise writes "err V[index] ( count ,
// elementSize )" to the report and the debug log (once: a condition tested
// on every frame meets it again) and returns false.
bool DataIndexOk(long long index, std::size_t count, int elementSize);

#pragma once
// How the process's large memory blocks go back to the system. A session
// loads every stage's pictures and screen copies, and frees them, again and
// again. The C library maps a large block on its own and unmaps it when it
// is freed, but by default it raises that size threshold whenever such a
// block is freed, and later blocks of the size then come from the heap,
// whose freed space stays resident: memory creeps up stage after stage. A
// fixed threshold keeps every large block mapped on its own, so what a
// stage frees leaves the process.

namespace platform {

// Large blocks are mapped each on its own from now on (a no-op where the C
// library offers no such setting).
void ReturnLargeBlocksWhenFreed();

}  // namespace platform

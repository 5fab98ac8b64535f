#include "platform/process_memory.h"

#if __has_include(<malloc.h>)
#include <malloc.h>
#endif

namespace platform {

void ReturnLargeBlocksWhenFreed() {
#if defined(M_MMAP_THRESHOLD)
  // The library's own starting threshold; setting it switches off the raising.
  constexpr int kLargeBlockBytes = 128 * 1024;
  mallopt(M_MMAP_THRESHOLD, kLargeBlockBytes);
#endif
}

}  // namespace platform

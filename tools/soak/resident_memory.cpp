#include "tools/soak/resident_memory.h"

#include <unistd.h>

#include <fstream>

namespace soak {

// /proc/self/statm: total program size, then the resident pages.
std::optional<std::size_t> ResidentBytes() {
  std::ifstream statm("/proc/self/statm");
  std::size_t programPages = 0, residentPages = 0;
  if (!(statm >> programPages >> residentPages)) return std::nullopt;
  const long pageSize = ::sysconf(_SC_PAGESIZE);
  if (pageSize <= 0) return std::nullopt;
  return residentPages * static_cast<std::size_t>(pageSize);
}

}  // namespace soak

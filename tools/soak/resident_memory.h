#pragma once
// The process's resident memory as the kernel counts it: the pages of this
// process that are in memory now (what a long run must not keep adding to).

#include <cstddef>
#include <optional>

namespace soak {

// Bytes resident now; none when /proc cannot tell (not Linux, no /proc).
std::optional<std::size_t> ResidentBytes();

}  // namespace soak

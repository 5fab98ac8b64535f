#pragma once
// What a start-up child of bench_startup prints on stdout when it is done:
// the nanoseconds from its spawn (the parent's monotonic clock, passed on
// its command line) to its first presented frame, and its peak resident
// memory in kB as that frame was shown and over the whole run. The peak is read by the process itself: the rusage of a
// spawned child can also count pages of the parent it was cloned from
// before its exec.

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

namespace startup_child {

inline std::int64_t MonotonicNs() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

inline long PeakResidentKb() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);)
    if (line.rfind("VmHWM:", 0) == 0) return std::strtol(line.c_str() + 6, nullptr, 10);
  return 0;
}

inline void Print(std::int64_t firstFrameNs, long firstFramePeakKb, const char* spawnedAtNs) {
  const long long elapsed = firstFrameNs - std::strtoll(spawnedAtNs, nullptr, 10);
  std::printf("%lld %ld %ld\n", elapsed, firstFramePeakKb, PeakResidentKb());
  std::fflush(stdout);
}

}  // namespace startup_child

#pragma once
// What the headless simulation benchmarks share: the copy of the bytes their
// frames visit, which is the physical floor each one is read against, and a
// main that starts the project data without a screen.

#include <benchmark/benchmark.h>

#include <cstddef>
#include <cstring>
#include <vector>

#include "platform/backend.h"
#include "project/global_data.h"

// Copies `bytes` once per iteration.
inline void CopyBytesFloor(benchmark::State& state, std::size_t bytes) {
  std::vector<unsigned char> from(bytes, 1);
  std::vector<unsigned char> to(from.size());
  for (auto _ : state) {
    std::memcpy(to.data(), from.data(), from.size());
    benchmark::ClobberMemory();
  }
}

// Runs the registered benchmarks headless, after the project data has started
// and `setUp` (when given) has run.
inline int RunHeadlessBenchmarks(int argc, char** argv, void (*setUp)() = nullptr) {
  platform::SelectBackend(platform::Backend::Headless);
  StartProjectData();
  if (setUp != nullptr) setUp();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

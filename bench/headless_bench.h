#pragma once
// What the headless benchmarks share: the physical floors they are read
// against (a copy of a frame's bytes; one cache line read from each object
// a simulation frame visits) and a main that starts the project data
// without a screen.

#include <benchmark/benchmark.h>

#include <cstddef>
#include <cstdint>
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

// Reads one cache line of each of `objects` objects laid `stride` bytes
// apart. A frame that visits every object reads at least that: memory is
// read in whole lines, and each object has one field the frame must read
// (its place, its state). The frame reads more (several fields, far apart,
// and the lists that lead to them), so this is a floor, not a target.
inline void ReadLinePerObjectFloor(benchmark::State& state, std::size_t objects, std::size_t stride) {
  constexpr std::size_t kLineWords = 64 / sizeof(std::uint64_t);
  const std::size_t strideWords = (stride + sizeof(std::uint64_t) - 1) / sizeof(std::uint64_t);
  std::vector<std::uint64_t> memory(objects * strideWords + kLineWords, 1);
  for (auto _ : state) {
    std::uint64_t sum = 0;
    for (std::size_t object = 0; object < objects; ++object) {
      const std::uint64_t* line = memory.data() + object * strideWords;
      for (std::size_t word = 0; word < kLineWords; ++word) sum += line[word];
    }
    benchmark::DoNotOptimize(sum);
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

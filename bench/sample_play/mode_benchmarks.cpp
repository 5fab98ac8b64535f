#include "bench/sample_play/mode_benchmarks.h"

#include <cstddef>
#include <utility>

#include "bench/headless_bench.h"

void RegisterRepeated(const std::string& name, std::function<void(benchmark::State&)> run) {
  benchmark::RegisterBenchmark(name.c_str(), std::move(run))
      ->Repetitions(5)
      ->ReportAggregatesOnly(true)
      ->Unit(benchmark::kMicrosecond);
}

void RegisterFrameMemcpy(const DrawMode& mode) {
  const std::size_t bytes = std::size_t{640} * 480 * static_cast<std::size_t>(mode.bytesPerPixel);
  RegisterRepeated(std::string("FrameMemcpy/") + mode.name,
                   [bytes](benchmark::State& state) { CopyBytesFloor(state, bytes); });
}

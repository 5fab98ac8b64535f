// Fuzzed stage bytes through the stage loader's parse, the stage set-up and
// 60 frames of play with input taken from the bytes too. Whatever the stage
// holds, set-up and play stay in bounds and never index outside a list.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "fuzz/record_fuzzing.h"
#include "stage/harness/stage_harness.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  StartFuzzingProjectData();
  if (size < 2) return 0;
  cStageHarness harness;
  if (!harness.UseStageBytes(std::vector<unsigned char>(data + 2, data + size))) return 0;
  harness.Begin(data[0]);
  for (int frame = 0; frame < 60; ++frame)
    harness.Step(static_cast<std::uint16_t>((data[1] >> (frame % 4)) & 15), static_cast<std::uint16_t>(frame & data[1]));
  return 0;
}

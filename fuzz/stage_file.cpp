// Loads arbitrary bytes as a stage file or as the common palette. Whatever
// the bytes, loading must stay in bounds, refuse damaged and oversized
// stages, and leave records that normalise and save without fault; a stage
// that loads also writes its replay form.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "definitions/stage/stage_record.h"
#include "fuzz/record_fuzzing.h"

namespace {

void LoadStage(std::vector<unsigned char> bytes) {
  auto in = OpenReadBytes(std::move(bytes), "fuzz");
  if (!in) return;
  cEdStage stage;
  stage.Load(*in);
  if (!CloseFile(*in)) return;
  stage.FindHeroStart();
  DataWriter replay("fuzz");
  stage.SaveForReplay(replay, stage);
  DataWriter out("fuzz");
  stage.Save(out);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  StartFuzzingProjectData();
  if (size < 1) return 0;
  std::vector<unsigned char> bytes(data + 1, data + size);
  if (data[0] % 4 == 0)
    LoadAndSaveRecord<cEdPalette>(std::move(bytes));
  else
    LoadStage(std::move(bytes));
  return 0;
}

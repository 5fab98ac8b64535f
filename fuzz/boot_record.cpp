// Arbitrary bytes as "user_data\Boot.dat": the start-up choice must load or
// be refused without reading past the bytes, and one that loaded saves.

#include <cstdint>
#include <vector>

#include "fuzz/record_fuzzing.h"
#include "shell/dialogs/boot_record.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  StartFuzzingProjectData();
  const AtMostOneReportLine oneLine("fuzz");
  LoadAndSaveRecord<cBootData>(std::vector<unsigned char>(data, data + size));
  return 0;
}

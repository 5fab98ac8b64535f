// Loads arbitrary bytes as one of the definition records of flows and
// commands: a command with its nested flows, conditions, key steps and
// parameter records, or each record on its own. Whatever the bytes, loading
// must stay in bounds, refuse what is damaged or nested too deeply, and leave
// records that validate and save without fault.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "definitions/flow_record.h"
#include "fuzz/record_fuzzing.h"

namespace {

void LoadCommandAndCheckPalettes(std::vector<unsigned char> bytes) {
  auto in = OpenReadBytes(std::move(bytes), "fuzz");
  if (!in) return;
  cEdCmd command;
  command.Load(*in);
  if (!CloseFile(*in)) return;
  CheckPaletteRefs(command, PaletteListSizes{2, 2, 2}, PaletteListSizes{1, 0, 3});
  cEdCmd copy = command;
  DataWriter out("fuzz");
  copy.Save(out);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  StartFuzzingProjectData();
  const AtMostOneReportLine oneLine("fuzz");
  if (size < 1) return 0;
  std::vector<unsigned char> bytes(data + 1, data + size);
  switch (data[0] % 8) {
    case 0: LoadAndSaveRecord<cEdCmd>(std::move(bytes)); break;
    case 1: LoadCommandAndCheckPalettes(std::move(bytes)); break;
    case 2: LoadAndSaveRecord<cEdFlow>(std::move(bytes)); break;
    case 3: LoadAndSaveRecord<cCond>(std::move(bytes)); break;
    case 4: LoadAndSaveRecord<cCondList>(std::move(bytes)); break;
    case 5: LoadAndSaveRecord<cEdMove>(std::move(bytes)); break;
    case 6: LoadAndSaveRecord<cEdShot>(std::move(bytes)); break;
    default: LoadAndSaveRecord<cKeyStep>(std::move(bytes)); break;
  }
  return 0;
}

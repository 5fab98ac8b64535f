// Loads arbitrary bytes as a save file (a story slot, the challenge file).
// Whatever the bytes, loading must stay in bounds and leave save data whose
// lists every new-game index can reach and which saves without fault.

#include "definitions/save_data/save_data.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "fuzz/record_fuzzing.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  StartFuzzingProjectData();
  auto in = OpenReadBytes(std::vector<unsigned char>(data, data + size), "fuzz");
  if (!in) return 0;
  cSaveData save;
  save.Load(*in);
  if (!CloseFile(*in)) return 0;
  if (save.m_vCarryFlag.size() < cSaveData::kCarryItems || save.m_vSwitch.size() < cSaveData::kSwitches ||
      save.m_vVar.size() < cSaveData::kVariables)
    std::abort();
  save.SaveStageStart();
  save.RestoreStageStart(1, 0, 0);
  DataWriter out("fuzz");
  save.Save(out);
  return 0;
}

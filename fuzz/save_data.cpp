// Loads arbitrary bytes as a save file (a story slot, the challenge file),
// and patches of a valid one with a carried hero and stage entries.
// Whatever the bytes, loading must stay in bounds and leave save data whose
// lists every new-game index can reach and which saves without fault.

#include "definitions/save_data/save_data.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "fuzz/record_fuzzing.h"

namespace {

std::vector<unsigned char> ValidSaveFile() {
  cSaveData save;
  save.m_vCarryChara[0].m_Chara.m_vFlows.resize(1);
  save.m_vCarryChara[0].m_Chara.m_vFlows[0].m_vCmds.resize(2);
  save.SetStageValue("a.", "a_c001_1.", 1, 1, 1, 40);
  save.SetStageValue("b.", "b.", 0, 0, 0, 7);
  DataWriter out("fuzz");
  out.Write(kProgramDataVersion);
  save.Save(out);
  return out.Bytes();
}

void LoadSave(std::vector<unsigned char> bytes) {
  auto in = OpenReadBytes(std::move(bytes), "fuzz");
  if (!in) return;
  cSaveData save;
  save.Load(*in);
  if (!CloseFile(*in)) return;
  if (save.m_vCarryFlag.size() < cSaveData::kCarryItems || save.m_vSwitch.size() < cSaveData::kSwitches ||
      save.m_vVar.size() < cSaveData::kVariables)
    std::abort();
  save.SaveStageStart();
  save.RestoreStageStart(1, 0, 0);
  save.SetStageValue("a.", "a_c001_1.", 1, 1, 1, 2147483647);
  DataWriter out("fuzz");
  save.Save(out);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  StartFuzzingProjectData();
  const AtMostOneReportLine oneLine("fuzz");
  if (size < 1) return 0;
  static const std::vector<unsigned char> valid = ValidSaveFile();
  if (data[0] % 2 == 0) LoadSave(std::vector<unsigned char>(data + 1, data + size));
  else LoadSave(PatchedFile(valid, data + 1, size - 1));
  return 0;
}

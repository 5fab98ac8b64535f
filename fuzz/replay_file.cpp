// Reads arbitrary bytes as a replay file: either the whole file, or a valid
// stage followed by the bytes (to reach the replay and the save data at
// once). Whatever the bytes, reading must stay in bounds; a replay that reads
// plays to its end, and writing it gives a file that reads and writes again
// to the very same bytes.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "fuzz/record_fuzzing.h"
#include "input/replay_file.h"

namespace {

void EnterScratchFolder() {
  static const bool entered = [] {
    std::string folder = (std::filesystem::temp_directory_path() / "fuzz_replay_file_XXXXXX").string();
    if (!::mkdtemp(folder.data())) std::abort();
    std::filesystem::current_path(folder);
    return true;
  }();
  (void)entered;
}

// The version head and a stage with a hero, as a replay file begins.
const std::vector<unsigned char>& ValidStagePart() {
  static const std::vector<unsigned char> bytes = [] {
    cEdStage stage;
    stage.m_vChara.resize(1);
    stage.m_vChara[0].m_nOperator = kOperatorPlayer;
    stage.m_vChara[0].m_nGraphicNo = 1;
    std::optional<DataWriter> out = OpenWriteFile("stage_part");
    if (!out) std::abort();
    stage.SaveForReplay(*out, stage);
    return out->Bytes();
  }();
  return bytes;
}

void WriteFile(const char* name, const std::vector<unsigned char>& bytes) {
  std::ofstream(name, std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::vector<unsigned char> ReadFile(const char* name) {
  std::ifstream in(name, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  StartFuzzingProjectData();
  EnterScratchFolder();
  const AtMostOneReportLine oneLine("in.rpl4_878");
  if (size < 1) return 0;
  std::vector<unsigned char> file;
  if (data[0] % 2) file = ValidStagePart();
  file.insert(file.end(), data + 1, data + size);
  WriteFile("in.rpl4_878", file);

  cReplay replay;
  cEdStage stage, copy;
  cSaveData save;
  if (!ReadReplayFile(replay, "in.rpl4_878", stage, copy, save)) return 0;
  cInput input;
  input.Init();
  for (int frame = 0; frame < 100000 && replay.PlayFrame(input) == 0; ++frame) input.UpdateFrameState();

  if (!WriteReplayFile(replay, "out1.rpl4_878", stage, stage, save)) std::abort();
  cReplay again;
  cEdStage againStage, againCopy;
  cSaveData againSave;
  if (!ReadReplayFile(again, "out1.rpl4_878", againStage, againCopy, againSave)) std::abort();
  if (!WriteReplayFile(again, "out2.rpl4_878", againStage, againStage, againSave)) std::abort();
  if (ReadFile("out1.rpl4_878") != ReadFile("out2.rpl4_878")) std::abort();
  return 0;
}

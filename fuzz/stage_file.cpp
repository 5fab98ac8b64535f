// Loads arbitrary bytes as a stage file or as the common palette, and
// patches of a valid stage file (so that the fuzzer reaches the placed lists,
// definitions, flows and repairs of every version quickly). Whatever the
// bytes, loading must stay in bounds, refuse damaged and oversized stages,
// and leave records that normalise and save without fault; a stage that
// loads also writes its replay form.

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

// A small valid stage: palette entries that inherit, placed blocks, items
// and characters with a flow of commands.
std::vector<unsigned char> ValidStageFile() {
  cEdStage stage;
  stage.Width = 40;
  stage.Height = 20;
  stage.ResetBlockList(3);
  stage.m_vPaletteBlock[2].m_nGraphicNo = 3;
  stage.m_vBlock.resize(3);
  for (std::size_t i = 0; i < stage.m_vBlock.size(); ++i) {
    cEdBlock& block = stage.m_vBlock[static_cast<long long>(i)];
    block.m_nColumn = static_cast<std::int16_t>(i);
    block.m_nGraphicNo = 1;
    block.m_nPalKind = kPaletteStage;
    block.m_nPalIndex = 2;
    block.m_vInherit[2] = 1;
    block.m_vConds.resize(1);
  }
  stage.m_vItem.resize(1);
  stage.m_vItem[0].m_vCmds.resize(2);
  stage.m_vChara.resize(2);
  stage.m_vChara[0].m_nOperator = kOperatorPlayer;
  stage.m_vChara[0].m_nGraphicNo = 1;
  stage.m_vChara[1].m_vFlows.resize(1);
  stage.m_vChara[1].m_vFlows[0].m_vCmds.resize(3);
  stage.m_vChara[1].m_vFlows[0].m_vCmds[1].m_nKind = kCmdStraightMove;
  stage.m_vChara[1].m_vFlows[0].m_vCmds[1].m_Move.Emplace();
  stage.m_vText.resize(2);
  DataWriter out("fuzz");
  out.Write(kProgramDataVersion);
  stage.Save(out);
  return out.Bytes();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  StartFuzzingProjectData();
  const AtMostOneReportLine oneLine("fuzz");
  if (size < 1) return 0;
  static const std::vector<unsigned char> valid = ValidStageFile();
  std::vector<unsigned char> bytes(data + 1, data + size);
  const int mode = data[0] % 4;
  if (mode == 0) LoadAndSaveRecord<cEdPalette>(std::move(bytes));
  else if (mode == 1) LoadStage(std::move(bytes));
  else LoadStage(PatchedFile(valid, data + 1, size - 1));
  return 0;
}

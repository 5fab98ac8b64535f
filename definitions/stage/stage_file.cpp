#include "definitions/stage/stage_file.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "definitions/stage/stage_record.h"
#include "foundation/game_files.h"
#include "foundation/log.h"
#include "platform/main_thread.h"

namespace {

constexpr std::uint32_t kEndValueSince = 173;
constexpr std::uint32_t kEndValueCheckedSince = 174;
constexpr std::size_t kPlacedElementBytes = 4 + kMinRecordStreamBytes;

void ReadRankingSwitches(DataReader& in, cVector<std::uint32_t>& switches) {
  const std::int32_t count = in.ReadCount(sizeof(std::uint32_t));
  // A count of 0 or less keeps the switches the record held.
  if (count <= 0 || !in.ok()) return;
  switches.resize(static_cast<std::size_t>(count), 0);
  in.ReadArray(switches.data(), switches.size());
}

void WriteRankingSwitches(DataWriter& out, const cVector<std::uint32_t>& switches) {
  out.WriteCount(switches.size());
  out.WriteArray(switches.data(), switches.size());
}

// Placed definitions: a 32-bit count, then per element a word (written as 0,
// ignored) and the definition's stream.
template <typename Definition>
void ReadPlacedList(DataReader& in, cVector<Definition>& list) {
  const std::int32_t count = in.ReadCount(kPlacedElementBytes);
  if (count < 0) in.Fail("negative placed-list count");
  if (!in.ok()) return;
  cVector<Definition> loaded(static_cast<std::size_t>(count));
  for (Definition& definition : loaded) {
    in.Read<std::uint32_t>();
    definition.Load(in);
    if (!in.ok()) return;
  }
  list = std::move(loaded);
}

template <typename Definition>
void WritePlacedList(DataWriter& out, cVector<Definition>& list) {
  out.WriteCount(list.size());
  for (Definition& definition : list) {
    out.Write<std::uint32_t>(0);
    definition.Save(out);
  }
}

bool IsStageSizeUsable(const cEdStageSettings& stage) {
  return stage.Width >= 0 && stage.Height >= 0 && stage.Width <= kMaxStageSide &&
         stage.Height <= kMaxStageSide && std::int64_t{stage.Width} * stage.Height <= kMaxStageCells;
}

void StopWhenCancelled(DataReader& in) {
  if (platform::CurrentThreadStopRequested()) in.Fail("stage load cancelled");
}

// Versions older than the program: the values added since take what those
// versions behaved like.
void RepairOldStage(cEdStage& stage, std::uint32_t version) {
  if (version < 155) {
    std::copy_n(stage.HeroBoxA, 2, stage.HeroBoxB);
    std::copy_n(stage.CharaBoxA, 2, stage.CharaBoxB);
    std::fill_n(stage.HeroBoxSwitch, 2, 0);
    std::fill_n(stage.CharaBoxSwitch, 2, 0);
  }
  if (version < 166) stage.BgmParam = 1;
  if (version < 181) {
    stage.RankingSwitches.resize(cEdStageSettings::kRankingResults, 0);
    stage.RankingSwitches[3] = 0;
    stage.RankingSwitches[4] = 0;
  }
  if (version < 183) stage.StatusPanel = 1;
  if (version < 184) stage.AutoEnd = 0;
  if (version < 199) stage.BgmKeep = 0;
  if (version < 200) {
    const std::int32_t heroSizes[4] = {16, 24, 16, 16};
    const std::int32_t charaSizes[4] = {16, 30, 16, 30};
    std::copy_n(heroSizes, 4, stage.HeroSize1);
    stage.HeroSizeSwitch[0] = 1;
    stage.HeroSizeSwitch[1] = 0;
    stage.HeroGraphic1[0] = 0;
    stage.HeroGraphic2[0] = 5;
    std::copy_n(charaSizes, 4, stage.CharaSize);
    stage.CharaSizeSwitch[0] = 1;
    stage.CharaSizeSwitch[1] = 1;
  }
  if (version < 225) stage.IntroSwitch2 = 0;
  if (version < 754) stage.m_vText.resize(1000);
  if (version < 876) {
    for (cEdBackground& layer : stage.m_vBackground) {
      if (layer.AutoX) {
        layer.AutoSpeedX = layer.RateX;
        layer.RateX = 1.0;
      }
      if (layer.AutoY) {
        layer.AutoSpeedY = layer.RateY;
        layer.RateY = 1.0;
      }
    }
  }
}

}  // namespace

void cEdStage::Load(DataReader& in) {
  const PaletteScope readingThis(kPaletteStage, PaletteListsOfStage());
  const std::uint32_t version = in.Version();
  cRecord::Load(in);
  if (in.ok() && !IsStageSizeUsable(*this)) in.Fail("stage size out of range");
  ReadRankingSwitches(in, RankingSwitches);
  for (cEdStageCond& area : RemovalAreas) area.Load(in);
  ReadDefinitionList(in, m_vPaletteBlock);
  ReadDefinitionList(in, m_vPaletteChara);
  ReadDefinitionList(in, m_vPaletteItem);
  if (!in.ok()) return;
  ResetEmptyEntry(m_vPaletteBlock);
  ResetEmptyEntry(m_vPaletteChara);
  ResetEmptyEntry(m_vPaletteItem);
  StopWhenCancelled(in);
  ReadPlacedList(in, m_vBlock);
  StopWhenCancelled(in);
  ReadPlacedList(in, m_vChara);
  ReadPlacedList(in, m_vItem);
  ReadDefinitionList(in, m_vBackground);
  ReadDefinitionList(in, m_vText);
  if (version >= kEndValueSince) {
    const auto end = in.Read<std::uint32_t>();
    if (version >= kEndValueCheckedSince && end != kStageFileEnd) in.Fail("stage end value missing");
  }
  StopWhenCancelled(in);
  if (!in.ok()) return;
  if (version < kProgramDataVersion) RepairOldStage(*this, version);
  Normalize();
}

void cEdStage::Save(DataWriter& out) {
  Normalize();
  SaveForReplay(out, *this);
}

void cEdStage::SaveForReplay(DataWriter& out, cEdStageSettings& settings) {
  const PaletteScope savingThis(kPaletteStage, PaletteListsOfStage());
  settings.cRecord::Save(out);
  WriteRankingSwitches(out, settings.RankingSwitches);
  for (cEdStageCond& area : settings.RemovalAreas) area.Save(out);
  WriteRecordList(out, m_vPaletteBlock);
  WriteRecordList(out, m_vPaletteChara);
  WriteRecordList(out, m_vPaletteItem);
  WritePlacedList(out, m_vBlock);
  WritePlacedList(out, m_vChara);
  WritePlacedList(out, m_vItem);
  WriteRecordList(out, settings.m_vBackground);
  WriteRecordList(out, settings.m_vText);
  out.Write(kStageFileEnd);
}

int CheckStageFileEnd(std::string_view storedPath) {
  std::vector<unsigned char> bytes;
  if (!ReadGameFile(storedPath, bytes)) return 1;
  std::uint32_t end = 0;
  const bool hasEnd = bytes.size() >= 8;
  if (hasEnd) std::memcpy(&end, bytes.data() + bytes.size() - 4, 4);
  // A file that does not open (newer, or too short for its head) is left to
  // the read, which refuses it; the read reports a short head, so it is not
  // opened here, where it would be reported a second time.
  const std::size_t size = bytes.size();
  if (size < sizeof end || !OpenReadBytes(std::move(bytes), std::string(storedPath))) return 1;
  if (g_FileVersion < kEndValueCheckedSince || (hasEnd && end == kStageFileEnd)) return 1;
  const std::string path(storedPath);
  ReportDamagedFile(path, "the stage file's end value is missing", hasEnd ? size - sizeof end : size);
  ErrorBoxF(Cp932Literal("ステージファイル %s が破損しています！"), path.c_str());
  platform::RequestClose();
  return 0;
}

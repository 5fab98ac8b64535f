// Loading a large stage file: 1000 x 100 blocks with 10,000 placed blocks and
// 1,000 characters with flows (4 flows of 5 commands each, movement records,
// conditions), a stage palette whose entries the placed blocks inherit from.
// Measured: the whole LoadStageThreaded path (file read on the loader thread,
// parse, inheritance, normalising, commit), the parse alone from bytes in
// memory, and the physical floors: reading the file and copying its bytes.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "definitions/stage/stage_loader.h"
#include "foundation/game_files.h"
#include "platform/backend.h"
#include "project/global_data.h"

namespace {

constexpr int kBlocks = 10000;
constexpr int kCharas = 1000;

cEdCmd MakeCommand(int i) {
  cEdCmd cmd;
  cmd.m_nKind = static_cast<std::uint8_t>(i % 3 == 0 ? kCmdStraightMove : i % 3 == 1 ? kCmdStatus : kCmdWait);
  if (cmd.m_nKind == kCmdStraightMove) cmd.m_Move.Emplace();
  cmd.m_vParams.assign(cmd.m_nKind == kCmdStatus ? 18 : 0, i);
  cmd.m_nTime = static_cast<std::int16_t>(10 + i % 7);
  return cmd;
}

cEdChara MakeChara(int i) {
  cEdChara chara;
  chara.m_nColumn = static_cast<std::int16_t>(i % 1000);
  chara.m_nRow = static_cast<std::int16_t>(10 + i / 1000);
  chara.m_nGraphicNo = static_cast<std::uint16_t>(1 + i % 40);
  chara.m_nOperator = i == 0 ? kOperatorPlayer : kOperatorComputer;
  chara.m_strName = "chara" + std::to_string(i);
  chara.m_vConds.resize(1);
  chara.m_vFlows.resize(4);
  for (cEdFlow& flow : chara.m_vFlows) {
    flow.m_nTrigger = static_cast<std::uint8_t>(i % 5);
    flow.m_vConds.resize(1);
    for (int c = 0; c < 5; ++c) flow.m_vCmds.push_back(MakeCommand(i + c));
  }
  return chara;
}

cEdStage MakeStage() {
  cEdStage stage;
  stage.Width = 1000;
  stage.Height = 100;
  stage.ResetBlockList(20);
  stage.ResetCharaList(20);
  stage.ResetItemList(10);
  for (int i = 1; i < 20; ++i) {
    stage.m_vPaletteBlock[i].m_nGraphicNo = static_cast<std::uint16_t>(i);
    stage.m_vPaletteBlock[i].m_strName = "block" + std::to_string(i);
  }
  stage.m_vBlock.resize(kBlocks);
  for (int i = 0; i < kBlocks; ++i) {
    cEdBlock& block = stage.m_vBlock[i];
    block.m_nColumn = static_cast<std::int16_t>(i % 1000);
    block.m_nRow = static_cast<std::int16_t>(50 + i / 1000);
    block.m_nGraphicNo = 1;
    block.m_nPalKind = kPaletteStage;
    block.m_nPalIndex = static_cast<std::uint16_t>(1 + i % 19);
    block.m_vInherit[0] = 1;  // name
    block.m_vInherit[2] = 1;  // graphic
  }
  stage.m_vChara.reserve(kCharas);
  for (int i = 0; i < kCharas; ++i) stage.m_vChara.push_back(MakeChara(i));
  return stage;
}

// Works in a folder of its own under the temporary folder (saves stay inside
// the game folder, the working folder) holding the saved stage.
class StageFixture {
 public:
  StageFixture() : previous_(std::filesystem::current_path()) {
    platform::SelectBackend(platform::Backend::Headless);
    StartProjectData();
    g_Database->m_vSound.resize(8);
    g_Database->m_vAnime.resize(8);
    folder_ = std::filesystem::temp_directory_path() / ("stage_load_" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder_);
    std::filesystem::current_path(folder_);
    cEdStage stage = MakeStage();
    ok_ = SaveFile(stage, kFile) && ReadGameFile(kFile, bytes_);
  }
  ~StageFixture() {
    std::filesystem::current_path(previous_);
    std::filesystem::remove_all(folder_);
    StopProjectData();
  }
  bool ok() const { return ok_; }
  const std::vector<unsigned char>& Bytes() const { return bytes_; }
  static constexpr const char* kFile = "big.stg4_000";

 private:
  std::filesystem::path previous_;
  std::filesystem::path folder_;
  std::vector<unsigned char> bytes_;
  bool ok_ = false;
};

bool IsTheWholeStage(const cEdStage& stage) {
  return stage.m_vBlock.size() == kBlocks && stage.m_vChara.size() == kCharas &&
         stage.m_vBlock.back().m_strName == "block" + std::to_string((kBlocks - 1) % 19 + 1) &&
         stage.m_vChara.back().m_vFlows.size() == 4 && stage.m_vChara.back().m_vFlows[3].m_vCmds.size() == 5;
}

void BM_LoadStageThreaded(benchmark::State& state) {
  StageFixture fixture;
  cThread loader;
  if (!fixture.ok() || !LoadStageThreaded(loader, StageFixture::kFile, 0, nullptr, nullptr) ||
      !IsTheWholeStage(g_Stage)) {
    state.SkipWithError("the stage did not load whole");
    return;
  }
  for (auto _ : state) {
    if (!LoadStageThreaded(loader, StageFixture::kFile, 0, nullptr, nullptr)) {
      state.SkipWithError("load failed");
      break;
    }
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(fixture.Bytes().size()));
}
BENCHMARK(BM_LoadStageThreaded)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_ParseStageFromMemory(benchmark::State& state) {
  StageFixture fixture;
  for (auto _ : state) {
    auto in = OpenReadBytes(fixture.Bytes(), "memory");
    cEdStage stage;
    if (in) stage.Load(*in);
    if (!in || !CloseFile(*in) || !IsTheWholeStage(stage)) {
      state.SkipWithError("parse failed");
      break;
    }
    benchmark::DoNotOptimize(stage.m_vBlock.data());
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(fixture.Bytes().size()));
}
BENCHMARK(BM_ParseStageFromMemory)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_ReadFileFloor(benchmark::State& state) {
  StageFixture fixture;
  std::vector<unsigned char> bytes;
  for (auto _ : state) {
    if (!ReadGameFile(StageFixture::kFile, bytes) || bytes != fixture.Bytes()) {
      state.SkipWithError("read failed");
      break;
    }
    benchmark::DoNotOptimize(bytes.data());
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(fixture.Bytes().size()));
}
BENCHMARK(BM_ReadFileFloor)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_MemcpyFloor(benchmark::State& state) {
  StageFixture fixture;
  std::vector<unsigned char> copy(fixture.Bytes().size());
  for (auto _ : state) {
    std::memcpy(copy.data(), fixture.Bytes().data(), copy.size());
    benchmark::DoNotOptimize(copy.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(fixture.Bytes().size()));
}
BENCHMARK(BM_MemcpyFloor)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace
BENCHMARK_MAIN();

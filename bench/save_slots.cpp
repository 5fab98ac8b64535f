// Refreshing the story slot list (RefreshSaveSlots) over 99 full slot files:
// each save holds one carried hero, 1000 switches, 1001 variables and 50
// stage entries. The list is refreshed each time the slot screen opens, so
// it must stay well inside a frame (16.7 ms); the target is half a frame.
//
// The physical reference reads the same 99 files whole into memory through
// the game's file access and does nothing else: the floor of any refresh.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "foundation/game_files.h"
#include "foundation/log.h"
#include "platform/backend.h"
#include "project/global_data.h"
#include "screens/slots/save_slot_list.h"

namespace {

// A game folder with 99 full slot files, the working folder while it exists.
class SlotFolder {
 public:
  SlotFolder() {
    previous_ = std::filesystem::current_path();
    folder_ = std::filesystem::temp_directory_path() / ("bench_save_slots_" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder_ / "user_data" / "story");
    std::filesystem::current_path(folder_);
    InitReport(folder_ / "Report_Game.txt");
    ForgetGameFolderListings();
    cSaveData data;
    for (int i = 0; i < 50; ++i) {
      const std::string name = "stage" + std::to_string(i) + ".";
      data.SetStageValue(name, name, 0, 0, 0, i * 100);
    }
    for (std::size_t i = 0; i < data.m_vVar.size(); ++i) data.m_vVar[static_cast<long long>(i)] = static_cast<int>(i);
    for (int slot = 0; slot < kSaveSlotCount; ++slot) {
      data.m_SaveTime = {2026, 12, 1, static_cast<std::uint16_t>(1 + slot % 28), 12, 30, 0, 0};
      ok_ = ok_ && SaveFile(data, MakeSaveFileName(slot)) == 1;
    }
  }
  ~SlotFolder() {
    std::filesystem::current_path(previous_);
    std::filesystem::remove_all(folder_);
  }
  bool ok() const { return ok_; }

 private:
  std::filesystem::path previous_;
  std::filesystem::path folder_;
  bool ok_ = true;
};

bool AllSlotsRead(const cVector<cSaveSlot>& list) {
  for (int slot = 0; slot < kSaveSlotCount; ++slot)
    if (!list[slot].m_bValid || list[slot].m_bUnloadable || list[slot].m_Time.wDay != 1 + slot % 28) return false;
  return true;
}

std::size_t ReadEverySlotFile() {
  std::size_t total = 0;
  std::vector<unsigned char> bytes;
  for (int slot = 0; slot < kSaveSlotCount; ++slot) {
    if (!ReadGameFile(MakeSaveFileName(slot), bytes)) return 0;
    total += bytes.size();
  }
  return total;
}

void BM_RefreshSaveSlots(benchmark::State& state) {
  SlotFolder folder;
  cVector<cSaveSlot> list(kSaveSlotCount);
  RefreshSaveSlots(list);
  if (!folder.ok() || !AllSlotsRead(list)) {
    state.SkipWithError("the slot files were not written or not read back");
    return;
  }
  for (auto _ : state) {
    RefreshSaveSlots(list);
    benchmark::DoNotOptimize(list.data());
  }
  state.counters["slots"] = kSaveSlotCount;
}
BENCHMARK(BM_RefreshSaveSlots)->Unit(benchmark::kMillisecond);

void BM_ReadSlotFilesOnly(benchmark::State& state) {
  SlotFolder folder;
  std::size_t expected = 0;
  for (int slot = 0; slot < kSaveSlotCount; ++slot)
    expected += std::filesystem::file_size(ResolveGamePath(MakeSaveFileName(slot)));
  if (!folder.ok() || ReadEverySlotFile() != expected) {
    state.SkipWithError("the slot files were not written or not read whole");
    return;
  }
  for (auto _ : state) benchmark::DoNotOptimize(ReadEverySlotFile());
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(expected));
}
BENCHMARK(BM_ReadSlotFilesOnly)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  platform::SelectBackend(platform::Backend::Headless);
  StartProjectData();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  StopProjectData();
  return 0;
}

// Loading speed of a data file that holds one list of 100,000 small records
// (three ints, a double and a short name each), read through LoadFile from a
// file as the game loads its databases. Reported as bytes per second.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "foundation/record.h"

namespace {

struct SmallRecord : cRecord {
  void RegisterFields(FieldRegistry& fields, std::uint32_t version) override {
    fields.AddField4(&kind);
    fields.AddField4(&x);
    if (version >= 200) fields.AddField4(&y);
    fields.AddField8(&speed);
    fields.AddString(&name);
  }
  int kind = 0, x = 0, y = 0;
  double speed = 1.0;
  std::string name;
};

struct RecordFile : cRecord {
  void Load(DataReader& in) override {
    cRecord::Load(in);
    ReadRecordList(in, records, SmallRecord());
  }
  void Save(DataWriter& out) override {
    cRecord::Save(out);
    WriteRecordList(out, records);
  }
  std::vector<SmallRecord> records;
};

constexpr int kRecordCount = 100000;

void BM_LoadRecordList(benchmark::State& state) {
  // Saves stay inside the game folder, the working folder: work in the temporary folder.
  const std::filesystem::path previousFolder = std::filesystem::current_path();
  std::filesystem::current_path(std::filesystem::temp_directory_path());
  const std::string file = "record_load_" + std::to_string(::getpid()) + ".dat";
  RecordFile saved;
  saved.records.resize(kRecordCount);
  for (int i = 0; i < kRecordCount; ++i) {
    SmallRecord& record = saved.records[static_cast<std::size_t>(i)];
    record.kind = i % 7;
    record.x = i;
    record.y = -i;
    record.name = "chara" + std::to_string(i);
  }
  if (!SaveFile(saved, file)) {
    state.SkipWithError("cannot write the test file");
    std::filesystem::current_path(previousFolder);
    return;
  }
  const auto bytes = static_cast<std::int64_t>(std::filesystem::file_size(file));

  for (auto _ : state) {
    RecordFile loaded;
    if (!LoadFile(loaded, file) || loaded.records.size() != kRecordCount) {
      state.SkipWithError("load failed");
      break;
    }
    benchmark::DoNotOptimize(loaded.records.data());
  }
  state.SetBytesProcessed(state.iterations() * bytes);
  state.counters["records"] = kRecordCount;
  std::filesystem::remove(file);
  std::filesystem::current_path(previousFolder);
}
BENCHMARK(BM_LoadRecordList)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();

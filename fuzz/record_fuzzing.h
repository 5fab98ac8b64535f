#pragma once
// Shared steps of the fuzz targets that load project and definition records.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "foundation/record.h"
#include "fuzz/report_lines.h"
#include "platform/backend.h"
#include "project/global_data.h"

// The headless platform and the project data in their default state, set up
// once per process (records check themselves against the database).
inline void StartFuzzingProjectData() {
  static const bool started = [] {
    platform::SelectBackend(platform::Backend::Headless);
    StartProjectData();
    return true;
  }();
  (void)started;
}

// Loads the bytes as a data file of one record; a record that loaded must
// save without fault.
template <typename Record>
void LoadAndSaveRecord(std::vector<unsigned char> bytes) {
  auto in = OpenReadBytes(std::move(bytes), "fuzz");
  if (!in) return;
  Record record;
  record.Load(*in);
  if (!CloseFile(*in)) return;
  DataWriter out("fuzz");
  record.Save(out);
}

// A valid file with the fuzzer's input applied as patches: its first two
// bytes pick the data version (1 to 878), then each three bytes put a byte
// at a 16-bit offset. Reaches the deep parts of a layout quickly.
inline std::vector<unsigned char> PatchedFile(const std::vector<unsigned char>& valid,
                                              const std::uint8_t* data, std::size_t size) {
  std::vector<unsigned char> bytes = valid;
  if (bytes.size() < 4) return bytes;
  if (size >= 2) {
    const std::uint32_t version = 1 + static_cast<std::uint32_t>(data[0] | (data[1] << 8)) % 878;
    for (int i = 0; i < 4; ++i)
      bytes[static_cast<std::size_t>(i)] = static_cast<unsigned char>(version >> (8 * i));
  }
  for (std::size_t i = 2; i + 2 < size; i += 3) {
    const std::size_t offset = static_cast<std::size_t>(data[i] | (data[i + 1] << 8)) % bytes.size();
    bytes[offset] = data[i + 2];
  }
  return bytes;
}

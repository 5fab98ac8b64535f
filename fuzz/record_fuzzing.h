#pragma once
// Shared steps of the fuzz targets that load project and definition records.

#include <vector>

#include "foundation/record.h"
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

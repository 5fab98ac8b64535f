#pragma once
// Shared helpers of the definition-record tests: the project data and the
// parameter table standing, stream images written field by field from the
// widths the file format gives, and commands built for round trips.

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <vector>

#include "definitions/flow_record.h"
#include "definitions/param_table.h"
#include "foundation/run_mode.h"
#include "project/global_data.h"
#include "tests/project/byte_fixture.h"
#include "tests/project/project_test_support.h"

// The database and system record in their default state, test flows dropped.
class DefinitionsTest : public testing::Test {
 protected:
  void SetUp() override {
    StartProjectData();
    g_Database->m_vSound.resize(10);
    g_Database->m_vAnime.resize(10);
    g_bFromEditor = 0;
  }
  void TearDown() override {
    g_bFromEditor = 0;
    StopProjectData();
  }
};

// One registered field of a hand-written record stream: its width in bytes
// (an array of n elements is n x width in one block) and its value(s).
struct StreamField {
  int width;
  std::vector<std::int64_t> values;
  StreamField(int w, std::int64_t value) : width(w), values{value} {}
  StreamField(int w, std::initializer_list<std::int64_t> many) : width(w), values(many) {}
};

// The generic record stream: block count, blocks, string count, strings.
inline ByteFixture RecordStream(const std::vector<StreamField>& fields, std::initializer_list<const char*> strings = {}) {
  ByteFixture f;
  f.I32(static_cast<std::int32_t>(fields.size()));
  for (const StreamField& field : fields) {
    for (std::int64_t value : field.values) {
      for (int i = 0; i < field.width; ++i) f.U8(static_cast<std::uint8_t>(static_cast<std::uint64_t>(value) >> (8 * i)));
    }
  }
  f.I32(static_cast<std::int32_t>(strings.size()));
  for (const char* text : strings) f.Str(text);
  return f;
}

// Loads a record from a stream of the given version; false when the stream
// was damaged or not read to its end (the record is then unchanged).
template <typename Record>
bool LoadStream(Record& record, std::uint32_t version, const ByteFixture& stream) {
  return LoadFromBytes(record, DataFile(version, stream));
}

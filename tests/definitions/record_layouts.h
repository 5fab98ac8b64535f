#pragma once
// Hand-written streams of the movement, shot, command, condition and flow
// records at any data version, from the field tables of the file format
// (number, width, first version): independent of the record classes.

#include <bit>
#include <cstdint>
#include <map>
#include <vector>

#include "tests/definitions/definitions_test_support.h"

struct LayoutField {
  int number;
  int width;
  int elements;
  std::uint32_t since;
};

// Values by field number; fields not given are 0; an array field takes its
// first element from the map and the rest 0.
using FieldValues = std::map<int, std::int64_t>;

inline ByteFixture LayoutStream(const std::vector<LayoutField>& layout, std::uint32_t version, const FieldValues& values) {
  std::vector<StreamField> fields;
  for (const LayoutField& field : layout) {
    if (version < field.since) continue;
    const auto found = values.find(field.number);
    const std::int64_t value = found == values.end() ? 0 : found->second;
    if (field.elements == 1) {
      fields.emplace_back(field.width, value);
    } else {
      StreamField many(field.width, value);
      many.values.resize(static_cast<std::size_t>(field.elements), 0);
      fields.push_back(many);
    }
  }
  return RecordStream(fields);
}

inline const std::vector<LayoutField>& MoveLayout() {
  static const std::vector<LayoutField> layout = {
      {1, 1, 1, 0},    {2, 1, 1, 0},    {3, 2, 1, 0},    {4, 2, 1, 0},    {5, 1, 1, 158},  {6, 1, 1, 0},
      {7, 1, 1, 0},    {8, 2, 1, 0},    {9, 2, 1, 0},    {10, 2, 1, 0},   {11, 2, 1, 0},   {12, 1, 1, 0},
      {13, 1, 1, 0},   {14, 1, 1, 0},   {15, 1, 1, 0},   {16, 1, 1, 0},   {17, 1, 1, 0},   {18, 1, 1, 0},
      {19, 1, 1, 0},   {20, 1, 1, 162}, {21, 1, 1, 0},   {22, 2, 1, 0},   {23, 2, 1, 0},   {24, 2, 1, 0},
      {25, 2, 1, 0},   {26, 1, 1, 159}, {27, 2, 1, 0},   {28, 2, 1, 0},   {29, 1, 1, 0},   {30, 2, 1, 0},
      {31, 8, 1, 0},   {32, 1, 1, 162}, {33, 1, 1, 767},
  };
  return layout;
}

inline ByteFixture MoveStream(std::uint32_t version, FieldValues values) {
  values.try_emplace(31, std::bit_cast<std::int64_t>(1.0));
  return LayoutStream(MoveLayout(), version, values);
}

inline const std::vector<LayoutField>& ShotLayout() {
  static const std::vector<LayoutField> layout = {
      {1, 1, 1, 0},    {2, 1, 1, 0},    {3, 2, 3, 0},    {4, 1, 1, 671},  {5, 1, 1, 0},    {6, 1, 1, 0},
      {7, 1, 1, 767},  {8, 2, 1, 0},    {9, 2, 1, 0},    {10, 1, 1, 158}, {11, 2, 1, 0},   {12, 1, 1, 0},
      {13, 1, 1, 0},   {14, 2, 1, 0},   {15, 2, 1, 0},   {16, 2, 1, 0},   {17, 2, 1, 0},   {18, 1, 1, 0},
      {19, 1, 1, 0},   {20, 2, 1, 0},   {21, 1, 1, 0},   {22, 1, 1, 0},   {23, 1, 1, 0},   {24, 1, 1, 0},
      {25, 1, 1, 0},   {26, 1, 1, 0},   {27, 1, 1, 0},   {28, 1, 1, 0},   {29, 2, 3, 0},   {30, 1, 1, 767},
      {31, 1, 1, 211}, {32, 2, 1, 0},   {33, 2, 1, 0},   {34, 1, 1, 213}, {35, 2, 1, 213}, {36, 2, 1, 213},
      {37, 2, 1, 0},   {38, 1, 1, 0},   {39, 2, 1, 0},   {40, 1, 1, 0},   {41, 1, 1, 0},   {42, 2, 1, 0},
      {43, 2, 1, 0},   {44, 1, 1, 0},   {45, 1, 1, 0},   {46, 1, 1, 636}, {47, 1, 1, 0},   {48, 1, 1, 0},
      {49, 4, 1, 0},   {50, 2, 1, 0},   {51, 1, 1, 0},   {52, 2, 1, 0},   {53, 1, 1, 0},   {54, 2, 1, 0},
      {55, 1, 1, 0},   {56, 1, 1, 0},   {57, 1, 1, 197}, {58, 1, 1, 0},   {59, 2, 1, 0},   {60, 1, 1, 0},
      {61, 1, 1, 0},   {62, 1, 1, 0},   {63, 1, 1, 762}, {64, 1, 1, 762},
  };
  return layout;
}

inline ByteFixture ShotStream(std::uint32_t version, const FieldValues& values) {
  return LayoutStream(ShotLayout(), version, values);
}

// A condition: kind, value, then (from 110) the two sides, else two dropped
// 16-bit values; comparison, (from 43) percent, last.
struct CondBytes {
  int kind = 0;
  int leftKind = 0, leftObject = 0, leftItem = 0;
  int rightSource = 0, rightObject = 0, rightItem = 0;
  int compare = 0;
};

inline ByteFixture CondStream(std::uint32_t version, const CondBytes& c) {
  std::vector<StreamField> fields = {{1, c.kind}, {4, 0}};
  if (version >= 110) {
    for (StreamField field : std::vector<StreamField>{{4, 0}, {4, 0}, {1, c.leftObject}, {1, c.leftItem},
                                                      {1, c.leftKind}, {1, 0}, {2, 0}, {1, c.rightSource},
                                                      {1, c.rightObject}, {1, c.rightItem}, {1, 0}, {2, 0}})
      fields.push_back(field);
  } else {
    fields.emplace_back(2, 0x1234);
    fields.emplace_back(2, 0x5678);
  }
  fields.emplace_back(1, c.compare);
  if (version >= 43) fields.emplace_back(1, 0);
  fields.emplace_back(1, 0);
  return RecordStream(fields);
}

// A command stream: the registered fields, the optional records (the
// condition-list word from 764), no flows unless given, the parameters.
struct CmdBytes {
  int family = 0;
  int kind = 0;
  std::vector<std::int32_t> params{};
  const ByteFixture* move = nullptr;
  const ByteFixture* shot = nullptr;
  std::vector<ByteFixture> flows{};
  int sound = 0;
  int time = 0;
};

inline ByteFixture CmdStream(std::uint32_t version, const CmdBytes& c) {
  ByteFixture f = RecordStream(
      {{1, c.family}, {1, c.kind}, {2, c.time}, {2, 0}, {1, 0}, {2, c.sound}, {1, 1}, {2, 0}}, {""});
  f.I32(c.move ? 1 : 0);
  if (c.move) f.Append(*c.move);
  f.I32(c.shot ? 1 : 0);
  if (c.shot) f.Append(*c.shot);
  if (version >= 764) f.I32(0);
  f.I32(static_cast<std::int32_t>(c.flows.size()));
  for (const ByteFixture& flow : c.flows) f.Append(flow);
  f.I32(static_cast<std::int32_t>(c.params.size()));
  for (std::int32_t value : c.params) f.I32(value);
  return f;
}

// A flow stream with no conditions or key steps.
struct FlowBytes {
  int trigger = 0;
  int flag = 0;
  int testPlay = 0;
  const char* memo = "";
  std::vector<ByteFixture> commands{};
};

inline ByteFixture FlowStream(std::uint32_t version, const FlowBytes& fl) {
  std::vector<StreamField> fields = {{1, 1}, {1, fl.flag}, {1, fl.testPlay}, {1, 0}, {1, 0}, {1, fl.trigger}};
  if (version >= 762) fields.emplace_back(1, 0);
  if (version >= 767) fields.emplace_back(1, 0);
  fields.emplace_back(1, 0);
  fields.emplace_back(1, 0);
  ByteFixture f = version >= 676 ? RecordStream(fields, {fl.memo}) : RecordStream(fields);
  f.I32(0).I32(0).I32(static_cast<std::int32_t>(fl.commands.size()));
  for (const ByteFixture& command : fl.commands) f.Append(command);
  return f;
}

// The record loaded from a stream of `version`; a refused stream fails the test.
template <typename Record>
Record Loaded(std::uint32_t version, const ByteFixture& stream) {
  Record record;
  EXPECT_TRUE(LoadStream(record, version, stream));
  return record;
}

inline cEdCmd LoadedCmd(std::uint32_t version, const CmdBytes& bytes) {
  return Loaded<cEdCmd>(version, CmdStream(version, bytes));
}
inline cCond LoadedCond(std::uint32_t version, const CondBytes& bytes) {
  return Loaded<cCond>(version, CondStream(version, bytes));
}
inline cEdFlow LoadedFlow(std::uint32_t version, const FlowBytes& bytes) {
  return Loaded<cEdFlow>(version, FlowStream(version, bytes));
}

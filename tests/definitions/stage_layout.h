#pragma once
// Hand-written stage files and definition streams at any data version,
// written from the stage file's tables (value number, width, first version)
// and independent of the record classes under test.

#include <bit>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "tests/definitions/record_layouts.h"

inline std::int64_t DoubleBits(double value) { return std::bit_cast<std::int64_t>(value); }

// Writes the fields of `layout` stored by `version` (one value each), then
// the given strings.
inline ByteFixture SingleValueStream(const std::vector<LayoutField>& layout, std::uint32_t version,
                                     const FieldValues& values, const std::vector<std::string>& strings) {
  std::vector<StreamField> fields;
  for (const LayoutField& field : layout) {
    if (version < field.since) continue;
    const auto found = values.find(field.number);
    fields.emplace_back(field.width, found == values.end() ? 0 : found->second);
  }
  ByteFixture f;
  f.Append(RecordStream(fields));
  // RecordStream wrote a string count of 0: replace it with the strings.
  std::vector<std::uint8_t> bytes = f.Bytes();
  bytes.resize(bytes.size() - 4);
  ByteFixture out;
  for (std::uint8_t b : bytes) out.U8(b);
  out.I32(static_cast<std::int32_t>(strings.size()));
  for (const std::string& text : strings) out.Str(text);
  return out;
}

// The 98 values of the stage settings at version 878.
inline std::vector<LayoutField> StageSettingsLayout() {
  std::vector<LayoutField> l;
  const auto add = [&](int first, int last, int width, std::uint32_t since) {
    for (int n = first; n <= last; ++n) l.push_back({n, width, 1, since});
  };
  add(1, 20, 4, 0);
  add(21, 21, 8, 0);
  add(22, 24, 4, 0);
  add(25, 25, 4, 166);
  add(26, 26, 4, 199);
  add(27, 29, 4, 0);
  add(30, 30, 4, 183);
  add(31, 31, 4, 184);
  add(32, 32, 4, 0);
  add(33, 33, 4, 225);
  add(34, 35, 4, 0);
  add(36, 39, 4, 200);
  add(40, 41, 4, 0);
  add(42, 43, 4, 155);
  add(44, 47, 4, 0);
  add(48, 49, 4, 200);
  add(50, 51, 4, 155);
  add(52, 52, 4, 200);
  add(53, 55, 4, 0);
  add(56, 56, 4, 200);
  add(57, 59, 4, 0);
  add(60, 63, 4, 200);
  add(64, 65, 4, 0);
  add(66, 67, 4, 155);
  add(68, 69, 4, 0);
  add(70, 71, 4, 200);
  add(72, 73, 4, 155);
  add(74, 87, 4, 0);
  add(88, 92, 8, 0);
  add(93, 98, 4, 0);
  return l;
}

// Settings of a small playable stage (values by number).
inline FieldValues SmallStageSettings() {
  return {{1, 30},
          {4, 20},
          {9, 25},
          {13, 60},
          {15, 200},
          {16, 20},
          {21, DoubleBits(0.5)},
          {22, 15},
          {24, 0},
          {27, 1},
          {34, 1},
          {35, 1},
          {94, 1},
          {95, 30},
          {97, 30},
          // derived values as a writer left them: the reader recomputes them
          {87, 99},
          {88, DoubleBits(99.0)}};
}

// Field tables of the definitions: {number, width, 1, since}.
inline std::vector<LayoutField> BlockLayout() {
  // Numbered as the block's members 1 to 19; number 3 is the name (a string).
  const int widths[] = {1, 2, 0, 1, 1, 2, 1, 2, 1, 1, 1, 2, 1, 1, 1, 4, 1, 2, 1};
  std::vector<LayoutField> l;
  for (int i = 0; i < 19; ++i)
    if (widths[i] != 0) l.push_back({i + 1, widths[i], 1, 0});
  return l;
}

inline std::vector<LayoutField> ItemLayout() {
  // Numbered as the item's members 1 to 18; number 3 is the name.
  const int widths[] = {1, 2, 0, 1, 1, 2, 2, 2, 1, 2, 1, 1, 1, 2, 1, 1, 1, 2};
  std::vector<LayoutField> l;
  for (int i = 0; i < 18; ++i)
    if (widths[i] != 0) l.push_back({i + 1, widths[i], 1, 0});
  return l;
}

// Numbered as the character fields 1 to 53.
inline std::vector<LayoutField> CharaLayout() {
  const int widths[] = {1, 2, 1, 1, 1, 1, 2, 2, 2, 2, 1, 1, 2, 1, 2, 2, 1, 1, 2, 1, 1, 2, 1, 1, 2, 1, 1,
                        1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 4, 4, 2, 1, 4, 1, 2, 4, 1, 4, 1, 1, 2, 1, 1};
  std::vector<LayoutField> l;
  for (int i = 0; i < 53; ++i) {
    const int n = i + 1;
    std::uint32_t since = 0;
    if (n == 20 || n == 23) since = 196;
    if (n == 33) since = 285;
    if (n == 36) since = 210;
    if (n == 42) since = 201;
    if (n == 46) since = 168;
    l.push_back({n, widths[i], 1, since});
  }
  return l;
}

// A block definition's stream: fields, name, column, row, flags, no conditions.
inline ByteFixture BlockStream(std::uint32_t version, const FieldValues& values, std::int16_t column = 0,
                               std::int16_t row = 0, const std::vector<std::uint8_t>& flags = {},
                               const std::string& name = "") {
  ByteFixture f = SingleValueStream(BlockLayout(), version, values, {name});
  f.U16(static_cast<std::uint16_t>(column)).U16(static_cast<std::uint16_t>(row));
  f.I32(static_cast<std::int32_t>(flags.size()));
  for (std::uint8_t flag : flags) f.U8(flag);
  f.I32(0);
  return f;
}

inline ByteFixture ItemStream(std::uint32_t version, const FieldValues& values,
                              const std::string& name = "") {
  ByteFixture f = SingleValueStream(ItemLayout(), version, values, {name});
  f.U16(0).U16(0).I32(0).I32(0).I32(0);
  return f;
}

inline ByteFixture CharaStream(std::uint32_t version, const FieldValues& values, std::int16_t column = 0,
                               std::int16_t row = 0, const std::vector<std::uint8_t>& flags = {},
                               const std::string& name = "") {
  ByteFixture f = SingleValueStream(CharaLayout(), version, values, {name});
  f.U16(static_cast<std::uint16_t>(column)).U16(static_cast<std::uint16_t>(row)).I32(0);
  f.I32(static_cast<std::int32_t>(flags.size()));
  for (std::uint8_t flag : flags) f.U8(flag);
  f.I32(0).I32(0);
  return f;
}

// A character the player operates, with a graphic: a hero start.
inline FieldValues HeroValues() { return {{13, 5}, {14, 1}, {26, 0}, {35, 1}, {39, 10}}; }

inline ByteFixture RemovalAreaStream(std::uint32_t version, const std::vector<std::int64_t>& words) {
  std::vector<StreamField> fields;
  for (std::size_t i = 0; i < words.size(); ++i) {
    if (version < 125 && i >= 1 && i <= 3) continue;
    fields.emplace_back(4, words[i]);
  }
  return RecordStream(fields);
}

// Background layer fields at `version`: values by name order Show, Fill,
// FillColour, Pass, RateX, RateY, AutoX, AutoY, AutoSpeedX, AutoSpeedY,
// OffsetX, OffsetY (doubles as given).
struct BackgroundValues {
  std::uint32_t show = 1, fill = 0, colour = 16, pass = 0;
  double rateX = 0.1, rateY = 0.1;
  std::uint32_t autoX = 0, autoY = 0;
  double autoSpeedX = 0, autoSpeedY = 0, offsetX = 0, offsetY = 0;
  std::string image;
};

inline ByteFixture BackgroundStream(std::uint32_t version, const BackgroundValues& v) {
  std::vector<StreamField> fields;
  if (version >= 62) fields.emplace_back(4, v.show);
  fields.emplace_back(4, v.fill);
  fields.emplace_back(4, v.colour);
  fields.emplace_back(4, v.pass);
  if (version >= 61) {
    fields.emplace_back(8, DoubleBits(v.rateX));
    fields.emplace_back(8, DoubleBits(v.rateY));
    fields.emplace_back(4, v.autoX);
    fields.emplace_back(4, v.autoY);
  } else {
    fields.emplace_back(4, 7);  // two words of old versions, dropped
    fields.emplace_back(4, 7);
  }
  if (version >= 876) {
    fields.emplace_back(8, DoubleBits(v.autoSpeedX));
    fields.emplace_back(8, DoubleBits(v.autoSpeedY));
  }
  if (version >= 62) {
    fields.emplace_back(8, DoubleBits(v.offsetX));
    fields.emplace_back(8, DoubleBits(v.offsetY));
  } else if (version == 61) {
    fields.emplace_back(4, 9);
    fields.emplace_back(4, 9);
  }
  ByteFixture f = RecordStream(fields, {});
  std::vector<std::uint8_t> bytes = f.Bytes();
  bytes.resize(bytes.size() - 4);
  ByteFixture out;
  for (std::uint8_t b : bytes) out.U8(b);
  out.I32(1).Str(v.image);
  return out;
}

// The parts of a stage file after its settings.
struct StageParts {
  std::vector<std::uint32_t> ranking = {1, 1, 1, 1, 1};
  std::vector<ByteFixture> paletteBlocks, paletteCharas, paletteItems;
  std::vector<ByteFixture> blocks, charas, items;
  std::vector<ByteFixture> backgrounds;
  std::vector<std::string> texts;
  bool endValue = true;
  std::uint32_t end = 123456789;
};

inline ByteFixture StageFile(std::uint32_t version, const FieldValues& settings, const StageParts& parts,
                             const std::string& stageText = "") {
  ByteFixture body = SingleValueStream(StageSettingsLayout(), version, settings, {stageText});
  body.I32(static_cast<std::int32_t>(parts.ranking.size()));
  for (std::uint32_t value : parts.ranking) body.I32(static_cast<std::int32_t>(value));
  for (int area = 0; area < 5; ++area) body.Append(RemovalAreaStream(version, {1, 1, 1, 1, 10, 10, 10, 10}));
  const auto list = [&](const std::vector<ByteFixture>& elements, bool placed) {
    body.I32(static_cast<std::int32_t>(elements.size()));
    for (const ByteFixture& element : elements) {
      if (placed) body.I32(0);
      body.Append(element);
    }
  };
  list(parts.paletteBlocks, false);
  list(parts.paletteCharas, false);
  list(parts.paletteItems, false);
  list(parts.blocks, true);
  list(parts.charas, true);
  list(parts.items, true);
  list(parts.backgrounds, false);
  body.I32(static_cast<std::int32_t>(parts.texts.size()));
  for (const std::string& text : parts.texts) body.I32(0).I32(1).Str(text);
  if (parts.endValue && version >= 173) body.I32(static_cast<std::int32_t>(parts.end));
  return DataFile(version, body);
}

// A stage with one hero start and one block, at any version.
inline StageParts HeroStageParts(std::uint32_t version) {
  StageParts parts;
  parts.charas.push_back(CharaStream(version, HeroValues(), 2, 3));
  parts.blocks.push_back(BlockStream(version, {{6, 4}}, 1, 5));
  BackgroundValues layer;
  layer.fill = 1;
  parts.backgrounds.push_back(BackgroundStream(version, layer));
  return parts;
}

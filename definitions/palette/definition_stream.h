#pragma once
// Pieces of the stream that block, character and item definitions share
// after their registered fields: the inheritance flags and the upgrade of
// shot graphics.

#include <cstddef>
#include <cstdint>

#include "definitions/condition_records.h"
#include "foundation/checked_vector.h"
#include "foundation/record_stream.h"

// The flags as stored: a 32-bit count, then one byte per flag. They are then
// made exactly `groups` long (new flags 0) whatever length was stored, since
// each flag stands for one property group of the kind.
void ReadInheritFlags(DataReader& in, cVector<std::uint8_t>& flags, std::size_t groups);
void WriteInheritFlags(DataWriter& out, const cVector<std::uint8_t>& flags);

// Files older than 219 numbered the cells of graphic kind 3 ("ショット") one
// lower: such a graphic number moves one on, at most to the last cell 119.
inline constexpr std::uint8_t kGraphicKindShot = 3;
std::uint16_t UpgradeShotGraphic(std::uint32_t version, std::uint8_t kind, std::uint16_t number);

// What blocks and items stream after their registered fields: column and
// row, the inheritance flags (then `groups` long) and the conditions.
template <typename Definition>
void ReadPlacementFlagsAndConds(DataReader& in, Definition& definition, std::size_t groups) {
  definition.m_nColumn = in.Read<std::int16_t>();
  definition.m_nRow = in.Read<std::int16_t>();
  ReadInheritFlags(in, definition.m_vInherit, groups);
  ReadCondList(in, definition.m_vConds);
}

template <typename Definition>
void WritePlacementFlagsAndConds(DataWriter& out, Definition& definition) {
  out.Write(definition.m_nColumn);
  out.Write(definition.m_nRow);
  WriteInheritFlags(out, definition.m_vInherit);
  WriteCondList(out, definition.m_vConds);
}

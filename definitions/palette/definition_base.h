#pragma once
// What block, character and item definitions have in common: where a placed
// one stands, the palette entry it refers to with one inheritance flag per
// property group of its kind, its name, and the condition list with the mode
// that combines it and the switch that keeps it holding once it held. Each
// kind registers these members in its own stream order.

#include <cstdint>
#include <string>

#include "definitions/condition_records.h"
#include "foundation/checked_vector.h"
#include "foundation/record.h"

class cEdDefinition : public cRecord {
 public:
  std::int16_t m_nColumn = 0;  // placed definitions: position in blocks
  std::int16_t m_nRow = 0;
  std::uint8_t m_nPalKind = 0;  // PaletteKind
  std::uint16_t m_nPalIndex = 0;
  cVector<std::uint8_t> m_vInherit;  // one flag per property group
  std::string m_strName;
  cVector<cCond> m_vConds;
  std::uint8_t m_nCondMode = 0;  // CondMode
  std::uint8_t m_bCondOnce = 0;  // once the conditions held they keep holding

  // The inheritance group of the conditions: the list, its mode and its once switch.
  void CopyConditionGroup(const cEdDefinition& source) {
    m_vConds = source.m_vConds;
    m_nCondMode = source.m_nCondMode;
    m_bCondOnce = source.m_bCondOnce;
  }

 protected:
  // Position 0, no conditions, `groups` flags of 0; the caller clears the
  // registered members.
  void ResetCommonMembers(std::size_t groups) {
    m_nColumn = 0;
    m_nRow = 0;
    m_vInherit.assign(groups, 0);
    m_vConds.clear();
  }
};

#pragma once
// Inheritance from a palette entry, shared by the three definition kinds. A
// definition holds a palette reference (kind and index) and one inheritance
// flag per property group of its kind; each set flag copies that group from
// the referenced entry. The groups themselves are each kind's own table of
// copy operations, in flag order.

#include <array>
#include <cstddef>
#include <cstdint>

#include "definitions/palette/palette_source.h"
#include "foundation/checked_vector.h"

template <typename Definition>
using GroupCopy = void (*)(Definition& target, const Definition& source);

// Copies every group whose flag is set, in flag order.
template <typename Definition, std::size_t N>
void CopyFlaggedGroups(Definition& target, const Definition& source,
                       const std::array<GroupCopy<Definition>, N>& groups) {
  if (&target == &source) return;
  for (std::size_t i = 0; i < N && i < target.m_vInherit.size(); ++i)
    if (target.m_vInherit[static_cast<long long>(i)] != 0) groups[i](target, source);
}

// The entry a reference leads to. Index 0, the built-in empty entry, is never
// a source; a reference of kind 1 or 2 past the end of its list is dropped
// (palette kind 0) and leads nowhere, as does any other kind.
template <typename Definition>
const Definition* FollowPaletteRef(Definition& definition) {
  if (definition.m_nPalKind == kPaletteNone || definition.m_nPalIndex == 0) return nullptr;
  cVector<Definition>* list = PaletteList<Definition>(definition.m_nPalKind);
  if (list == nullptr) return nullptr;
  if (definition.m_nPalIndex >= list->size()) {
    definition.m_nPalKind = kPaletteNone;
    return nullptr;
  }
  return &(*list)[definition.m_nPalIndex];
}

// The reference check of blocks and items: a stale reference becomes kind 0,
// index 0.
template <typename Definition>
void DropStalePaletteRef(Definition& definition) {
  if (!IsStalePaletteRef<Definition>(definition.m_nPalKind, definition.m_nPalIndex)) return;
  definition.m_nPalKind = kPaletteNone;
  definition.m_nPalIndex = 0;
}

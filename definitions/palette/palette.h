#pragma once
// A palette: libraries of block, character and item definitions that other
// definitions take property groups from. The project has one common palette,
// g_CommonPalette, read at start-up from "data\CommonPalette.cplt4"; each
// stage carries its own stage palette in its stage file (cEdStage).
//
// Entry 0 of every list is the built-in empty entry, reset to its kind's
// defaults whenever the palette is read, and every list holds at least two
// entries once normalised. The common palette never inherits: its entries'
// flags are cleared when it is read.

#include "definitions/palette/block_definition.h"
#include "definitions/palette/chara_definition.h"
#include "definitions/palette/item_definition.h"
#include "definitions/palette/palette_source.h"
#include "foundation/checked_vector.h"
#include "foundation/record.h"

class cEdPalette : public cRecord {
 public:
  // The base stream (no fields), the three lists, entry 0 of each reset,
  // every flag cleared, then Normalize. References of kind 1 made while
  // reading lead into this palette.
  void Load(DataReader& in) override;
  // Normalize, then the base stream and the three lists.
  void Save(DataWriter& out) override;
  // Lists filled up to two entries; every entry's reference checks.
  void Normalize();

  PaletteLists Lists() { return {&m_vBlock, &m_vChara, &m_vItem}; }

  cVector<cEdBlock> m_vBlock;
  cVector<cEdChara> m_vChara;
  cVector<cEdItem> m_vItem;
};

extern cEdPalette g_CommonPalette;

// Reads g_CommonPalette from its file; on failure reports "%s のロードに失敗！"
// with the path (report line and message box) and returns 0.
int LoadCommonPalette();

// Palette lists as stage files and palette files store them: a 32-bit count,
// then each definition's stream. The list is refilled with default records
// first and each reads in place, so that a reference to a later entry of the
// same list meets that entry's default record. A damaged stream leaves the
// list half read: the owning record is then discarded by its loader.
template <typename Definition>
void ReadDefinitionList(DataReader& in, cVector<Definition>& list) {
  const std::int32_t count = in.ReadCount(kMinRecordStreamBytes);
  if (count < 0) in.Fail("negative definition count");
  if (!in.ok()) return;
  list.assign(static_cast<std::size_t>(count), Definition());
  for (Definition& definition : list) {
    definition.Load(in);
    if (!in.ok()) return;
  }
}

// Entry 0 of a non-empty palette list becomes the kind's default record.
template <typename Definition>
void ResetEmptyEntry(cVector<Definition>& list) {
  if (!list.empty()) list.front().SetDefaults();
}

// A list with fewer than two entries is filled up to two with defaults.
template <typename Definition>
void FillToTwoEntries(cVector<Definition>& list) {
  if (list.size() < 2) list.resize(2);
}

// The reference checks of one definition, as palettes and stages run them.
void CheckDefinitionRefs(cEdBlock& block);
void CheckDefinitionRefs(cEdChara& chara);
void CheckDefinitionRefs(cEdItem& item);
template <typename Definition>
void CheckListRefs(cVector<Definition>& list) {
  for (Definition& definition : list) CheckDefinitionRefs(definition);
}

#include "definitions/palette/palette_source.h"

#include "definitions/palette/palette.h"
#include "definitions/stage/stage_record.h"

namespace {

// The lists that scopes installed on this thread, per kind; null: the global.
thread_local const PaletteLists* t_common = nullptr;
thread_local const PaletteLists* t_stage = nullptr;

const PaletteLists*& ScopedLists(PaletteKind kind) { return kind == kPaletteCommon ? t_common : t_stage; }

PaletteLists ListsOf(int kind) {
  if (kind == kPaletteCommon) return t_common ? *t_common : g_CommonPalette.Lists();
  if (kind == kPaletteStage) return t_stage ? *t_stage : g_Stage.PaletteListsOfStage();
  return {};
}

}  // namespace

template <>
cVector<cEdBlock>* PaletteList<cEdBlock>(int kind) {
  return ListsOf(kind).blocks;
}
template <>
cVector<cEdChara>* PaletteList<cEdChara>(int kind) {
  return ListsOf(kind).charas;
}
template <>
cVector<cEdItem>* PaletteList<cEdItem>(int kind) {
  return ListsOf(kind).items;
}

PaletteScope::PaletteScope(PaletteKind kind, PaletteLists lists)
    : kind_(kind), previous_(ScopedLists(kind)), lists_(lists) {
  ScopedLists(kind_) = &lists_;
}

PaletteScope::~PaletteScope() { ScopedLists(kind_) = previous_; }

PaletteListSizes PaletteSizes(PaletteKind kind) {
  const PaletteLists lists = ListsOf(kind);
  if (!lists.blocks) return {};
  return {lists.blocks->size(), lists.charas->size(), lists.items->size()};
}

cEdItem& GetPaletteItem(int kind, int index) {
  cVector<cEdItem>* items = PaletteList<cEdItem>(kind);
  if (items == nullptr) items = PaletteList<cEdItem>(kPaletteStage);
  return (*items)[index];
}

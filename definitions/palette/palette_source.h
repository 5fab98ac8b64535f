#pragma once
// Where palette references lead. Every block, character and item definition
// may name one entry of a palette list of its own kind: kind 1 the common
// palette (g_CommonPalette), kind 2 the stage palette of the stage (g_Stage).
//
// A definition copies its inherited groups while it is read, so the lists a
// reference resolves against must be the ones of the palette or stage being
// read at that moment, which may not be the global one yet: a stage is read
// into a fresh record on the loader thread and replaces g_Stage only when it
// is complete, and the common palette is read into a copy the same way. The
// record being read installs itself for the calling thread with a
// PaletteScope; outside any scope the globals serve.

#include <cstdint>

#include "definitions/command_record.h"
#include "foundation/checked_vector.h"

class cEdBlock;
class cEdChara;
class cEdItem;

// Palette kinds of a reference.
enum PaletteKind : std::uint8_t {
  kPaletteNone = 0,    // "継承しない"
  kPaletteCommon = 1,  // "コモンパレット"
  kPaletteStage = 2,   // "ステージパレット"
};

// The three definition lists of one palette.
struct PaletteLists {
  cVector<cEdBlock>* blocks = nullptr;
  cVector<cEdChara>* charas = nullptr;
  cVector<cEdItem>* items = nullptr;
};

// The list of `Definition`s that a reference of `kind` leads to on this
// thread; null for a kind other than 1 and 2.
template <typename Definition>
cVector<Definition>* PaletteList(int kind);
template <>
cVector<cEdBlock>* PaletteList<cEdBlock>(int kind);
template <>
cVector<cEdChara>* PaletteList<cEdChara>(int kind);
template <>
cVector<cEdItem>* PaletteList<cEdItem>(int kind);

// While it lives, references of `kind` made on this thread resolve against
// `lists`. Scopes nest.
class PaletteScope {
 public:
  PaletteScope(PaletteKind kind, PaletteLists lists);
  ~PaletteScope();
  PaletteScope(const PaletteScope&) = delete;
  PaletteScope& operator=(const PaletteScope&) = delete;

 private:
  PaletteKind kind_;
  const PaletteLists* previous_;
  PaletteLists lists_;
};

// A reference of kind 1 or 2 whose index lies past its list is stale.
template <typename Definition>
bool IsStalePaletteRef(int kind, int index) {
  const cVector<Definition>* list = PaletteList<Definition>(kind);
  return list != nullptr && static_cast<std::size_t>(index) >= list->size();
}

// The sizes of the three lists a reference of `kind` leads to (all 0 for
// other kinds), for the palette check of commands.
PaletteListSizes PaletteSizes(PaletteKind kind);

// The item definition of the common (1) or stage (2) palette, through the
// checked access (a bad index is the fatal path).
cEdItem& GetPaletteItem(int kind, int index);

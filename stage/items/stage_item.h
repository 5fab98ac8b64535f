#pragma once
// An item on the stage: a moving object made from an item definition, put
// on its cell and waiting to be taken. It carries its own copy of the
// definition, which the pick-up reads. Characters also carry one as the
// item they drop when defeated. An item floats (gravity leaves it alone)
// and, when its size factor grows, grows upward from where it stands.

#include <cstdint>

#include "definitions/palette/item_definition.h"
#include "stage/objects/stage_obj.h"

class cStageItem : public cStageObj {
 public:
  // From a definition with its serial number (the item's id); the copy's
  // loop commands are expanded. Without `noScale` the item takes the
  // definition's size factor at once.
  void SetFromDef(const cEdItem& definition, std::uint32_t serialNo, int noScale);
  // On stage cell (column, row), moved by the definition's dot offsets.
  void SetBlockPos(int column, int row, int keepFlag);
  void ShiftYForScale(int newFactor, int oldFactor, int keepFlag) override;

  // Whether the hero can take it at all: an item is in the slot, its rule
  // allows taking and it has a graphic.
  bool Takeable() const;

  cEdItem def;
  std::uint32_t serial = 0;
  std::int32_t empty = 1;  // a character's drop item slot holds none
  std::int32_t removed = 0;
  std::int32_t noScale = 0;     // keeps size factor 1 whatever the definition says
  std::int32_t condLatch = 0;   // the conditions held once
};

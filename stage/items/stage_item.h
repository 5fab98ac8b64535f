#pragma once
// An item on the stage: a moving object made from an item definition, put
// on its cell and waiting to be taken. Characters also carry one as the item
// they drop when defeated.

#include <cstdint>

#include "definitions/palette/item_definition.h"
#include "stage/objects/stage_obj.h"

class cStageItem : public cStageObj {
 public:
  // From a definition, with a serial number; 32 x 32 at offset 0.
  void SetUp(const cEdItem& definition, std::uint32_t serialNo);
  // On stage cell (column, row), moved by the definition's offsets.
  void SetBlockPos(int column, int row);

  cEdItem def;
  std::uint32_t serial = 0;
  std::int32_t empty = 1;  // a character's drop item slot holds none
  std::int32_t removed = 0;
  std::int32_t condLatch = 0;  // the conditions held once
};

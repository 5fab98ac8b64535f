#include "stage/items/stage_item.h"

#include <algorithm>

#include "stage/objects/stage_space.h"

void cStageItem::SetUp(const cEdItem& definition, std::uint32_t serialNo) {
  def = definition;
  serial = serialNo;
  empty = 0;
  Init(static_cast<int>(serialNo), 1, 0, 0, 0, nullptr, 0, 0, 0, 32, 32, 32, 32, 0, 0, 0);
  sizeFactor = std::max<int>(def.m_nSize, 1);
}

void cStageItem::SetBlockPos(int column, int row) {
  x = (g_StageSpace.blockOffsetX + column) * 32 + baseGraphicOffsetX + def.m_nOffsetX;
  y = (g_StageSpace.blockOffsetY + row) * 32 + baseGraphicOffsetY + def.m_nOffsetY;
  ClampX();
  ClampY();
}

#include "stage/items/stage_item.h"

#include <algorithm>

#include "definitions/stage/stage_record.h"
#include "stage/chara/flow_runtime_slot.h"
#include "stage/objects/stage_space.h"

namespace {

constexpr int kFloating = 1;  // movement mode: no gravity, passes blocks

int HitSize(std::int32_t value) { return value > 0 ? value : 32; }

}  // namespace

void cStageItem::SetFromDef(const cEdItem& definition, std::uint32_t serialNo, int noScaleFlag) {
  def = definition;
  // The item's own list, expanded once: a binding changes this item alone.
  if (g_FlowRuntime.expandLoops != nullptr) g_FlowRuntime.expandLoops(def.m_vCmds);
  def.m_nSize = static_cast<std::uint8_t>(std::max<int>(def.m_nSize, 1));
  serial = serialNo;
  empty = 0;
  const int width = HitSize(g_PlayStage.ItemSize[0]);
  const int height = HitSize(g_PlayStage.ItemSize[1]);
  Init(static_cast<int>(serialNo), 1, 0, 0, 0, nullptr, 0, 16 - width / 2, 16 - height / 2, width, height, 32, 32, 0,
       kFloating, 0);
  // Until its own conditions are tested, an item counts as there: a drop
  // item or a block's item is taken without ever being on the item list.
  present = 1;
  scrollSync = 0;
  noScale = noScaleFlag;
  sizeFactor = 1;
  if (noScale) return;
  sizeFactor = def.m_nSize;
  SetScale(sizeFactor, 1, 1);
}

void cStageItem::SetBlockPos(int column, int row, int keepFlag) {
  x = (g_StageSpace.blockOffsetX + column) * 32 + baseGraphicOffsetX + def.m_nOffsetX + 0.5;
  y = (g_StageSpace.blockOffsetY + row) * 32 + baseGraphicOffsetY + def.m_nOffsetY;
  ShiftForScale(sizeFactor, 1, keepFlag);
  ClampToStageX(kClampStage);
  ClampToStageY(kClampStage);
}

void cStageItem::ShiftYForScale(int newFactor, int oldFactor, int) {
  if (newFactor == oldFactor) return;
  y -= (baseHitHeight + baseGraphicOffsetY) * (newFactor - oldFactor);
  ClampToStageY(kClampStage);
}

bool cStageItem::Takeable() const { return !empty && def.m_nTaking != kTakeNever && def.m_nGraphicNo != 0; }

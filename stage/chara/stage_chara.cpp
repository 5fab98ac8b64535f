#include "stage/chara/stage_chara.h"

#include <algorithm>

#include "definitions/stage/stage_record.h"
#include "stage/objects/stage_space.h"

namespace {

// The stage's character hit size by flight mode (walking, floating); 32
// where the stage gives none.
void CharaHitSize(int floating, int& width, int& height) {
  const std::int32_t* size = g_PlayStage.CharaSize;
  width = size[floating ? 2 : 0] > 0 ? size[floating ? 2 : 0] : 32;
  height = size[floating ? 3 : 1] > 0 ? size[floating ? 3 : 1] : 32;
}

}  // namespace

void cStageChara::SetUp(int number, const cEdChara& definition, const cStageItem* drop, int facing) {
  ResetChara(&definition, 0, 0, 0, 0);
  sizeFactor = std::max<int>(definition.m_nSize, 1);
  int width = 32;
  int height = 32;
  if (!definition.m_bBlockChara) CharaHitSize(definition.m_nFlight != 0, width, height);
  Init(number, definition.m_nOperator, 0, 0, 0, nullptr, 0, (32 - width) >> 1, (32 - height) >> 1, width, height, 32,
       32, facing, definition.m_nFlight, 0);
  side = definition.m_nFaction;
  scrollSync = definition.m_bScrollSync;
  ignoreScreenX = definition.m_nActiveRange == 2 || definition.m_nActiveRange == 3;
  ignoreScreenY = definition.m_nActiveRange == 1 || definition.m_nActiveRange == 3;
  activated = 0;
  dropIconCounter = 0;
  if (drop != nullptr) {
    dropItem = *drop;
    dropItem.empty = 0;
  } else {
    dropItem.empty = 1;
  }
}

void cStageChara::SetBlockPos(int column, int row) {
  x = (g_StageSpace.blockOffsetX + column) * 32 + baseGraphicOffsetX + 0.5;
  y = (g_StageSpace.blockOffsetY + row) * 32 + baseGraphicOffsetY;
  ShiftForScale(sizeFactor, 1, 1);
  ClampX();
  ClampY();
  placedX = (g_StageSpace.blockOffsetX + column) * 32 + 16;
  placedY = (g_StageSpace.blockOffsetY + row) * 32 + 16;
}

void cStageChara::UpdateBoxX() {
  bodyBox.FollowX(x);
  shotBox.FollowX(x);
}

void cStageChara::UpdateBoxY() {
  bodyBox.FollowY(y);
  shotBox.FollowY(y);
}

int cStageChara::IsSeen(std::uint8_t* flagSet) {
  if (!IsOnScreenAxes(ignoreScreenX, ignoreScreenY)) {
    seen = 0;
    return 0;
  }
  seen = 1;
  (void)flagSet;
  return 1;
}

int cStageChara::TryActivate(const cVector<std::uint8_t>& groupFlags) {
  bool acts = seen != 0;
  if (!acts) {
    const std::size_t group = def.m_nGroupNo;
    if (def.m_bGroup && group < groupFlags.size() && groupFlags[static_cast<long long>(group)]) acts = true;
    else if (!Floats() && (airborne || (activated && jumping))) acts = true;
  }
  if (!acts) return 0;
  activated = 1;
  if (def.m_nRangeRule == 1) ignoreScreenX = ignoreScreenY = 1;
  UpdateScreenPos();
  return 1;
}

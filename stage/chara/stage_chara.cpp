#include "stage/chara/stage_chara.h"

#include <algorithm>

#include "definitions/stage/stage_record.h"
#include "stage/chara/chara_damage.h"
#include "stage/chara/flow_runtime_slot.h"
#include "stage/motion/motion_math.h"
#include "stage/objects/stage_space.h"

namespace {

// Body-box choices of a definition.
enum HitArea : int { kBodyBoxSize = 0, kShotBoxSize = 1, kShotHitSize = 2, kDrawnCell = 3 };

constexpr int kStartPatternWalking = 1;
constexpr int kStartPatternFloating = 0;

// A stage size pair; 32 where the stage gives none, so that no box is empty.
void SizeOr32(const std::int32_t* pair, int& width, int& height) {
  width = pair[0] > 0 ? pair[0] : 32;
  height = pair[1] > 0 ? pair[1] : 32;
}

}  // namespace

void cStageChara::SetUp(int number, const cEdChara& definition, const cStageItem* drop, int cloneIndex,
                        int facing) {
  ResetChara(&definition, cloneIndex);
  const int factor = std::max<int>(definition.m_nSize, 1);
  def.m_nSize = static_cast<std::uint8_t>(factor);
  const bool floating = definition.m_nFlight != 0;
  int width = 32;
  int height = 32;
  int offsetX = 0;
  int offsetY = 0;
  if (!definition.m_bBlockChara) {
    SizeOr32(&g_PlayStage.CharaSize[floating ? 2 : 0], width, height);
    offsetX = (32 - width) >> 1;
    offsetY = g_PlayStage.CharaSizeSwitch[floating ? 1 : 0] ? 32 - height : (32 - height) >> 1;
  }
  Init(number, definition.m_nOperator, 0, 0, 0, nullptr, 0, offsetX, offsetY, width, height, 32, 32, facing,
       definition.m_nFlight, 0);
  side = definition.m_nFaction;
  scrollSync = definition.m_bScrollSync;
  SetUpBoxes();
  sizeFactor = factor;
  SetScale(factor, 1, 1);
  dropIconCounter = 0;
  if (drop != nullptr) {
    dropItem = *drop;
    dropItem.empty = 0;
  } else {
    dropItem.empty = 1;
  }
  ignoreScreenX = definition.m_nActiveRange == 2 || definition.m_nActiveRange == 3;
  ignoreScreenY = definition.m_nActiveRange == 1 || definition.m_nActiveRange == 3;
  activated = 0;
  anime.SetPattern(floating ? kStartPatternFloating : kStartPatternWalking, 1);
  if (g_FlowRuntime.installFlows != nullptr) g_FlowRuntime.installFlows(*this);
}

void cStageChara::SetUpBoxes() {
  if (def.m_bBlockChara) {
    bodyBox.SetBase(0, 0, 32, 32);
    shotBox.SetBase(0, 0, 32, 32);
    return;
  }
  const bool floating = Floats();
  int width = 32;
  int height = 32;
  switch (def.m_nHitArea) {
    case kBodyBoxSize:
      SizeOr32(floating ? g_PlayStage.CharaBoxB : g_PlayStage.CharaBoxA, width, height);
      SetGraphicBox(g_PlayStage.CharaBoxSwitch[floating ? 1 : 0], width, height);
      break;
    case kShotBoxSize:
      SizeOr32(g_PlayStage.CharaBoxC, width, height);
      SetGraphicBox(0, width, height);
      break;
    case kShotHitSize:
      // The size of the shots that hit it: those of the other operator.
      SizeOr32(&g_PlayStage.ShotSize[op == kOperatorPlayer ? 4 : 0], width, height);
      SetGraphicBox(0, width, height);
      break;
    default: SetGraphicBox(0, drawWidth, drawHeight); break;
  }
  SizeOr32(g_PlayStage.CharaBoxC, width, height);
  shotBox.SetBase(16 - graphicOffsetX - width / 2, 16 - graphicOffsetY - height / 2, width, height);
}

void cStageChara::ScaleChanged(int factor) {
  if (def.m_bBlockChara) {
    bodyBox.SetBase(0, 0, hitWidth, hitHeight);
    shotBox.SetBase(0, 0, hitWidth, hitHeight);
  } else {
    bodyBox.Scale(factor);
    shotBox.Scale(factor);
  }
  ClampX();
  ClampY();
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

int cStageChara::StepX() {
  if (knockX != 0) {
    vx = knockX;
  } else if (cmdSpeedX != 0) {
    DecayTowardZero(*this, cmdSpeedX, friction1);
    vx += cmdSpeedX;
  }
  const int code = MoveStepX(kClampStage);
  ClampX();
  return code == 3 ? 4 : code;
}

int cStageChara::StepY() {
  ApplyImpactToVy(*this);
  if (knockY == 0 && Floats()) {
    DecayTowardZero(*this, cmdSpeedY, friction2);
    vy += cmdSpeedY;
  }
  const int code = MoveStepY(kClampStage);
  ClampY();
  if (!Floats()) return code == 5 || code == 6 ? 7 : code;
  return code == 3 || code == 6 ? 8 : code;
}

int cStageChara::IsSeen() {
  seen = IsOnScreenAxes(ignoreScreenX, ignoreScreenY);
  return seen;
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

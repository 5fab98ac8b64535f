// Making a shot or a sword, its boxes, and the links to its characters.
#include "stage/shots/stage_shot.h"

#include <algorithm>
#include <cmath>

#include "definitions/stage/stage_record.h"
#include "project/database.h"
#include "project/global_data.h"
#include "stage/chara/chara.h"
#include "stage/core/double_to_int.h"
#include "stage/objects/stage_space.h"
#include "stage/shots/shot_motion.h"

namespace {

constexpr int kShotCell = 16;
constexpr int kFloating = 1;  // floats and passes blocks: its own block test stops it

// The sword type of a sword record; null when it is missing or has no frames.
const cSwordType* SwordTypeOf(const cEdShot& record) {
  const auto& types = g_Database->m_vSwordType;
  const std::size_t index = record.m_nMoveKind;
  if (index >= types.size() || types[static_cast<long long>(index)].m_vEntries.empty()) return nullptr;
  return &types[static_cast<long long>(index)];
}

// The shot's hit box size: the stage's first pair for a shot of a player-
// operated owner, its third pair for the others.
void ShotHitSize(int op, int& width, int& height) {
  const int pair = op == 0 ? 0 : 4;
  width = g_PlayStage.ShotSize[pair];
  height = g_PlayStage.ShotSize[pair + 1];
}

// The range counter; with a range shorter than the sub-steps of one frame
// the velocity is cut so that the whole range is flown in one frame.
void SetUpRange(cStageShot& shot, const ShotPlacement& placement) {
  const double level = g_StageSpace.levelF;
  const double distance = std::max(0.0, static_cast<double>(placement.range) * 16.0 - shot.hitWidth);
  const double speed = std::fabs(placement.speed) / level;
  if (distance > 0 && speed > 0) {
    shot.rangeLeft = TruncToInt(distance / speed);
  } else {
    shot.rangeLeft = g_StageSpace.level;
    if (TruncToInt(std::fabs(placement.speed)) > shot.hitWidth) shot.rangeLeft = TruncToInt(shot.hitWidth / speed);
  }
  if (shot.rangeLeft >= g_StageSpace.level) return;
  const double sum = std::fabs(placement.vx) + std::fabs(placement.vy);
  if (sum != 0) {
    shot.ownVx = placement.vx * (distance / level) / sum;
    shot.ownVy = placement.vy * (distance / level) / sum;
  }
  shot.rangeLeft = g_StageSpace.level;
}

}  // namespace

cStageShot::~cStageShot() { Unlink(); }

bool cStageShot::Setup(int kind, std::int32_t serialNo, cChara* ownerChara, const cEdShot& record,
                       const ShotPlacement& placement) {
  rec = record;
  if (rec.m_nSize == 0) rec.m_nSize = 1;
  shotFlag = kind == kCmdKindSword ? 0 : 1;
  int width = kShotCell;
  int height = kShotCell;
  if (IsSword()) {
    const cSwordType* type = SwordTypeOf(rec);
    if (type == nullptr) return false;
    swordType = rec.m_nMoveKind;
    width = type->m_vEntries[0].nWidth;
    height = type->m_vEntries[0].nHeight;
  }
  const int op = ownerChara != nullptr ? ownerChara->op : 1;
  int ownerFacing = ownerChara != nullptr ? ownerChara->facing : 0;
  if (placement.vx > 0) ownerFacing = 1;
  else if (placement.vx < 0) ownerFacing = 0;
  Init(serialNo, op, ownerChara != nullptr ? ownerChara->value32 : 0, rec.m_nGraphic, 0, nullptr, 0, 0, 0, width,
       height, width, height, ownerFacing, kFloating, 0);
  if (IsSword()) {
    box.baseOffsetX = box.baseOffsetY = 0;
    box.baseWidth = width;
    box.baseHeight = height;
  } else {
    ShotHitSize(op, box.baseWidth, box.baseHeight);
    box.baseOffsetX = kShotCell / 2 - box.baseWidth / 2;
    box.baseOffsetY = kShotCell / 2 - box.baseHeight / 2;
  }
  box.offsetX = box.baseOffsetX;
  box.offsetY = box.baseOffsetY;
  box.width = box.baseWidth;
  box.height = box.baseHeight;
  sizeFactor = rec.m_nSize;
  SetScale(rec.m_nSize, 1, 1);
  x = placement.startX;
  y = placement.startY;
  ShotClampX(*this);
  ClampToStageY(kClampStage);

  const double level = g_StageSpace.levelF;
  ownVx = placement.vx / level;
  ownVy = placement.vy / level;
  accelOn = rec.m_bAccelerate;
  accel = accelOn ? (rec.m_nAccel + placement.cloneIndex * rec.m_nAccelStep) * 0.1 / level : 0.0;
  SplitAccel(*this, ownVx, ownVy);
  scrollSync = rec.m_bScroll;
  if (rec.m_bLifeTime) lifeLeft = static_cast<std::int32_t>(
      std::clamp<std::int64_t>(std::int64_t{placement.lifeTime} * g_StageSpace.level * 6, 0, INT32_MAX));
  if (rec.m_bRange) SetUpRange(*this, placement);
  aimSpeed = (rec.m_nSpeed + placement.cloneIndex * rec.m_nSpeedStep) * 0.1 / level;
  moveStep = swordFrame = swordFrameStep = 0;
  aimStart = aimEnd = aimDone = 0;

  owner = ownerChara;
  ownerNumber = ownerChara != nullptr ? ownerChara->number : 0;
  ownerSide = ownerChara != nullptr ? ownerChara->side : 0;
  side = rec.m_bOwnerFaction && ownerChara != nullptr ? ownerChara->side : rec.m_nFaction;
  target = ownerChara != nullptr && rec.m_nTargetSlot < kTargetSlots ? ownerChara->targets[rec.m_nTargetSlot] : nullptr;
  serial = serialNo;
  attack = rec.m_bAttack;
  attackFlowId = rec.m_nAttackFlowId < kFlagLetters ? rec.m_nAttackFlowId : 0;
  return true;
}

void cStageShot::ScaleChanged(int newFactor) {
  box.offsetX = box.baseOffsetX * newFactor;
  box.offsetY = box.baseOffsetY * newFactor;
  box.width = box.baseWidth * newFactor;
  box.height = box.baseHeight * newFactor;
  ShotClampX(*this);
  ClampToStageY(kClampStage);
}

void cStageShot::ShiftYForScale(int newFactor, int oldFactor, int) {
  y -= (baseHitHeight / 2) * (newFactor - oldFactor);
  ClampToStageY(kClampStage);
}

bool cStageShot::HasHit(std::int32_t charaNumber) const {
  return std::find(hitNumbers.begin(), hitNumbers.end(), charaNumber) != hitNumbers.end();
}

void cStageShot::MarkHit(std::int32_t charaNumber) {
  if (!HasHit(charaNumber)) hitNumbers.push_back(charaNumber);
}

void cStageShot::DropLink(const cChara& chara, int role) {
  if (role == kShotRoleOwner && owner == &chara) owner = nullptr;
  if (role == kShotRoleTarget && target == &chara) target = nullptr;
}

void cStageShot::Unlink() {
  if (owner != nullptr) std::erase(owner->shotRefs, ShotLink{this, kShotRoleOwner});
  if (target != nullptr) std::erase(target->shotRefs, ShotLink{this, kShotRoleTarget});
  owner = target = nullptr;
}

// A sword stands beside its owner, frame by frame of its sword type: each
// frame places it in front of, behind, above or below the owner's drawn
// cell, shifted by the frame's offsets (given for an owner facing left and
// mirrored per axis as the frame asks), for the frame's showing time.
//
// The entry values of a sword-type frame: 1 placement, 2 offset x, 3 and 4
// the mirror switches of x and y (files from before the switches read 1 and
// 0: only x mirrors), 5 offset y.
#include "project/database.h"
#include "project/global_data.h"
#include "stage/chara/chara.h"
#include "stage/core/double_to_int.h"
#include "stage/objects/stage_space.h"
#include "stage/shots/shot_motion.h"
#include "stage/shots/stage_shot.h"

namespace {

enum SwordPlacement : int { kInFront = 0, kBehind = 1, kAbove = 2, kBelow = 3 };

struct SwordFrame {
  int placement, offsetX, offsetY, mirrorX, mirrorY, width, height, time;
};

SwordFrame FrameOf(const cSwordTypeEntry& entry) {
  return {entry.nValue1, entry.nValue2, entry.nValue5, entry.nValue3, entry.nValue4,
          entry.nWidth,  entry.nHeight, entry.nEntryTime & 0xFFFF};
}

void Resize(cStageShot& sword, const SwordFrame& frame) {
  const int factor = sword.rec.m_nSize;
  sword.hitWidth = sword.drawWidth = frame.width * factor;
  sword.hitHeight = sword.drawHeight = frame.height * factor;
  sword.box.width = sword.hitWidth;
  sword.box.height = sword.hitHeight;
}

void PlaceBeside(cStageShot& sword, const cChara& owner, const SwordFrame& frame) {
  const int ownerWidth = owner.screenRight - owner.screenLeft + 1;
  const int ownerHeight = owner.screenBottom - owner.screenTop + 1;
  int left = owner.screenLeft + ownerWidth / 2 - sword.hitWidth / 2;
  int top = owner.screenTop + ownerHeight / 2 - sword.hitHeight / 2;
  if (frame.placement == kInFront || frame.placement == kBehind) {
    const bool right = (owner.facing != 0) == (frame.placement == kInFront);
    left = right ? owner.screenRight + 1 : owner.screenLeft - sword.hitWidth;
    if (frame.placement == kBehind) sword.facing = owner.facing ? 0 : 1;
  } else if (frame.placement == kAbove) {
    top = owner.screenTop - sword.hitHeight;
  } else if (frame.placement == kBelow) {
    top = owner.screenBottom + 1;
  }
  const int factor = sword.rec.m_nSize;
  const int shiftX = frame.offsetX * factor;
  const int shiftY = frame.offsetY * factor;
  const bool facingRight = sword.facing != 0;
  sword.x = left + TruncToInt(g_StageSpace.scrollX.position) + (facingRight && frame.mirrorX ? -shiftX : shiftX);
  sword.y = top + TruncToInt(g_StageSpace.scrollY.position) + (facingRight && frame.mirrorY ? -shiftY : shiftY);
}

}  // namespace

int cStageShot::SwordStep() {
  const cChara* ownerChara = FindCharaById(ownerNumber);
  if (ownerChara == nullptr || ownerChara->dead) return 1;
  const auto& types = g_Database->m_vSwordType;
  if (static_cast<std::size_t>(swordType) >= types.size()) return 1;
  const auto& entries = types[swordType].m_vEntries;
  if (static_cast<std::size_t>(swordFrame) >= entries.size()) return 1;
  const SwordFrame frame = FrameOf(entries[swordFrame]);
  facing = ownerChara->facing;
  if (swordFrameStep == 0) Resize(*this, frame);
  PlaceBeside(*this, *ownerChara, frame);
  ShotClampX(*this);
  ClampToStageY(kClampStage);
  if (++swordFrameStep >= static_cast<std::int64_t>(frame.time) * g_StageSpace.level * 6) {
    swordFrameStep = 0;
    if (static_cast<std::size_t>(++swordFrame) >= entries.size()) return 1;
  }
  return 0;
}

#pragma once
// A character of the stage that is not a hero: enemies, allies, moving
// blocks (block characters) and summoned characters. It carries the item it
// drops when defeated, and the rule that wakes it: it starts acting when it
// comes into view, or when its wake-up group is raised.
//
// Its steps report where it ended up: x 4 when it was pushed against a
// stage edge (it left the stage sideways), y 7 when a walking one fell out
// at the top or bottom and 8 when a floating one reached an edge; the frame
// step removes or kills it by those codes.

#include <cstdint>

#include "stage/chara/chara.h"
#include "stage/items/stage_item.h"

class cStageChara : public cChara {
 public:
  // Built from a working copy of its definition at stage set-up or summon,
  // as copy `cloneIndex` of it: the per-copy increments of its commands
  // are multiplied by that index.
  void SetUp(int number, const cEdChara& definition, const cStageItem* dropItem, int cloneIndex, int facing);
  void SetBlockPos(int column, int row);
  void ScaleChanged(int factor) override;
  void UpdateBoxX() override;
  void UpdateBoxY() override;
  cStageItem* GetDropItem() override { return dropItem.empty ? nullptr : &dropItem; }
  // One sub-step of motion on each axis, with its step code.
  int StepX() override;
  int StepY() override;
  // Steps the flows once per sub-step; 1 when the character is to be
  // destroyed (stage_chara_flows.cpp).
  int RunFlows(int dying) override;
  // The jump command's start and landing (stage_chara_jump.cpp).
  void StartJump(cCmdState& entry) override;

  // On-screen test of the wake-up rule.
  int IsSeen();
  // 1 when the character acts this sub-step.
  int TryActivate(const cVector<std::uint8_t>& groupFlags);
  bool IsBlockChara() const { return def.m_bBlockChara != 0; }

  cStageItem dropItem;
  std::int32_t seen = 0;
  std::int32_t activated = 0;
  std::int32_t ignoreScreenX = 0;
  std::int32_t ignoreScreenY = 0;
  std::int32_t dropIconCounter = 0;

 private:
  void SetUpBoxes();
};

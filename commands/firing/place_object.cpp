#include "commands/firing/place_object.h"

#include "definitions/palette/block_definition.h"
#include "definitions/palette/chara_definition.h"
#include "definitions/shot_record.h"
#include "stage/chara/stage_chara.h"
#include "stage/core/data_index.h"
#include "stage/items/stage_item.h"
#include "stage/objects/stage_space.h"
#include "stage/scene/stage_scene.h"
#include "stage/shots/shot_list.h"

namespace {

enum SummonFaction : int { kFactionOwn = 0, kFactionOwner = 1, kFactionRecord = 2 };

int SummonedSide(const Firing& firing) {
  const int choice = firing.rec.m_nSummonFaction;
  if (choice == kFactionOwner) return firing.owner.side;
  if (choice == kFactionRecord) return firing.rec.m_nFaction;
  DataIndexOk(choice, 3, 1);  // an unknown choice keeps the definition's own side
  return firing.chara->m_nFaction;
}

// A summon's existence time in sub-steps, when the record limits it.
int SummonedLifetime(const Firing& firing, const ShotPlacement& placement) {
  if (!firing.rec.m_bLifeTime) return kUnlimitedTime;
  return placement.lifeTime * g_StageSpace.level * 6;
}

void PlaceChara(const Firing& firing, const ShotPlacement& placement) {
  cEdChara working = *firing.chara;
  working.m_nFaction = static_cast<std::uint8_t>(SummonedSide(firing));
  const int facing = (firing.owner.facing != 0) != (firing.rec.m_bReverse != 0) ? 1 : 0;
  for (cStageChara* chara : firing.scene.SpawnCharaAt(placement.startX, placement.startY, facing, working)) {
    chara->SetParent(&firing.owner);
    chara->summonedByAttack = firing.rec.m_bAttack;
    chara->summonFlowId = firing.rec.m_nAttackFlowId;
    chara->existTime = SummonedLifetime(firing, placement);
  }
}

void PlaceItem(const Firing& firing, const ShotPlacement& placement) {
  if (cStageItem* item = firing.scene.SpawnItemAt(placement.startX, placement.startY, *firing.item))
    item->existTime = SummonedLifetime(firing, placement);
}

void PlaceBlock(const Firing& firing, const ShotPlacement& placement) {
  const BlockGuards guards{firing.rec.m_bGuardHero != 0, firing.rec.m_bGuardCharas != 0};
  firing.scene.SetBlockAt(placement.startX, placement.startY, firing.rec.m_nBlockSummonMode, *firing.block, guards);
}

}  // namespace

void MakeShot(cStageScene& scene, int kind, cChara& owner, const cEdShot& rec, const ShotPlacement& placement) {
  auto shot = std::make_unique<cStageShot>();
  const bool made = shot->Setup(kind, scene.m_nShotSerial, &owner, rec, placement);
  ++scene.m_nShotSerial;
  if (made) AddShot(std::move(shot));
}

void PlaceObject(const Firing& firing, const ShotPlacement& placement) {
  switch (firing.kind) {
    case kPlaceShot: MakeShot(firing.scene, kCmdKindShot, firing.owner, firing.rec, placement); break;
    case kPlaceBlock: PlaceBlock(firing, placement); break;
    case kPlaceChara: PlaceChara(firing, placement); break;
    case kPlaceItem: PlaceItem(firing, placement); break;
    default: break;
  }
}

#include "commands/firing/fire.h"

#include "commands/dispatch/directions.h"
#include "commands/firing/formations.h"
#include "commands/firing/place_object.h"
#include "commands/movement/input_direction.h"
#include "definitions/palette/palette.h"
#include "definitions/shot_record.h"
#include "definitions/stage/stage_record.h"
#include "foundation/text_format.h"
#include "project/database.h"
#include "project/global_data.h"
#include "stage/chara/chara.h"
#include "stage/core/data_index.h"
#include "stage/core/double_to_int.h"
#include "stage/scene/current_actor.h"

namespace {

int FacingOf(const cChara& owner) { return owner.facing ? 1 : 0; }

// Aimed and target-following shots read their targets' screen rectangles.
void RefreshScreenRects(cChara& owner, const cEdShot& rec) {
  if (owner.op != kOperatorComputer) return;
  owner.UpdateScreenPos();
  for (int slot : {static_cast<int>(rec.m_nAimSlot), static_cast<int>(rec.m_nTargetSlot)}) {
    if (!DataIndexOk(slot, kTargetSlots, 4)) continue;
    cChara* target = owner.targets[static_cast<std::size_t>(slot)];
    if (target != nullptr && target->op == kOperatorComputer) target->UpdateScreenPos();
  }
}

ShotPlacement ClonePlacement(const cChara& owner, const cEdShot& rec, int clone, int code) {
  ShotPlacement p;
  p.cloneIndex = static_cast<std::int16_t>(clone);
  p.speed = (rec.m_nSpeed + clone * rec.m_nSpeedStep) * 0.1;
  p.speedStep = rec.m_nSpeedStep * 0.1;
  int angle = rec.m_nAngle + clone * rec.m_nAngleStep;
  if (rec.m_bAngleMirror && owner.facing) angle = 360 - angle;
  p.angle = angle;
  p.range = rec.m_nRange + clone * rec.m_nRangeStep;
  p.lifeTime = rec.m_nLifeTime + clone * rec.m_nLifeTimeStep;
  p.width = p.height = 16 * (rec.m_nSize == 0 ? 1 : rec.m_nSize);
  p.shiftX = rec.GetShiftX(clone, FacingOf(owner));
  p.shiftY = rec.GetShiftY(clone, FacingOf(owner));
  p.direction = code;
  return p;
}

void Summon(const Firing& firing, int size) {
  ShotPlacement p = ClonePlacement(firing.owner, firing.rec, 0, ShotDirection(firing.owner, firing.rec.m_nDirection));
  p.speed = 1.0;
  p.angle = 0;
  p.width = p.height = size;
  RunFormation(firing, p);
}

template <typename Definition>
const Definition* SummonedDefinition(const cEdShot& rec, const cVector<Definition>& common,
                                     const cVector<Definition>& stage) {
  if (!DataIndexOk(rec.m_nSummonPalette, 2, 1)) return nullptr;
  const cVector<Definition>& list = rec.m_nSummonPalette == 0 ? common : stage;
  if (!DataIndexOk(rec.m_nSummonIndex, list.size(), static_cast<int>(sizeof(Definition)))) return nullptr;
  return &list[rec.m_nSummonIndex];
}

}  // namespace

int ShotDirection(const cChara& owner, int choice) {
  if (choice != kDirInput) return ResolveFacingCode(choice, FacingOf(owner));
  const cFlowState* flow = g_CurrentActor.flow;
  const int input = InputDirChoice(flow != nullptr ? flow->inputSlot : 0);
  return ResolveFacingCode(MapDirChoice(input, 1, FacingOf(owner)), FacingOf(owner));
}

void FireClones(const Firing& firing) {
  const cEdShot& rec = firing.rec;
  const int code = ShotDirection(firing.owner, rec.m_nDirection);
  RefreshScreenRects(firing.owner, rec);
  for (int clone = 0; clone <= rec.m_nClones; ++clone) {
    ShotPlacement p = ClonePlacement(firing.owner, rec, clone, code);
    if (rec.m_nSpread != 0) p.angle += GetRand(-rec.m_nSpread, rec.m_nSpread);
    RunFormation(firing, p);
  }
}

void FireShot(cStageScene& scene, cChara& owner, const cEdShot& rec) {
  FireClones({.scene = scene, .owner = owner, .rec = rec, .kind = kPlaceShot, .place = PlaceObject});
}

void FireSword(cStageScene& scene, cChara& owner, const cEdShot& rec) {
  if (!DataIndexOk(rec.m_nMoveKind, g_Database->m_vSwordType.size(), static_cast<int>(sizeof(cSwordType)))) return;
  // The sword stands beside its owner from its first step on; it starts on it.
  ShotPlacement placement;
  placement.startX = TruncToInt(owner.x);
  placement.startY = TruncToInt(owner.y);
  MakeShot(scene, kCmdKindSword, owner, rec, placement);
}

void SummonBlock(cStageScene& scene, cChara& owner, const cEdShot& rec) {
  const cEdBlock* block = SummonedDefinition(rec, g_CommonPalette.m_vBlock, g_PlayStage.m_vPaletteBlock);
  if (block == nullptr) return;
  Summon({.scene = scene, .owner = owner, .rec = rec, .kind = kPlaceBlock, .block = block, .place = PlaceObject}, 32);
}

void SummonChara(cStageScene& scene, cChara& owner, const cEdShot& rec) {
  const cEdChara* chara = SummonedDefinition(rec, g_CommonPalette.m_vChara, g_PlayStage.m_vPaletteChara);
  if (chara == nullptr || chara->m_nOperator != kOperatorComputer) return;
  Summon({.scene = scene, .owner = owner, .rec = rec, .kind = kPlaceChara, .chara = chara, .place = PlaceObject},
         32 * (chara->m_nSize == 0 ? 1 : chara->m_nSize));
}

void SummonItem(cStageScene& scene, cChara& owner, const cEdShot& rec) {
  const cEdItem* item = SummonedDefinition(rec, g_CommonPalette.m_vItem, g_PlayStage.m_vPaletteItem);
  if (item == nullptr) return;
  Summon({.scene = scene, .owner = owner, .rec = rec, .kind = kPlaceItem, .item = item, .place = PlaceObject},
         32 * (item->m_nSize == 0 ? 1 : item->m_nSize));
}

#include "stage/harness/state_hash.h"

#include <bit>
#include <type_traits>

#include "definitions/save_data/save_data.h"
#include "definitions/stage/stage_record.h"
#include "stage/blocks/block_map.h"
#include "stage/chara/hero.h"
#include "stage/chara/stage_chara.h"
#include "stage/chara/stage_lists.h"
#include "stage/items/stage_item.h"
#include "stage/objects/stage_space.h"
#include "stage/scene/stage_scene.h"
#include "stage/shots/shot_list.h"

namespace {

class Fnv64 {
 public:
  template <typename T>
  void Add(T value) {
    std::uint64_t bits;
    if constexpr (std::is_floating_point_v<T>) bits = std::bit_cast<std::uint64_t>(static_cast<double>(value));
    else bits = static_cast<std::uint64_t>(value);
    for (int i = 0; i < 8; ++i) {
      m_hash ^= (bits >> (8 * i)) & 0xFF;
      m_hash *= 0x100000001B3ull;
    }
  }
  std::uint64_t Value() const { return m_hash; }

 private:
  std::uint64_t m_hash = 0xCBF29CE484222325ull;
};

void AddAxis(Fnv64& h, const ScrollAxis& axis) {
  h.Add(axis.position);
  h.Add(axis.atLimit);
  h.Add(axis.lower);
  h.Add(axis.upper);
  h.Add(axis.speed);
}

void AddObject(Fnv64& h, const cStageObj& obj) {
  for (double value : {obj.x, obj.y, obj.right, obj.bottom, obj.vx, obj.vy, obj.knockX, obj.knockY}) h.Add(value);
  for (std::int32_t value : {obj.number, obj.existTime, obj.facing, obj.present, obj.onScreen, obj.awake,
                             obj.pressedLeft, obj.pressedRight, obj.pressedTop, obj.pressedBottom, obj.airFrames,
                             obj.falling, obj.screenLeft, obj.screenTop, obj.anime.Pattern(), obj.anime.Entry(),
                             obj.anime.Tick(), obj.sizeFactor, obj.moveA, obj.moveB, obj.carried})
    h.Add(value);
  h.Add(obj.standingCell);
  h.Add(obj.landedCell);
}

std::uint32_t SerialOf(const cChara* chara) { return chara == nullptr ? 0 : static_cast<std::uint32_t>(chara->number); }

void AddChara(Fnv64& h, const cChara& chara) {
  AddObject(h, chara);
  for (std::int32_t value : {chara.hp, chara.sp, chara.dead, chara.invincibleTime, chara.jumping, chara.onGround,
                             chara.headBump, chara.airborne, chara.jumpHold, chara.knockedBack, chara.landingMark,
                             chara.riddenId, chara.falling, chara.airFrames, chara.carried})
    h.Add(value);
  for (double value : {chara.carrierX, chara.carrierY, chara.cmdSpeedX, chara.cmdSpeedY, chara.knockYBefore})
    h.Add(value);
  for (const cChara* target : chara.targets) h.Add(SerialOf(target));
  for (const cCharaEffectSlot* slot : {&chara.effect, &chara.shownEffect}) {
    for (double value : {slot->value, slot->step, slot->elapsed}) h.Add(value);
    for (std::int32_t value : {std::int32_t{slot->number}, slot->playMode, slot->loop, slot->backward, slot->start,
                               slot->end, slot->runLength, slot->counterA, slot->counterB})
      h.Add(value);
  }
  h.Add(chara.deathCounter);
  for (const Gauge* gauge : {&chara.hpGauge, &chara.spGauge, &chara.shownHpGauge, &chara.shownSpGauge}) {
    h.Add(gauge->timer);
    h.Add(gauge->change);
    h.Add(gauge->step);
    h.Add(gauge->bar);
  }
  h.Add(chara.drawnFrame);
  h.Add(SerialOf(chara.parent));
  for (std::int32_t value : {chara.side, chara.summonedByAttack, std::int32_t{chara.summonFlowId}}) h.Add(value);
  for (std::int32_t var : chara.vars) h.Add(var);
  for (const cFlowState& flow : chara.flows) {
    for (std::int32_t value : {flow.active, flow.triggeredThisStep, flow.startedThisStep, flow.inputSlot, flow.paused,
                               flow.stoppedForGood, flow.progress, flow.stepCount, flow.condLatch})
      h.Add(value);
    h.Add(flow.keyLatchA);
    h.Add(flow.keyLatchB);
    h.Add(flow.arranges.size());
    for (const cCmdState& entry : flow.entries) {
      for (std::int32_t value : {entry.done, entry.remaining, entry.stepCount, entry.started, entry.duration,
                                 entry.facingRequest, entry.lastFacing})
        h.Add(value);
      for (double value : {entry.moveSpeed, entry.velX, entry.velY, entry.phaseX, entry.phaseY}) h.Add(value);
      h.Add(entry.homingQueue.size());
    }
  }
  for (const AttackerGuard& guard : chara.attackerGuards) {
    h.Add(guard.attackerSerial);
    h.Add(guard.left);
  }
  h.Add(chara.condLatch);
  for (const auto& set : chara.flagSets)
    for (std::uint8_t flag : set) h.Add(flag);
  h.Add(chara.extraAnimes.size());
  for (const ExtraAnime& anime : chara.extraAnimes) h.Add(anime.flowId);
  h.Add(chara.itemArranges.size());
  for (const CharaLink& link : chara.backRefs) {
    h.Add(SerialOf(link.holder));
    h.Add(link.slot);
  }
  // The statuses of the definition copy that commands change.
  const cEdChara& def = chara.def;
  for (std::int32_t value : {std::int32_t{def.m_nGraphicKind}, std::int32_t{def.m_nGraphicNo},
                             std::int32_t{def.m_nGraphicOffset}, std::int32_t{def.m_nAnimeSet},
                             std::int32_t{def.m_bTransparent}, std::int32_t{def.m_bTurnByCmd},
                             std::int32_t{def.m_nInvincible}, std::int32_t{def.m_nCharaId}, std::int32_t{def.m_nZ},
                             def.m_nMaxHp, def.m_nMaxSp, def.m_nPower, def.m_nDefence, def.m_nScore,
                             std::int32_t{def.m_nSight}, std::int32_t{def.m_nFlight}})
    h.Add(value);
  for (std::int32_t value : {chara.pushLeft, chara.pushRight, chara.moveCancelled, chara.animeOverride})
    h.Add(value);
}

void AddShot(Fnv64& h, const cStageShot& shot) {
  AddObject(h, shot);
  for (std::int32_t value : {shot.serial, shot.side, shot.shotFlag, shot.rangeLeft, shot.lifeLeft, shot.moveStep,
                             shot.swordFrame, shot.swordFrameStep, shot.accelOn, shot.aimStart, shot.aimEnd,
                             shot.aimDone, shot.removeMark, shot.ownerNumber, static_cast<std::int32_t>(SerialOf(shot.owner)),
                             static_cast<std::int32_t>(SerialOf(shot.target)), std::int32_t{shot.rec.m_nMoveKind}})
    h.Add(value);
  for (double value : {shot.ownVx, shot.ownVy, shot.accelX, shot.accelY, shot.wavePhase, shot.wavePhaseStep,
                       shot.box.left, shot.box.top, shot.box.right, shot.box.bottom})
    h.Add(value);
  h.Add(shot.hitNumbers.size());
  for (std::int32_t number : shot.hitNumbers) h.Add(number);
}

}  // namespace

std::uint64_t StageStateHash(const cStageScene& scene) {
  Fnv64 h;
  for (std::int32_t value : {scene.Phase(), scene.m_nPhaseCounter, scene.m_nFrameCount, scene.m_nSubStepTotal,
                             scene.m_nTimeLeft, scene.m_nPendingOutcome, scene.m_nStageResult,
                             scene.m_bSwallowButtons})
    h.Add(value);
  h.Add(scene.m_nSeed);
  AddAxis(h, g_StageSpace.scrollX);
  AddAxis(h, g_StageSpace.scrollY);
  for (std::size_t i = 0; i < g_BlockMap.Size(); ++i) {
    const BlockCell& cell = g_BlockMap.Cell(i);
    if (!cell.changed) continue;
    h.Add(i);
    h.Add(cell.kind);
    h.Add(cell.passSide);
  }
  for (const auto& hero : g_Heroes) {
    AddChara(h, *hero);
    h.Add(hero->speedScale);
    h.Add(hero->blockEffectFactor);
    for (std::int32_t value : {hero->squeezeGrace, hero->restartSaved, hero->restorePending, hero->jumpHoldCount,
                               hero->mayJump, hero->jumpForbidden, hero->jumpDoneThisStep, hero->blockEffectKind,
                               hero->blockEffectTimer, hero->itemBlockCooldown, hero->frameCounter})
      h.Add(value);
    h.Add(hero->itemBlockCell);
    for (std::int32_t item : hero->touchedItems) h.Add(item);
    h.Add(hero->queuedFlowChanges.size());
    for (const HeroBoxDisplay& entry : hero->boxDisplay) h.Add(entry.step);
    for (double value : {hero->restartX, hero->restartY, hero->restartRight, hero->restartBottom}) h.Add(value);
  }
  h.Add(g_CharaList.Count());
  g_CharaList.ForEach([&](const cStageChara& chara) {
    h.Add(chara.serial);
    AddChara(h, chara);
    for (std::int32_t value :
         {chara.activated, chara.seen, chara.ignoreScreenX, chara.ignoreScreenY, chara.dropIconCounter})
      h.Add(value);
  });
  h.Add(g_ItemList.Count());
  g_ItemList.ForEach([&](const cStageItem& item) {
    h.Add(item.serial);
    AddObject(h, item);
  });
  h.Add(g_ShotList.Count());
  g_ShotList.ForEach([&](const cStageShot& shot) { AddShot(h, shot); });
  for (std::uint8_t flag : scene.m_vWakeGroups) h.Add(flag);
  for (std::int32_t var : scene.m_vStageVars) h.Add(var);
  for (std::int32_t var : g_SaveData.m_vVar) h.Add(var);
  h.Add(g_SaveData.m_nScore);
  h.Add(g_SaveData.m_nLife);
  for (const cEdBackground& layer : g_PlayStage.m_vBackground) h.Add(layer.Show);
  AddDrawState(h, scene.m_Draw);
  return h.Value();
}

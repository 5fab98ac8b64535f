// The object groups of one sub-step: block characters, the hero, the other
// characters, the removal areas and the hero's contact passes. Each returns
// false when the frame ends here.
#include "definitions/stage/stage_record.h"
#include "stage/blocks/block_collision.h"
#include "stage/chara/hero.h"
#include "stage/chara/stage_chara.h"
#include "stage/chara/stage_lists.h"
#include "stage/core/stage_rules.h"
#include "stage/core/stage_sinks.h"
#include "stage/items/stage_item.h"
#include "stage/objects/removal_area.h"
#include "stage/scene/stage_hooks.h"
#include "stage/scene/stage_scene.h"

namespace {

bool Acts(const cStageChara& chara) { return !chara.dead && chara.present && chara.awake; }

bool Squeezed(const cChara& chara) {
  return (chara.pressedLeft && chara.pressedRight) || (chara.pressedTop && chara.pressedBottom);
}

// A character destroyed by its flows: the outcome, and whether it stays (its
// death plays out) or goes. False when the frame ends.
bool DestroyedByFlows(cStageScene& scene, cStageChara& chara) {
  const int outcome = scene.KillAndCheckEnd(chara);
  if (g_StageRules.keepDestroyed) {
    if (outcome == 1) {
      scene.RemoveChara(chara);
      return false;
    }
    RequestStageSound(9);
    return outcome == 0;
  }
  scene.RemoveChara(chara);
  return outcome == 0;
}

// A deadly contact: sound 9 and the outcome; false when the frame ends.
bool DiedOfContact(cStageScene& scene, cStageChara& chara) {
  RequestStageSound(9);
  const int outcome = scene.KillAndCheckEnd(chara);
  if (outcome == 1) scene.RemoveChara(chara);
  return outcome == 0;
}

// The x move, gravity and the y move with their block collisions.
void MoveWithBlocks(cStageChara& chara, bool& removal, bool& deadly) {
  removal = chara.StepX() == 4;
  deadly = HitBlocksX(chara) == kDeadlyContact;
  chara.ApplyGravity();
  const int y = chara.StepY();
  deadly = deadly || y == 7;
  removal = removal || y == 8;
  if (HitBlocksY(chara) == kDeadlyContact) deadly = true;
}

void RemoveOrDecay(cStageScene& scene, cStageChara& chara, bool removal) {
  if (removal) {
    scene.RemoveChara(chara);
    return;
  }
  DecayImpactX(chara);
  DecayImpactY(chara);
}

}  // namespace

bool cStageScene::StepBlockCharas() {
  if (PlayerHero() == nullptr || PlayerHero()->dead) return true;
  return g_CharaList.All([&](cStageChara& chara) {
    if (!chara.IsBlockChara() || !Acts(chara)) return true;
    chara.RunTriggeredFlowsOfKind(kTriggerAlways);
    if (chara.RunFlows(0) != 0) return DestroyedByFlows(*this, chara);
    if (m_bHpCheck && CheckDeaths()) return false;
    bool removal = false;
    bool deadly = false;
    MoveWithBlocks(chara, removal, deadly);
    if (deadly) return DiedOfContact(*this, chara);
    RemoveOrDecay(*this, chara, removal);
    return true;
  });
}

bool cStageScene::StepHero() {
  cHero* hero = PlayerHero();
  if (hero == nullptr || hero->dead) return true;
  hero->RunTriggeredFlowsOfKind(kTriggerAlways);
  if (hero->RunFlows(0) != 0) return HeroDeath(nullptr);
  if (m_nPendingOutcome == 1) return Goal();
  if (m_nPendingOutcome == 2) return HeroDeath(nullptr);
  if (m_bHpCheck && CheckDeaths()) return false;
  const int effect = RunHeroBlockEffect(*this, *hero);
  if (effect == 1) return Goal();
  if (effect == 2) return HeroDeath(nullptr);
  CarryRider(*hero);
  hero->StepX();
  KeepInScreenX(*hero);
  if (HitBlocksX(*hero) == kDeadlyContact) return HeroDeath("Dead 1");
  KeepInScreenX(*hero);
  hero->ApplyGravity();
  if (hero->StepY() == 7) return HeroDeath("Dead 2");
  if (KeepInScreenY(*hero) == kDeadlyContact) return HeroDeath("Dead 3");
  if (HitBlocksY(*hero) == kDeadlyContact) return HeroDeath("Dead 4");
  if (KeepInScreenY(*hero) == kDeadlyContact) return HeroDeath("Dead 5");
  if (Squeezed(*hero) && !SurviveSqueeze(*hero)) {
    hero->RestorePos();
    return HeroDeath("Dead SP");
  }
  if (HitBlockCharas(*hero) == kDeadlyContact && !hero->dead && !SurviveSqueeze(*hero)) return HeroDeath("Dead 6");
  if ((hero->pressedLeft || hero->pressedRight) && HitBlocksBothX(*hero) == kDeadlyContact && !hero->dead) {
    if (SurviveSqueeze(*hero)) return false;
    return HeroDeath("Dead 7");
  }
  if ((hero->pressedTop || hero->pressedBottom) && HitBlocksBothY(*hero) == kDeadlyContact && !hero->dead &&
      !SurviveSqueeze(*hero))
    return HeroDeath("Dead 8");
  if (Squeezed(*hero) && !SurviveSqueeze(*hero)) {
    hero->RestorePos();
    return HeroDeath("Dead 9");
  }
  DecayImpactX(*hero);
  DecayImpactY(*hero);
  return true;
}

bool cStageScene::StepOtherCharas() {
  if (PlayerHero() == nullptr || PlayerHero()->dead) return true;
  return g_CharaList.All([&](cStageChara& chara) {
    if (chara.IsBlockChara() || !Acts(chara)) return true;
    chara.RunTriggeredFlowsOfKind(kTriggerAlways);
    if (chara.RunFlows(0) != 0) {
      if (!chara.vanish) return DestroyedByFlows(*this, chara);
      RemoveChara(chara);
      return true;
    }
    if (m_bHpCheck && CheckDeaths()) return false;
    CarryRider(chara);
    bool removal = false;
    bool deadly = false;
    MoveWithBlocks(chara, removal, deadly);
    if (HitBlockCharas(chara) == kDeadlyContact) deadly = true;
    HitBlocksBothX(chara);
    HitBlocksBothY(chara);
    if (Squeezed(chara) || deadly) return DiedOfContact(*this, chara);
    RemoveOrDecay(*this, chara, removal);
    return true;
  });
}

void cStageScene::StepRemovalAreas() {
  g_CharaList.ForEach([&](cStageChara& chara) {
    if (chara.dead || !chara.present) return;
    const int area = chara.IsBlockChara() ? 1 : 0;
    if (m_bAreaOn[static_cast<std::size_t>(area)] && InRemovalArea(chara, area)) RemoveChara(chara);
  });
  if (m_bAreaOn[2]) g_ItemList.ForEach([&](cStageItem& item) {
    if (InRemovalArea(item, 2)) RemoveItem(item);
  });
}

bool cStageScene::StepHeroContacts() {
  cHero* hero = PlayerHero();
  if (hero == nullptr || hero->dead) return true;
  for (int (*pass)(cStageScene&) : {+[](cStageScene& s) { return RunHeroItemBlock(s, *PlayerHero()); },
                                    +[](cStageScene& s) { return CheckObjectContacts(s); }}) {
    const int result = pass(*this);
    if (result == 1) return Goal();
    if (result == 2) return HeroDeath(nullptr);
  }
  if (hero->dead) return true;
  const int touched = TouchItems(*this);
  if (touched == 1) return Goal();
  if (touched == 2) return HeroDeath(nullptr);
  return true;
}

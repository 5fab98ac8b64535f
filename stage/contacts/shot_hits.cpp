// Shots and swords against characters: every shot of a side against the
// characters of every other group. A touch fires the victim's trigger
// "ショットに当たった時" (and the owner's attack trigger when the shot is
// the owner's attack); a shot that does something (power, impact or an
// item) hits unless the victim is invincible, one without effect hits only
// while the strict-shot switch is off. A hit damages, may kill, makes the
// victim invincible, gives the shot's item to the hero, and ends the shot
// unless it pierces; a sword and a piercing shot hit each character once.
#include <algorithm>
#include <cmath>

#include "definitions/flow_record.h"
#include "definitions/palette/item_definition.h"
#include "definitions/palette/palette_source.h"
#include "definitions/stage/stage_record.h"
#include "stage/chara/chara_damage.h"
#include "stage/chara/hero.h"
#include "stage/chara/stage_lists.h"
#include "stage/contacts/object_contacts.h"
#include "stage/core/stage_rules.h"
#include "stage/core/stage_sinks.h"
#include "stage/items/stage_item.h"
#include "stage/scene/stage_hooks.h"
#include "stage/scene/stage_scene.h"
#include "stage/shots/shot_list.h"

namespace {

constexpr int kNeverHitByShots = 2;

bool ShotTakesPart(const cStageShot& shot) {
  return !shot.removed && !shot.removeMark && (!g_PlayStage.OnScreenOnly || shot.onScreen);
}

// The box test first: it rules out nearly every pair and reads least.
bool Touches(const cChara& chara, const cStageShot& shot) {
  return BoxesOverlap(chara.shotBox, shot.box.left, shot.box.top, shot.box.right, shot.box.bottom) &&
         TakesPart(chara) && chara.def.m_nInvincible != kNeverHitByShots && !shot.HasHit(chara.number);
}

// The item the shot carries, given to the player's hero as if touched.
int GiveItem(const cStageShot& shot) {
  const int kind = shot.rec.m_nItemPalette;
  const int index = shot.rec.m_nItemIndex;
  if (kind == 0 || PaletteList<cEdItem>(kind) == nullptr || IsStalePaletteRef<cEdItem>(kind, index)) return 0;
  cHero* hero = PlayerHero();
  if (hero == nullptr) return 0;
  cStageItem item;
  item.SetFromDef(GetPaletteItem(kind, index), 0, 0);
  return TakeItem(*hero, item);
}

bool Pierces(const cStageShot& shot, const cChara& victim) {
  if (shot.IsSword()) return true;
  return victim.def.m_bBlockChara ? shot.rec.m_bPierceBlockChara == 1 : shot.rec.m_bPierce == 1;
}

// One shot against one character it touches; `remove` is raised when the
// shot ends by this hit.
int Touch(cStageScene& scene, cStageShot& shot, cChara& victim, bool& remove) {
  const bool effect = shot.HasEffect();
  if (effect && victim.invincibleTime > 0) return 0;
  const bool hits = effect || !g_StageRules.strictShots;
  victim.RunTriggeredFlows(kTriggerHitShot, shot.owner, 0);
  if (shot.owner != nullptr && shot.attack) shot.owner->RunTriggeredFlows(kTriggerAttackHit, &victim, shot.attackFlowId);
  if (!hits) return 0;
  const int killed = DamageByShot(victim, shot);
  FireHitTriggersShot(victim, shot);
  if (killed) {
    if (victim.op == kOperatorComputer) RequestStageSound(9);
    if (const int outcome = scene.KillObject(victim)) return outcome;
  } else {
    RequestStageSound(7);
    if (effect) StartInvincible(victim);
  }
  if (Pierces(shot, victim)) shot.MarkHit(victim.number);
  else remove = true;
  if (shot.rec.m_nItemPalette != 0) return GiveItem(shot);
  return 0;
}

// The box around every character of a group: a shot outside it touches
// none of them, so the walk over the group is skipped. Built again after
// any touch, whose flows may move, add or take out characters. A NaN
// edge leaves no sound bound, so then every shot walks the group.
struct GroupBounds {
  double left = 0, top = 0, right = 0, bottom = 0;
  bool bounded = false;

  void Build(const std::vector<cChara*>& charas) {
    bounded = !charas.empty();
    if (!bounded) return;
    const CharaBox& first = charas.front()->shotBox;
    left = first.left, top = first.top, right = first.right, bottom = first.bottom;
    for (const cChara* chara : charas) {
      const CharaBox& b = chara->shotBox;
      if (std::isnan(b.left) || std::isnan(b.top) || std::isnan(b.right) || std::isnan(b.bottom)) {
        bounded = false;
        return;
      }
      left = std::min(left, b.left), top = std::min(top, b.top);
      right = std::max(right, b.right), bottom = std::max(bottom, b.bottom);
    }
  }

  bool MayTouch(const cStageShot& shot) const {
    return !bounded || (left <= shot.box.right && shot.box.left <= right && top <= shot.box.bottom &&
                        shot.box.top <= bottom);
  }
};

}  // namespace

int HitCharasWithShots(cStageScene& scene) {
  if (g_PlayStage.StepMaskCount != 0 && scene.m_vSubStepMask[scene.m_nSubStep - 1] == 0) return 0;
  for (int side = 0; side < kShotSides; ++side) {
    std::vector<cStageShot*>& shots = g_ShotSides[static_cast<std::size_t>(side)];
    // Only a shot of this side could touch anything here, so a side without
    // shots is passed over before any group's bounds are built.
    if (shots.empty()) continue;
    for (int group = 0; group < kSides; ++group) {
      std::vector<cChara*>& charas = scene.m_GroupLists[static_cast<std::size_t>(group)];
      if (group == side || charas.empty()) continue;
      GroupBounds bounds;
      bounds.Build(charas);
      for (std::size_t i = 0; i < shots.size(); ++i) {
        cStageShot& shot = *shots[i];
        if (!ShotTakesPart(shot) || !bounds.MayTouch(shot)) continue;
        bool remove = false;
        bool touched = false;
        const int outcome = WalkGroup(charas, [&](cChara& victim) {
          if (!Touches(victim, shot)) return 0;
          touched = true;
          return Touch(scene, shot, victim, remove);
        });
        if (touched) bounds.Build(charas);
        if (outcome != 0) return outcome;
        if (remove && !shot.removeMark) RemoveShot(shot);
      }
    }
  }
  return 0;
}

// Body attacks: every character of a group against every character of each
// later group whose body box overlaps its own. Each side that is not
// invincible to the other is touched ("キャラに当たった時", and for an
// attack summon its summoner's "アタックを当てた時") and, when the other
// has power or impact, damaged; a character brought to HP 0 dies at once,
// a survivor becomes invincible to that attacker.
#include "definitions/flow_record.h"
#include "definitions/palette/chara_definition.h"
#include "stage/chara/chara_damage.h"
#include "stage/contacts/object_contacts.h"
#include "stage/core/stage_rules.h"
#include "stage/core/stage_sinks.h"
#include "stage/scene/stage_scene.h"

namespace {

bool Attacks(const cChara& chara) { return TakesPart(chara) && !chara.def.m_bBlockChara; }

bool HasForce(const cChara& chara) { return chara.def.m_nPower != 0 || chara.def.m_nImpact != 0; }

// The touched character's trigger, and the summoner's of an attack summon.
void Touch(cChara& touched, cChara& other) { FireContactTriggers(touched, other, kTriggerHitChara, kTriggerAttackHit); }

int Damage(cChara& victim, cChara& attacker) {
  const int killed = DamageByChara(victim, attacker);
  if (g_StageRules.immediateHitTriggers) FireHitTriggersChara(victim, attacker);
  return killed;
}

// The end of a damaged side: death, or invincibility to the attacker.
int Settle(cStageScene& scene, cChara& victim, const cChara& attacker, int killed) {
  if (!killed) {
    StartInvincibleFrom(victim, attacker);
    return 0;
  }
  if (victim.op == kOperatorComputer) RequestStageSound(9);
  const int outcome = scene.KillObject(victim);
  return outcome == 1 || outcome == 2 ? outcome : 0;
}

int Collide(cStageScene& scene, cChara& a, cChara& b) {
  if (!BoxesOverlap(a.bodyBox, b.bodyBox.left, b.bodyBox.top, b.bodyBox.right, b.bodyBox.bottom)) return 0;
  const bool aHit = !a.IsInvincibleTo(b.serial);
  const bool bHit = !b.IsInvincibleTo(a.serial);
  if (aHit) Touch(a, b);
  if (bHit) Touch(b, a);
  const bool aDamaged = aHit && HasForce(b);
  const int aKilled = aDamaged ? Damage(a, b) : 0;
  const bool bDamaged = bHit && HasForce(a);
  const int bKilled = bDamaged ? Damage(b, a) : 0;
  if (!g_StageRules.immediateHitTriggers) {
    if (aDamaged) FireHitTriggersChara(a, b);
    if (bDamaged) FireHitTriggersChara(b, a);
  }
  if (!aDamaged && !bDamaged) return 0;
  RequestStageSound(7);
  if (aDamaged)
    if (const int outcome = Settle(scene, a, b, aKilled)) return outcome;
  if (bDamaged) return Settle(scene, b, a, bKilled);
  return 0;
}

}  // namespace

int RunBodyAttacks(cStageScene& scene) {
  auto& groups = scene.m_GroupLists;
  for (std::size_t i = 0; i < groups.size(); ++i) {
    for (std::size_t j = i + 1; j < groups.size(); ++j) {
      if (groups[i].empty() || groups[j].empty()) continue;
      const int outcome = WalkGroup(groups[i], [&](cChara& a) {
        if (!Attacks(a)) return 0;
        return WalkGroup(groups[j], [&](cChara& b) { return Attacks(b) && Attacks(a) ? Collide(scene, a, b) : 0; });
      });
      if (outcome != 0) return outcome;
    }
  }
  return 0;
}

#include "stage/chara/chara_damage.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "definitions/flow_record.h"
#include "definitions/stage/stage_record.h"
#include "stage/chara/chara.h"
#include "stage/objects/stage_space.h"
#include "stage/draw/stage_drawing.h"
#include "stage/scene/stage_hooks.h"
#include "stage/scene/stage_scene.h"
#include "stage/shots/stage_shot.h"

namespace {

constexpr std::int32_t kMaxDamage = 999999;
constexpr double kAgainst = 0.00000001;

bool PlayerOperated(const cChara& chara) { return chara.op == 0; }

// Invincibility times of the stage: player per attacker, player after
// damage, computer per attacker, computer after damage.
std::int32_t AfterDamageTime(const cChara& chara) {
  return g_PlayStage.InvincibleTime[PlayerOperated(chara) ? 1 : 3];
}
std::int32_t PerAttackerTime(const cChara& chara) {
  return g_PlayStage.InvincibleTime[PlayerOperated(chara) ? 0 : 2];
}

double KnockSpeed(double a, double level) {
  if (a == 0) return 0;
  const double speed = (std::sqrt(1.0 + 128.0 * level * std::fabs(a)) - 1.0) / (2.0 * level);
  return a < 0 ? -speed : speed;
}

// A commanded speed pointing against the knock-back is dropped.
void ClearAgainst(double& speed, double knock) {
  if ((knock > 0 && speed < -kAgainst) || (knock < 0 && speed > kAgainst)) speed = 0;
}

void Decay(double& knock) {
  const double step = 1.0 / g_StageSpace.levelF;
  if (knock > 0) {
    knock -= step;
    if (knock < 0) knock = 0;
  } else if (knock < 0) {
    knock += step;
    if (knock >= 0) knock = 0;
  }
}

// The victim loses a body attack's or a shot's power after its defence; a
// negative power heals. 1 when its HP reached 0.
int LoseHp(cChara& victim, std::int32_t power) {
  std::int64_t damage = power;
  if (power > 0) damage = std::clamp<std::int64_t>(std::int64_t{power} - victim.def.m_nDefence, 0, kMaxDamage);
  return victim.AddHp(static_cast<int>(-damage), 0, 1);
}

EffectBox BoxOf(const CharaBox& box) { return {box.left, box.top, box.right, box.bottom}; }

// The point effect of a hit, where the attacker's box meets the victim's.
void QueueHitEffect(int effect, const CharaBox& victimBox, const EffectBox& attackerBox, int sizeFactor) {
  if (effect == 0) return;
  if (cStageScene* scene = StageScene()) AddStageEffect(*scene, effect, BoxOf(victimBox), attackerBox, sizeFactor);
}

}  // namespace

void FireContactTriggers(cChara& victim, cChara& attacker, int victimTrigger, int attackTrigger) {
  if (attacker.parent != nullptr && attacker.summonedByAttack) {
    cChara& parent = *attacker.parent;
    victim.RunTriggeredFlows(victimTrigger, &parent, 0);
    parent.RunTriggeredFlows(attackTrigger, &victim, attacker.summonFlowId);
  } else {
    victim.RunTriggeredFlows(victimTrigger, &attacker, 0);
  }
}

void StartInvincible(cChara& chara) {
  const std::int64_t time = std::int64_t{g_StageSpace.level} * AfterDamageTime(chara);
  chara.invincibleTime = static_cast<std::int32_t>(std::clamp<std::int64_t>(time, 0, INT32_MAX));
}

void StartInvincibleFrom(cChara& chara, const cChara& attacker) {
  StartInvincible(chara);
  const std::int64_t time = std::int64_t{g_StageSpace.level} * PerAttackerTime(chara);
  chara.attackerGuards.push_back({attacker.serial, static_cast<std::int32_t>(std::clamp<std::int64_t>(time, 0, INT32_MAX))});
}

int DamageByChara(cChara& victim, cChara& attacker) {
  const int result = LoseHp(victim, attacker.def.m_nPower);
  QueueHitEffect(attacker.def.m_nHitEffect, victim.bodyBox, BoxOf(attacker.bodyBox), attacker.sizeFactor);
  ApplyImpactFromChara(victim, attacker);
  return result;
}

int DamageByShot(cChara& victim, cStageShot& shot) {
  const int result = LoseHp(victim, shot.rec.m_nPower);
  const EffectBox drawn{shot.x, shot.y, shot.x + shot.drawWidth - 1, shot.y + shot.drawHeight - 1};
  QueueHitEffect(shot.rec.m_nHitEffect, victim.shotBox, drawn, shot.sizeFactor);
  ApplyImpactFromShot(victim, shot);
  return result;
}

void FireHitTriggersShot(cChara& victim, cStageShot& shot) {
  const auto fire = [&](int victimTrigger, int attackTrigger) {
    victim.RunTriggeredFlows(victimTrigger, shot.owner, 0);
    if (shot.owner != nullptr && shot.attack) shot.owner->RunTriggeredFlows(attackTrigger, &victim, shot.attackFlowId);
  };
  if (shot.rec.m_nPower != 0) fire(kTriggerDamaged, kTriggerAttackDamaged);
  if (shot.rec.m_nImpact != 0) fire(kTriggerImpacted, kTriggerAttackImpacted);
}

void ApplyImpactFromShot(cChara& victim, const cStageShot& shot) {
  ApplyImpact(victim, shot.rec.m_nImpact, shot.Direction(), 0);
}

void FireHitTriggersChara(cChara& victim, cChara& attacker) {
  if (attacker.def.m_nPower != 0) FireContactTriggers(victim, attacker, kTriggerDamaged, kTriggerAttackDamaged);
  if (attacker.def.m_nImpact != 0) FireContactTriggers(victim, attacker, kTriggerImpacted, kTriggerAttackImpacted);
}

void ApplyImpactFromChara(cChara& victim, const cChara& attacker) {
  double dy = attacker.vy;
  if (attacker.vy < 8.0 * g_StageSpace.levelF * g_StageSpace.gravityStep) dy = 0;
  ApplyImpact(victim, attacker.def.m_nImpact, attacker.vx, dy);
}

void ApplyImpact(cChara& victim, int p, double dx, double dy) {
  p = static_cast<std::int8_t>(p);
  if (p == 0) return;
  const int resistance = static_cast<std::int8_t>(victim.def.m_nImpactResist);
  p = p < 0 ? std::clamp(p + resistance, -20, 0) : std::clamp(p - resistance, 0, 20);
  const double sum = std::fabs(dx) + std::fabs(dy);
  if (sum == 0) {
    victim.knockX = victim.knockY = 0;
  } else {
    const double level = g_StageSpace.levelF;
    victim.knockX = KnockSpeed(p * dx / sum, level);
    victim.knockY = KnockSpeed(p * dy / sum, level);
  }
  ClearAgainst(victim.cmdSpeedX, victim.knockX);
  ClearAgainst(victim.cmdSpeedY, victim.knockY);
  ClearAgainst(victim.vy, victim.knockY);
  victim.knockedBack = 1;
}

void DecayImpactX(cChara& chara) { Decay(chara.knockX); }
void DecayImpactY(cChara& chara) { Decay(chara.knockY); }

void ApplyImpactToVy(cChara& chara) {
  const double ky = chara.knockY;
  if (ky != 0) {
    if (chara.Floats()) {
      chara.vy += ky;
    } else if (ky > 0 && (chara.standingCell >= 0 || chara.landingMark)) {
      chara.knockY = 0;
    } else if (!(chara.knockYBefore - chara.vy > 1.0 / g_StageSpace.levelF)) {
      chara.vy = chara.vy - chara.knockYBefore + ky;
    }
  }
  chara.knockYBefore = chara.knockY;
}

#pragma once
// How characters hurt each other: invincibility after a hit (general and
// per attacker), body-attack damage with defence, the knock-back that an
// impact gives (measured in half blocks: the decay moves the victim
// 16 x |impact| dots), and the triggers a hit fires on both sides.

class cChara;
class cStageShot;

void StartInvincible(cChara& chara);
void StartInvincibleFrom(cChara& chara, const cChara& attacker);
// 1 when the victim's HP reached 0.
int DamageByChara(cChara& victim, cChara& attacker);
void FireHitTriggersChara(cChara& victim, cChara& attacker);
// The victim's trigger naming the attacker, or, for an attack summon, naming
// its summoner, whose attack trigger then runs too.
void FireContactTriggers(cChara& victim, cChara& attacker, int victimTrigger, int attackTrigger);
// The same for a shot or a sword: its power, hit effect and impact; its
// triggers name its owner (none when it has gone), and an attack of its
// owner also runs the owner's attack flows of the shot's ID letter.
int DamageByShot(cChara& victim, cStageShot& shot);
void FireHitTriggersShot(cChara& victim, cStageShot& shot);
void ApplyImpactFromShot(cChara& victim, const cStageShot& shot);
// Impact p (signed 8-bit) along (dx, dy) after the victim's resistance.
void ApplyImpact(cChara& victim, int p, double dx, double dy);
void ApplyImpactFromChara(cChara& victim, const cChara& attacker);
// Folds this sub-step's share of the vertical knock-back into vy (the y
// steps call it before they move); a downward push on the ground is dropped.
void ApplyImpactToVy(cChara& chara);

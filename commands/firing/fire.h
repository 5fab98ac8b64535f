#pragma once
// Firing shots and summoning blocks, characters and items: what the
// commands "ショット", "ブロック召喚", "キャラ召喚" and "アイテム召喚" do each
// time they act. A shot firing makes the record's clones (each a little
// faster, turned, further-reaching or longer-lived than the one before, and
// scattered by a random angle when the record spreads them) and lays each
// clone out in the record's formation; a summon lays out one clone of the
// chosen definition.

#include "commands/firing/firing_geometry.h"

void FireShot(cStageScene& scene, cChara& owner, const cEdShot& rec);
// The clones of a firing, each laid out in the record's formation.
void FireClones(const Firing& firing);
// A sword of the record's sword type beside the owner.
void FireSword(cStageScene& scene, cChara& owner, const cEdShot& rec);
// The palette list (0 common, 1 the stage's) and index of the record name
// the definition; a bad choice or index summons nothing. Only a definition
// operated by the computer can be summoned as a character.
void SummonBlock(cStageScene& scene, cChara& owner, const cEdShot& rec);
void SummonChara(cStageScene& scene, cChara& owner, const cEdShot& rec);
void SummonItem(cStageScene& scene, cChara& owner, const cEdShot& rec);

// The direction code of the record's direction choice for an owner: 0
// forward, 1 backward, 4 and 5 down or up by the facing, 12 the key that
// started the running flow, any other the code itself.
int ShotDirection(const cChara& owner, int choice);

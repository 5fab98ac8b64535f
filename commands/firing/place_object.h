#pragma once
// Makes one object of a firing at a placement's start point: a shot that
// flies with the placement's velocity, or a summoned block, character or
// item. A summoned character is the owner's child: it takes the owner's
// facing (or the opposite one), the side the record chooses, and counts as
// the owner's attack when the record says so.

#include "commands/firing/firing_geometry.h"

void PlaceObject(const Firing& firing, const ShotPlacement& placement);
// A shot (kind 11) or sword (kind 12) of the owner with the scene's next
// shot serial, added to the shot lists when it can be made.
void MakeShot(cStageScene& scene, int kind, cChara& owner, const cEdShot& rec, const ShotPlacement& placement);

#pragma once
// Makes one object of a firing at a placement's start point: a shot that
// flies with the placement's velocity, or a summoned block, character or
// item. A summoned character is the owner's child: it takes the owner's
// facing (or the opposite one), the side the record chooses, and counts as
// the owner's attack when the record says so.

#include "commands/firing/firing_geometry.h"

void PlaceObject(const Firing& firing, const ShotPlacement& placement);

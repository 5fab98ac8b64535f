#pragma once
// The two turns a formation can take: the angle toward the character in the
// owner's aim slot, and the start point just outside the owner's drawn cell
// in the direction of an angle (a row fired at an angle is laid there as a
// whole).

#include <cstdint>

#include "commands/firing/firing_geometry.h"

struct DotPoint {
  std::int32_t x = 0, y = 0;
};

// Whole degrees from (x, y), stage dots, toward the drawn centre of the
// character in the owner's aim slot: 0 facing left and 180 facing right
// when the slot is empty. While the view scrolls by itself and the target
// rides that scroll (and the shots do not), the aim is taken on the screen
// instead, and the placement's speed becomes the speed of that aim.
int AimAngle(const Firing& firing, ShotPlacement& placement, double x, double y);

// The top-left corner of an object of the placement's size that starts just
// outside the owner's drawn cell toward angle `degrees` (180: to the right,
// vertically centred), stage dots.
DotPoint TurnedStart(const Firing& firing, const ShotPlacement& placement, double degrees);

// The owner's drawn centre in stage dots.
DotPoint OwnerCentre(const Firing& firing);

#pragma once
// The six formations that lay out the objects of one clone of a firing:
// "直進A" a row across the direction beside the owner, "直進B" a column on
// the owner's bottom edge, "拡散" a fan from one point, "落雷" ranks that
// come in from the screen edge across a chosen character, "爆発" a ring
// leaving the owner's centre, "包囲" a ring closing in on a chosen
// character. Each hands its objects to the firing's place function.

#include "commands/firing/aim.h"

// Runs the record's formation for one clone; an unknown formation or
// direction is reported and places nothing.
void RunFormation(const Firing& firing, ShotPlacement& placement);

// The formations, one per formation value (formations_*.cpp).
void FormStraightA(const Firing& firing, ShotPlacement& placement);
void FormStraightB(const Firing& firing, ShotPlacement& placement);
void FormSpread(const Firing& firing, ShotPlacement& placement);
void FormThunder(const Firing& firing, ShotPlacement& placement);
void FormBurst(const Firing& firing, ShotPlacement& placement);
void FormSurround(const Firing& firing, ShotPlacement& placement);

// Shared by the formations (formations.cpp):
// The middle object's top-left corner of a diagonal row beside the owner,
// stage dots.
DotPoint DiagonalMiddle(const Firing& firing, const ShotPlacement& placement);
// The character "落雷" and "包囲" are laid around: the one in the aim slot,
// the hero or the owner; null when there is none.
const cChara* ChosenObject(const Firing& firing);
// Places `count` objects, each at the previous start plus the step.
void PlaceRow(const Firing& firing, ShotPlacement& placement, int count);
// Spacing parameter n of the record (half blocks) in dots.
int SpacingDots(const Firing& firing, int n);

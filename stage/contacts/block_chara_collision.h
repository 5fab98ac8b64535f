#pragma once
// Collision with block characters: characters that stop others the way
// blocks do, but move. The contact cannot be read from the block grid, so
// each moving object is tested against every block character on each
// sub-step after its own block tests: it is pushed out sideways, bumps its
// head, stands on and rides a block character, and is reported squeezed or
// buried (the result 2) when it is caught between them.

class cChara;

// The sub-step pass itself is HitBlockCharas (stage/scene/stage_hooks.h):
// 2 when the object is squeezed or buried, else 0.
// The flying pass moves a refused push to the other axis: axis 1 y, 0 x.
void ResolveBlockCharaAxis(cChara& obj, int axis);
// All four corners inside block characters, now or at the box at entry.
int IsBuriedInBlockCharas(const cChara& obj, double entryX, double entryY, double entryRight, double entryBottom);
// A block of the map is solid for the object at one of its corners; with
// the trial top `y` the corners of the box moved to that height.
int IsSolidAtCorners(const cChara& obj);
int IsSolidAtCornersAt(const cChara& obj, double y);

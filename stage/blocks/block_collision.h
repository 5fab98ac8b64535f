#pragma once
// Block collision: after the frame step moves an object along one axis it
// asks whether the box now overlaps a block of the block map, pushes it back
// to the block's boundary, raises the contact flags and the block triggers,
// and reports a deadly contact with the result 2 (0 otherwise). The same
// place keeps flying objects and objects on a self-scrolling stage inside
// the 640 x 480 view, tells whether a place is blocked, and pulls a walking
// object down onto a step just below it.

#include <cstdint>

class cStageObj;

inline constexpr int kDeadlyContact = 2;

int HitBlocksX(cStageObj& obj);
int HitBlocksBothX(cStageObj& obj);
int HitBlocksY(cStageObj& obj);
int HitBlocksBothY(cStageObj& obj);
void KeepInScreenX(cStageObj& obj);
int KeepInScreenY(cStageObj& obj);
int IsPlaceBlocked(cStageObj& obj);
void SnapToGround(cStageObj& obj);

int HitBlockLeft(cStageObj& obj);
int HitBlockRight(cStageObj& obj);
int HitBlockTop(cStageObj& obj);
int HitBlockBottom(cStageObj& obj);
int HitBlockBottomBoth(cStageObj& obj);

// The cell index chosen along a vertical (x1 = x2) or horizontal (y1 = y2)
// edge in whole dots; 0 for a slanted edge.
std::int64_t FindBlockAlongEdge(const cStageObj& obj, int x1, int y1, int x2, int y2);
std::int64_t FindFootCell(const cStageObj& obj);
// The first of the highest kind among the four corner cells.
std::int64_t FindBlockAtCorners(int left, int top, int right, int bottom, int side);
// The kind of a cell index for an object of `side` (0 outside the map).
int KindOfCell(std::int64_t index, int side);

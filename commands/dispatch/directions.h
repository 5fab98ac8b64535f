#pragma once
// Direction codes of movement, warps and placement: 2 left, 3 right, 6 up,
// 7 down, 8 up-left, 9 down-left, 10 up-right, 11 down-right; 0 the way the
// character faces, 1 the opposite way, 4 and 5 up or down by the facing,
// 12 the input direction. Choices 0..9 (8-way input and placement choices)
// map onto codes.

enum DirCode : int {
  kDirFacing = 0,
  kDirBack = 1,
  kDirLeft = 2,
  kDirRight = 3,
  kDirFacingY = 4,
  kDirBackY = 5,
  kDirUp = 6,
  kDirDown = 7,
  kDirUpLeft = 8,
  kDirDownLeft = 9,
  kDirUpRight = 10,
  kDirDownRight = 11,
  kDirInput = 12,
};

// The code of a direction choice: 0 the facing direction, 1..8 the table,
// 9 the facing direction (0, resolved later, when `raw` asks for the raw
// table). A choice outside 0..9 is reported and gives the facing direction.
int MapDirChoice(int choice, int raw, int facingRight);
// Codes 0, 1, 4 and 5 resolved by the facing; the others unchanged.
int ResolveFacingCode(int code, int facingRight);

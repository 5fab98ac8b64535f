#pragma once
// Which cell a character shows and how it is tinted. The drawn cell is the
// definition's graphic number and offset plus the animation frame, plus
// the offsets of its animation set for the states it is in: a block
// character takes the set's first offset, an invincible one the third. An
// invincible character with an invincibility colour is tinted with that
// colour where colours can be blended (Direct3D, and the project allows
// it).

#include <array>
#include <cstdint>

class cChara;

struct CellTint {
  bool on = false;
  std::array<std::uint32_t, 2> pair{};  // {draw colour, colour operation}
};

// The cell number before the animation frame is added.
int GetGraphicNumber(const cChara& chara);
// The tint of the character this frame (`frame` runs the four-colour cycle).
CellTint GetCellTint(const cChara& chara, int frame);
// Colour `index` of the colour-name table ("なし", "白", "黒", "赤", "緑",
// "青", "黄", "赤紫", "青紫", "4色") for a frame; off for "なし" and
// indices outside the table.
CellTint TintOfColour(int index, int frame);

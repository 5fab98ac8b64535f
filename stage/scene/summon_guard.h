#pragma once
// A block summoned into a cell must not close on the hero or on the other
// characters when the command guards them: a block that would stop such an
// object and covers a cell of its hit box is not put (the cell keeps what
// it holds), so a summon can never bury a guarded object in a wall.

#include <cstddef>

class cEdBlock;

struct BlockGuards {
  bool hero = false;    // the heroes
  bool charas = false;  // the stage's other characters
};

// True when `block` in cell `index` of the block map would stop a guarded
// object whose hit box covers that cell.
bool BlockClosesOnGuarded(std::size_t index, const cEdBlock& block, BlockGuards guards);

#pragma once
// The second half of the sample game's cast: characters and an item whose
// flows put the rest of the command set to work. The guide greets the hero
// with messages, pictures and effects and keeps the stage's variables; the
// prankster summons, warps, swings a sword and plays with its looks; the
// stepping stone is a block character that reacts to every kind of contact;
// the treasure chest carries an item command of every kind for whoever
// opens it.

#include "definitions/palette/chara_definition.h"
#include "definitions/palette/item_definition.h"

namespace sample_game {

cEdChara Guide();
cEdChara Prankster();
cEdChara SteppingStone();
cEdItem TreasureChest();

}  // namespace sample_game

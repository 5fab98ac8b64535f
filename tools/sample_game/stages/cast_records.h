#pragma once
// The starting points of the sample game's characters and items: a named
// definition with its graphic, animation set and hit points (characters
// burst on death), or a named item with its graphic and pick-up sound.

#include "definitions/palette/chara_definition.h"
#include "definitions/palette/item_definition.h"

namespace sample_game {

cEdChara CastChara(const char* name, int cell, int animeSet, int hp);
// A flying character on the hero's side that neither loses HP nor is hit
// by shots.
cEdChara CastUntouchableFlyer(const char* name, int cell, int animeSet, int hp);
cEdItem CastItem(const char* name, int cell, int sound);

}  // namespace sample_game

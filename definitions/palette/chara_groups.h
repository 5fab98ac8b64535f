#pragma once
// The 37 property groups of a character definition, in inheritance-flag
// order: each entry copies one group from a parent definition.

#include <array>

#include "definitions/palette/chara_definition.h"
#include "definitions/palette/palette_inherit.h"

extern const std::array<GroupCopy<cEdChara>, cEdChara::kGroupCount> kCharaGroups;

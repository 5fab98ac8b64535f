#pragma once
// The variables that commands and conditions read and write: the common
// variables of the save data, the stage variables of the running stage and
// each character's own. Numbers come from stage data and are checked; a bad
// one is reported and reads as nothing.

#include <cstdint>
#include <optional>

class cChara;

enum VariableSource : int { kCommonVariable = 0, kStageVariable = 1, kCharaVariable = 2 };

// The common (source 0) or stage (source 1) variable `index`, or null when
// the index is outside its list (or below `firstIndex`) or no stage runs.
std::int32_t* GlobalVariable(int source, int index, int firstIndex = 0);
// The value a binding reads: sources 0 and 1 from index 1 on (index 0 is
// never used), source 2 the character's own variable from 0 on; nothing for
// any other source.
std::optional<std::int32_t> BindingVariable(int source, int index, cChara& chara);

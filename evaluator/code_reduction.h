#pragma once
// Reduction of a flat text's tokens: for each operator level in turn, the
// leftmost operator of that level takes the tokens on either side and the
// three become one number, until none of the level is left. Assignments
// clamp to the target's range, store, and apply their after-effects
// (the HP check, maximum HP / SP lowering the current value, the view mask,
// the automatic scroll).

#include <cstdint>
#include <string_view>
#include <vector>

#include "evaluator/code_evaluator.h"
#include "evaluator/code_token.h"

// Reduces `tokens` in place. `lastValue` becomes each operation's result.
// False after an error (g_CodeError is set); `flatText` is named in messages.
bool ReduceCodeTokens(const CodeScope& scope, std::vector<cCodeToken>& tokens, std::string_view flatText,
                      std::int32_t& lastValue);

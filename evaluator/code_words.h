#pragma once
// The words of a flat code text as tokens: an operator, a variable ("C" or
// "S" and a number), a character status of the chosen object, a system
// status, or else a number as atoi reads it. A token with storage reads its
// current value when it is made.

#include <string_view>

#include "evaluator/code_evaluator.h"
#include "evaluator/code_token.h"

// The token of `word` for the object chosen by its prefix (a CodeObj).
// False after an error (g_CodeError is set).
bool MakeCodeToken(const CodeScope& scope, std::string_view word, int object, cCodeToken& token);

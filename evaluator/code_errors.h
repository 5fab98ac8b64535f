#pragma once
// The evaluator's errors. Each one sets g_CodeError; most show the author a
// message box, the silent one shows nothing, and the faults that the game's
// messages never covered write a report line instead of closing the program.

#include <string_view>

void CodeErrorNoCloseParen();
void CodeErrorCallNoCloseParen(std::string_view name);
void CodeErrorBadArguments(std::string_view name);
void CodeErrorUnknownObject(std::string_view word);
void CodeErrorBadAssignTarget();
void CodeErrorDivideByZero(std::string_view flatText);
void CodeErrorUnknownOperator();
// A word names a character that is not there (an empty target slot, no
// hero, a character status of "sys"): normal in play, so no message.
void CodeErrorNoCharacter();
// Reported errors.
void CodeErrorMissingOperand(std::string_view op, std::string_view flatText);
void CodeErrorTooDeep(std::string_view text);
void CodeErrorBadVariable(char kindLetter, long long index, int count);

#pragma once
// The code evaluator: runs the free text of the command for running code
// for one character. The language is a handful of integer operators over
// character statuses, system statuses and variables, with parenthesised
// groups and one function, rand:
//
//   v1 = rand(1, 6)     tg2.hp = tg2.hp - (my.power * 2)     C3 = C3 + 1
//
// Evaluation rewrites the text: every group and call is evaluated first and
// replaced by its decimal value, then the flat text is cut into words and
// reduced by operator level ("*", "/", "%" first, then "+" and "-", "="
// last), each level left to right. All values are signed 32-bit integers
// and arithmetic wraps.
//
// A group is a "(" at the start of the text or after a blank; elsewhere a
// parenthesis that opens no call is plain text, so "3 * (1 + 2)" is 9 while
// "3*(1 + 2)" reads as "3*(1", "+", "2)" and gives 5. Authors' texts rely on
// this, so it is kept.
//
// Errors set g_CodeError, end the text or group they occur in with the value
// 0 and show a message (or, for faults the message boxes never covered, write
// a report line); an enclosing text splices that 0 and goes on, so later
// assignments of the same text still run. An empty target slot is a silent
// error: normal play meets it whenever a target is gone.
//
// Runs on the game thread only (g_CodeError is shared).

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "evaluator/code_access.h"

// Set by every error of a run; cleared by ExecCode when it starts.
extern bool g_CodeError;

// The running character and the game it lives in.
struct CodeScope {
  CodeAccess& access;
  cChara* chara;
};

// Groups and calls may nest this deep; deeper ones are errors.
inline constexpr int kMaxCodeNesting = 64;
// The working text is cut to this many bytes whenever a value is spliced in.
inline constexpr std::size_t kMaxCodeText = 5119;

// Runs the text for the character: 1 when it ran without error, else 0 (what
// it wrote before the error stays written). A change of the character's HP
// or SP shows its gauge, unless there was an error. The text ends at its
// first NUL byte, as a stored text does.
int ExecCode(CodeAccess& access, std::string_view text, cChara* chara);
// Evaluates groups and calls, then the flat rest; `depth` counts the groups
// and calls around the text.
std::int32_t ParseCode(const CodeScope& scope, std::string_view text, int depth = 0);
// Evaluates a text without groups or calls.
std::int32_t EvalFlatCode(const CodeScope& scope, std::string_view text);

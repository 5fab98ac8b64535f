#pragma once
// The variable escapes of a message text: "#C5" shows common variable 5,
// "#S12" stage variable 12, with options after "_": "Z" keeps leading
// zeros, "P" writes "+" before a value that is not negative, a digit sets
// the least width ("#C5_4Z" shows 0042 for 42). A "." right after an escape
// belongs to it (so "#S12." can stand before text that starts with a digit).
// An escape that names no variable, a number outside 1..1000 or a variable
// that does not exist stays in the text as written. A "#" inside a
// double-byte character is never an escape.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

enum EscapeSource : int { kEscapeCommon = 0, kEscapeStage = 1 };

// The value of variable `number` of a source, or nothing when there is none.
using EscapeVariables = std::function<std::optional<std::int32_t>(int source, int number)>;

std::string ExpandMessageEscapes(std::string_view text, const EscapeVariables& variables);

// |value| in at least `minWidth` digits, leading zeros as blanks unless
// `zeros`, then "-" before a negative value or, with `plus`, "+" before
// any other.
std::string FormatEscapeValue(std::int32_t value, int minWidth, bool zeros, bool plus);

// The common variables of the save data and the stage variables of the
// running stage; a number outside its list is reported and reads nothing.
std::optional<std::int32_t> StageEscapeVariable(int source, int number);

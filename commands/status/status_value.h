#pragma once
// The value side shared by "ステータスの操作" and the status conditions: a
// constant, a random number between two bounds, a status of a character or
// of the system, or a variable; and the percent rule both apply.

#include <cstdint>
#include <optional>

class cChara;

enum StatusValueSource : int { kValueConstant = 0, kValueRandom = 1, kValueStatus = 2, kValueVariable = 3 };

struct StatusOperand {
  int source = kValueConstant;
  std::int32_t constant = 0;
  std::int32_t randLow = 0, randHigh = 0;
  int whose = 0, status = 0, varSource = 0, varIndex = 0;
};

// The value, read for `self`; nothing when the status or variable it names
// does not exist (an empty target slot, a bad index, the view range of a
// character that is not a hero).
std::optional<std::int32_t> ReadStatusValue(const StatusOperand& operand, cChara& self);

// a x b x 0.01 rounded half away from zero, kept inside 32 bits.
std::int32_t PercentRounded(std::int32_t a, std::int32_t b);

#include "commands/movement/input_direction.h"

#include <array>

#include "input/input_record.h"

namespace {

constexpr int kNoDirection = 9;

// Keypad codes 1..9 (5 centre, left -1, right +1, up -3, down +3).
constexpr std::array<int, 10> kChoiceOfCode = {kNoDirection, 5, 3, 7, 1, kNoDirection, 2, 6, 4, 8};

}  // namespace

int InputDirChoice(int slot) {
  if (slot < 0 || slot >= static_cast<int>(g_Inputs.size())) return kNoDirection;
  const int code = g_Inputs[slot].m_nDirCode;
  if (code < 1 || code > 9) return kNoDirection;
  return kChoiceOfCode[static_cast<std::size_t>(code)];
}

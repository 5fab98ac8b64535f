#include "commands/status/status_value.h"

#include <algorithm>
#include <climits>

#include "commands/status/status_table.h"
#include "commands/status/variables.h"
#include "foundation/text_format.h"
#include "stage/chara/chara.h"

std::optional<std::int32_t> ReadStatusValue(const StatusOperand& operand, cChara& self) {
  switch (operand.source) {
    case kValueConstant: return operand.constant;
    case kValueRandom: return GetRand(operand.randLow, operand.randHigh);
    case kValueStatus: {
      if (operand.whose == kWhoseSystem) return ReadSystemStatus(operand.status);
      cChara* owner = WhoseChara(self, operand.whose);
      if (owner == nullptr) return std::nullopt;
      const ParamRef ref = CharaStatusRef(*owner, operand.status, operand.varIndex);
      if (ref.IsNone()) return std::nullopt;
      return ref.Get();
    }
    case kValueVariable: {
      const std::int32_t* variable = GlobalVariable(operand.varSource, operand.varIndex);
      if (variable == nullptr) return std::nullopt;
      return *variable;
    }
    default: return std::nullopt;
  }
}

std::int32_t PercentRounded(std::int32_t a, std::int32_t b) {
  const double x = static_cast<double>(a) * b * 0.01;
  const double rounded = x >= 0 ? x + 0.5 : x - 0.5;
  const double kept = std::clamp(rounded, static_cast<double>(INT_MIN), static_cast<double>(INT_MAX));
  return static_cast<std::int32_t>(kept);
}

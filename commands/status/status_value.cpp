#include "commands/status/status_value.h"

#include <algorithm>
#include <climits>

#include "commands/status/status_table.h"
#include "commands/status/variables.h"
#include "foundation/text_format.h"
#include "stage/chara/chara.h"

std::optional<std::int32_t> ReadStatusValue(const StatusValueSpec& spec, cChara& self) {
  switch (spec.source) {
    case kValueConstant: return spec.constant;
    case kValueRandom: return GetRand(spec.randLow, spec.randHigh);
    case kValueStatus: {
      if (spec.whose == kWhoseSystem) return ReadSystemStatus(spec.status);
      cChara* owner = WhoseChara(self, spec.whose);
      if (owner == nullptr) return std::nullopt;
      const ParamRef ref = CharaStatusRef(*owner, spec.status, spec.varIndex);
      if (ref.IsNone()) return std::nullopt;
      return ref.Get();
    }
    case kValueVariable: {
      const std::int32_t* variable = GlobalVariable(spec.varSource, spec.varIndex);
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

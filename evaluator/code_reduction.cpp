#include "evaluator/code_reduction.h"

#include <cstdint>
#include <limits>

#include "evaluator/code_errors.h"

namespace {

std::int32_t Wrap(std::uint32_t bits) { return static_cast<std::int32_t>(bits); }

std::int32_t ClampCode(std::int32_t value, std::int32_t min, std::int32_t max) {
  if (value < min) value = min;
  if (value > max) value = max;
  return value;
}

// The value as the storage of that width holds it.
std::int32_t NarrowToWidth(std::int32_t value, int width) {
  if (width == kCodeWidth8) return static_cast<std::int8_t>(value);
  if (width == kCodeWidth16) return static_cast<std::int16_t>(value);
  return value;
}

void ApplyCharaStatusAfterEffects(const CodeScope& scope, const cCodeToken& target, std::int32_t stored) {
  CodeAccess& access = scope.access;
  cChara* owner = target.owner;
  switch (target.storageIndex) {
    case kCodeStatHp:
      if (owner != scope.chara && stored <= 0) access.RequestHpCheck();
      break;
    case kCodeStatMaxHp:
    case kCodeStatMaxSp: {
      const int current = target.storageIndex == kCodeStatMaxHp ? kCodeStatHp : kCodeStatSp;
      const std::int32_t value = access.Read(owner, CodeValueKind::CharaStat, current);
      access.Write(owner, CodeValueKind::CharaStat, current, ClampCode(value, 1, stored));
      break;
    }
    case kCodeStatSight:
      if (!access.IgnoresSight(owner)) access.SetViewRange(owner, stored);
      break;
    default: break;
  }
}

bool Assign(const CodeScope& scope, const cCodeToken& target, std::int32_t value, std::int32_t& result) {
  if (!target.hasStorage) {
    CodeErrorBadAssignTarget();
    return false;
  }
  result = NarrowToWidth(ClampCode(value, target.min, target.max), target.width);
  scope.access.Write(target.owner, target.storageKind, target.storageIndex, result);
  if (target.kind == kCodeCharaStatus) ApplyCharaStatusAfterEffects(scope, target, result);
  if (target.kind == kCodeSysStatus &&
      (target.storageIndex == kCodeSysScrollX || target.storageIndex == kCodeSysScrollY))
    scope.access.RestartScroll(target.storageIndex == kCodeSysScrollX ? 0 : 1, result);
  return true;
}

bool Operate(const CodeScope& scope, int op, const cCodeToken& a, const cCodeToken& b, std::string_view flatText,
             std::int32_t& result) {
  const auto ua = static_cast<std::uint32_t>(a.value);
  const auto ub = static_cast<std::uint32_t>(b.value);
  switch (op) {
    case kCodeAssign: return Assign(scope, a, b.value, result);
    case kCodeAdd: result = Wrap(ua + ub); return true;
    case kCodeSubtract: result = Wrap(ua - ub); return true;
    case kCodeMultiply: result = Wrap(ua * ub); return true;
    case kCodeDivide:
    case kCodeRemainder:
      if (b.value == 0) {
        CodeErrorDivideByZero(flatText);
        return false;
      }
      // The one quotient that does not fit wraps back to INT_MIN.
      if (a.value == std::numeric_limits<std::int32_t>::min() && b.value == -1)
        result = op == kCodeDivide ? a.value : 0;
      else
        result = op == kCodeDivide ? a.value / b.value : a.value % b.value;
      return true;
    default:
      CodeErrorUnknownOperator();
      return false;
  }
}

// Index of the leftmost operator of the level, or -1.
int FindOperator(const std::vector<cCodeToken>& tokens, int level) {
  for (std::size_t i = 0; i < tokens.size(); ++i)
    if (tokens[i].kind == kCodeOperator && g_CodeOpPriority[tokens[i].op] == level) return static_cast<int>(i);
  return -1;
}

}  // namespace

bool ReduceCodeTokens(const CodeScope& scope, std::vector<cCodeToken>& tokens, std::string_view flatText,
                      std::int32_t& lastValue) {
  for (int level = 0; level < kCodeLevels; ++level) {
    for (int i = FindOperator(tokens, level); i >= 0; i = FindOperator(tokens, level)) {
      const auto at = static_cast<std::size_t>(i);
      if (at == 0 || at + 1 == tokens.size()) {
        CodeErrorMissingOperand(g_CodeOps[tokens[at].op], flatText);
        return false;
      }
      std::int32_t result = 0;
      if (!Operate(scope, tokens[at].op, tokens[at - 1], tokens[at + 1], flatText, result)) return false;
      tokens[at - 1] = cCodeToken::Number(result);
      tokens.erase(tokens.begin() + i, tokens.begin() + i + 2);
      lastValue = result;
    }
  }
  return true;
}

#include "definitions/compare_ops.h"

#include <algorithm>
#include <cstdlib>

namespace {

std::int64_t PercentOf(std::int64_t value, std::int64_t percent) {
  const std::int64_t product = value * percent;
  std::int64_t quotient = product / 100;
  const std::int64_t remainder = product % 100;
  if (std::llabs(remainder) * 2 >= 100) quotient += product < 0 ? -1 : 1;
  return quotient;
}

std::int64_t Combine(int op, std::int64_t current, std::int64_t operand) {
  switch (op) {
    case kOpSet: return operand;
    case kOpAdd: return current + operand;
    case kOpSubtract: return current - operand;
    case kOpMultiply: return current * operand;
    case kOpDivide: return operand == 0 ? current : current / operand;
    case kOpRemainder: return operand == 0 ? current : current % operand;
    case kOpPercent: return PercentOf(current, operand);
    default: return current;
  }
}

}  // namespace

bool CompareByOp(int op, std::int32_t a, std::int32_t b) {
  switch (op) {
    case kCompareEqual: return a == b;
    case kCompareNotEqual: return a != b;
    case kCompareAtLeast: return a >= b;
    case kCompareAtMost: return a <= b;
    case kCompareGreater: return a > b;
    case kCompareLess: return a < b;
    case kCompareMultipleOf: return b == 0 || std::llabs(std::int64_t{a}) % b == 0;
    case kCompareNotMultipleOf: return b != 0 && std::llabs(std::int64_t{a}) % b != 0;
    default: return false;
  }
}

std::int32_t CombineByOp(int op, std::int32_t current, std::int32_t operand, std::int32_t min,
                         std::int32_t max) {
  const std::int64_t result = Combine(op, current, operand);
  if (min > max) std::swap(min, max);
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(result, min, max));
}

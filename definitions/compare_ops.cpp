#include "definitions/compare_ops.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

// current x percent x 0.01 in doubles, rounded half away from zero.
std::int64_t PercentOf(std::int32_t current, std::int32_t percent) {
  const double exact = static_cast<double>(current) * percent * 0.01;
  return static_cast<std::int64_t>(std::round(exact));
}

// The 32-bit product; when it wrapped into the wrong sign, the end of the
// range on the side of the true product.
std::int64_t ProductOf(std::int32_t a, std::int32_t b, std::int32_t min, std::int32_t max) {
  const auto wrapped = static_cast<std::int32_t>(static_cast<std::uint32_t>(a) * static_cast<std::uint32_t>(b));
  const bool sameSigns = (a < 0) == (b < 0);
  if (a != 0 && b != 0) {
    if (sameSigns && wrapped < 0) return max;
    if (!sameSigns && wrapped > 0) return min;
  }
  return wrapped;
}

std::int64_t Combine(int op, std::int32_t current, std::int32_t operand, std::int32_t min, std::int32_t max) {
  switch (op) {
    case kOpSet: return operand;
    case kOpAdd: return std::int64_t{current} + operand;
    case kOpSubtract: return std::int64_t{current} - operand;
    case kOpMultiply: return ProductOf(current, operand, min, max);
    case kOpDivide: return operand == 0 ? current : std::int64_t{current} / operand;
    case kOpRemainder: return operand == 0 ? current : std::int64_t{current} % operand;
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
  if (min > max) std::swap(min, max);
  const std::int64_t result = Combine(op, current, operand, min, max);
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(result, min, max));
}

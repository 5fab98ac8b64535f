#pragma once
// The comparisons and the arithmetic operators that conditions, status
// operations, parameter bindings, world-map points and character searches
// share. Their codes are stored in definitions, so the numbering is fixed.
//
// Comparison codes: 0 equal, 1 not equal, 2 greater or equal, 3 less or
// equal, 4 greater, 5 less, 6 multiple of, 7 not a multiple of.
// Operator codes: 0 set, 1 add, 2 subtract, 3 multiply, 4 divide,
// 5 remainder, 6 percent.

#include <cstdint>

enum CompareOp : int {
  kCompareEqual = 0,
  kCompareNotEqual = 1,
  kCompareAtLeast = 2,
  kCompareAtMost = 3,
  kCompareGreater = 4,
  kCompareLess = 5,
  kCompareMultipleOf = 6,
  kCompareNotMultipleOf = 7,
};

enum CombineOp : int {
  kOpSet = 0,
  kOpAdd = 1,
  kOpSubtract = 2,
  kOpMultiply = 3,
  kOpDivide = 4,
  kOpRemainder = 5,
  kOpPercent = 6,
};

// Whether `a` stands in relation `op` to `b`. "Multiple of" tests |a| % b = 0
// and holds for b = 0; "not a multiple of" fails for b = 0. An unknown code
// never holds.
bool CompareByOp(int op, std::int32_t a, std::int32_t b);

// `current` combined with `operand` by `op`, clamped to [min, max]. Sums,
// differences and quotients are exact before the clamp (so INT_MIN / -1
// gives max). A product is the 32-bit product, except that one whose sign
// came out wrong gives the end of the range on the true product's side.
// Dividing or taking the remainder by 0 leaves `current`; percent is
// current x operand x 0.01 in doubles, rounded half away from zero. An
// unknown code leaves `current`.
std::int32_t CombineByOp(int op, std::int32_t current, std::int32_t operand, std::int32_t min,
                         std::int32_t max);

#pragma once
// One token of a flat code text: a number, a variable, a status or an
// operator. A token that names a storage remembers where an assignment to it
// writes, the value it held when the token was made, and the range an
// assigned value is clamped to.

#include <cstdint>

#include "evaluator/code_access.h"
#include "evaluator/code_tables.h"

enum CodeTokenKind : int { kCodeNumber = 0, kCodeVariable, kCodeCharaStatus, kCodeSysStatus, kCodeOperator };

struct cCodeToken {
  int kind = kCodeNumber;
  std::int32_t value = 0;
  // Storage: where "=" writes; numbers, results and operators have none.
  bool hasStorage = false;
  CodeValueKind storageKind = CodeValueKind::CommonVar;
  int storageIndex = 0;  // variable number or status index
  cChara* owner = nullptr;  // the character holding a character status
  int width = kCodeWidth32;
  int op = 0;  // operator index (operators only)
  std::int32_t min = kCodeMin;
  std::int32_t max = kCodeMax;

  static cCodeToken Number(std::int32_t value) {
    cCodeToken token;
    token.value = value;
    return token;
  }
};

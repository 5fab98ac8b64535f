#include "evaluator/code_errors.h"

#include <string>

#include "evaluator/code_evaluator.h"
#include "foundation/log.h"
#include "foundation/message_box.h"

namespace {

// Sets the error flag and shows the message; `format` is UTF-8 source text
// with at most one %s, which `argument` fills.
void ShowCodeError(const char* format, std::string_view argument = {}) {
  g_CodeError = true;
  ErrorBoxF(Cp932Literal(format), std::string(argument).c_str());
}

}  // namespace

void CodeErrorNoCloseParen() { ShowCodeError("\")\"が見つかりません！"); }
void CodeErrorCallNoCloseParen(std::string_view name) { ShowCodeError("関数 %s で\")\"が見つかりません！", name); }
void CodeErrorBadArguments(std::string_view name) { ShowCodeError("関数 %s の引数が不正です！", name); }
void CodeErrorUnknownObject(std::string_view word) { ShowCodeError("オブジェクト \"%s.\" が認識できません！", word); }
void CodeErrorBadAssignTarget() { ShowCodeError("代入先が不正です！"); }
void CodeErrorDivideByZero(std::string_view flatText) { ShowCodeError("0除算が行われました！(%s)", flatText); }

void CodeErrorUnknownOperator() {
  g_CodeError = true;
  DebugBoxF("%s", Cp932Literal("演算子のエラー（未定義？）"));
}

void CodeErrorNoCharacter() { g_CodeError = true; }

void CodeErrorMissingOperand(std::string_view op, std::string_view flatText) {
  g_CodeError = true;
  ReportAndLogOnce("Code text: operator \"%s\" has no value on one side (%s)", std::string(op).c_str(),
         std::string(flatText).c_str());
}

void CodeErrorTooDeep(std::string_view text) {
  g_CodeError = true;
  ReportAndLogOnce("Code text: groups and calls nest deeper than %d (%s)", kMaxCodeNesting, std::string(text).c_str());
}

void CodeErrorBadVariable(char kindLetter, long long index, int count) {
  g_CodeError = true;
  ReportAndLogOnce("Code text: variable %c%lld does not exist (0..%d)", kindLetter, index, count - 1);
}

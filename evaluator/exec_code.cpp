#include <cstdint>

#include "evaluator/code_evaluator.h"
#include "evaluator/code_tables.h"

bool g_CodeError = false;

namespace {

// now - before, wrapping like the evaluator's own arithmetic.
std::int32_t Difference(std::int32_t now, std::int32_t before) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(now) - static_cast<std::uint32_t>(before));
}

}  // namespace

int ExecCode(CodeAccess& access, std::string_view text, cChara* chara) {
  g_CodeError = false;
  text = text.substr(0, text.find('\0'));
  const auto read = [&](int stat) { return chara ? access.Read(chara, CodeValueKind::CharaStat, stat) : 0; };
  const std::int32_t hp = read(kCodeStatHp);
  const std::int32_t sp = read(kCodeStatSp);
  const CodeScope scope{access, chara};
  ParseCode(scope, text);
  if (g_CodeError) return 0;
  if (const std::int32_t now = read(kCodeStatHp); now != hp) access.StartHpGauge(chara, Difference(now, hp));
  if (const std::int32_t now = read(kCodeStatSp); now != sp) access.StartSpGauge(chara, Difference(now, sp));
  return 1;
}

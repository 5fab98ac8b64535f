#include "stage/show/message_escapes.h"

#include "definitions/save_data/save_data.h"
#include "foundation/log.h"
#include "foundation/sjis.h"
#include "stage/scene/stage_scene.h"

namespace {

constexpr int kFirstVariable = 1;
constexpr int kLastVariable = 1000;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

struct Escape {
  bool common = false;
  bool stage = false;
  std::string number;
  bool zeros = false;
  bool plus = false;
  int minWidth = 0;
  std::size_t end = 0;  // one past its last consumed character
};

// Reads the escape whose "#" stands at `hash`.
Escape ReadEscape(std::string_view text, std::size_t hash) {
  Escape escape;
  bool options = false;
  std::size_t at = hash + 1;
  for (; at < text.size(); ++at) {
    const char c = text[at];
    if (!options) {
      if (c == 'C' || c == 'c') escape.common = true;
      else if (c == 'S' || c == 's') escape.stage = true;
      else if (IsDigit(c)) escape.number += c;
      else if (c == '_') options = true;
      else break;
    } else {
      if (c == 'Z' || c == 'z') escape.zeros = true;
      else if (c == 'P' || c == 'p') escape.plus = true;
      else if (IsDigit(c)) escape.minWidth = c - '0';
      else break;
    }
  }
  if (at < text.size() && text[at] == '.') ++at;
  escape.end = at;
  return escape;
}

// The variable number, or 0 when it is outside 1..1000. Leading zeros do
// not count; a run of any length is read without overflow.
int VariableNumber(const std::string& digits) {
  int number = 0;
  for (const char digit : digits) {
    number = number * 10 + (digit - '0');
    if (number > kLastVariable) return 0;
  }
  return number >= kFirstVariable ? number : 0;
}

std::optional<std::string> Expand(const Escape& escape, const EscapeVariables& variables) {
  int source;
  if (escape.common && !escape.number.empty()) source = kEscapeCommon;
  else if (escape.stage && !escape.number.empty()) source = kEscapeStage;
  else return std::nullopt;
  const int number = VariableNumber(escape.number);
  if (number == 0) return std::nullopt;
  const std::optional<std::int32_t> value = variables(source, number);
  if (!value) return std::nullopt;
  return FormatEscapeValue(*value, escape.minWidth, escape.zeros, escape.plus);
}

}  // namespace

std::string FormatEscapeValue(std::int32_t value, int minWidth, bool zeros, bool plus) {
  const std::int64_t magnitude = value < 0 ? -static_cast<std::int64_t>(value) : value;
  std::string digits = std::to_string(magnitude);
  if (static_cast<int>(digits.size()) < minWidth) digits.insert(0, static_cast<std::size_t>(minWidth) - digits.size(), '0');
  if (!zeros)
    for (std::size_t i = 0; i + 1 < digits.size() && digits[i] == '0'; ++i) digits[i] = ' ';
  if (value < 0) return "-" + digits;
  return plus ? "+" + digits : digits;
}

std::string ExpandMessageEscapes(std::string_view text, const EscapeVariables& variables) {
  std::string out;
  out.reserve(text.size());
  std::size_t at = 0;
  while (at < text.size()) {
    const auto c = static_cast<unsigned char>(text[at]);
    if (sjis::IsLeadByte(c) && at + 1 < text.size() && sjis::IsTrailByte(static_cast<unsigned char>(text[at + 1]))) {
      out.append(text.substr(at, 2));
      at += 2;
      continue;
    }
    if (c != '#') {
      out += text[at++];
      continue;
    }
    const Escape escape = ReadEscape(text, at);
    if (const std::optional<std::string> value = Expand(escape, variables)) out += *value;
    else out.append(text.substr(at, escape.end - at));
    at = escape.end;
  }
  return out;
}

std::optional<std::int32_t> StageEscapeVariable(int source, int number) {
  const cVector<std::int32_t>* list = nullptr;
  if (source == kEscapeCommon) {
    list = &g_SaveData.m_vVar;
  } else if (const cStageScene* scene = StageScene()) {
    list = &scene->m_vStageVars;
  } else {
    return std::nullopt;
  }
  if (number < 0 || static_cast<std::size_t>(number) >= list->size()) {
    ReportAndLogOnce("Message text: variable %c%d does not exist (1..%d)", source == kEscapeCommon ? 'C' : 'S', number,
                 static_cast<int>(list->size()) - 1);
    return std::nullopt;
  }
  return (*list)[number];
}

// ParseCode: groups and calls are evaluated innermost first and replaced in
// the working text by their decimal values; the flat rest goes to
// EvalFlatCode. A group is recognised only at the start of the text or after
// a blank, a call only when the function's name starts the word; any other
// parenthesis stays in the text, though it too must be closed.

#include <string>
#include <vector>

#include "evaluator/code_blanks.h"
#include "evaluator/code_errors.h"
#include "evaluator/code_evaluator.h"
#include "evaluator/code_tables.h"
#include "foundation/text_format.h"

namespace {

// A group or argument one level deeper; an error inside gives 0.
std::int32_t ParseNested(const CodeScope& scope, std::string_view text, int depth) {
  if (depth + 1 > kMaxCodeNesting) {
    CodeErrorTooDeep(text);
    return 0;
  }
  return ParseCode(scope, text, depth + 1);
}

// text[0, from) + value + text[resume, end), cut to the working size.
void Splice(std::string& text, std::size_t from, std::int32_t value, std::size_t resume) {
  std::string spliced = text.substr(0, from);
  AppendFormat(spliced, "%d", value);
  spliced.append(text, resume, std::string::npos);
  if (spliced.size() > kMaxCodeText) spliced.resize(kMaxCodeText);
  text = std::move(spliced);
}

// Position of the ")" that closes the "(" at `open`, or npos.
std::size_t FindGroupEnd(const std::string& text, std::size_t open) {
  int depth = 0;
  for (std::size_t q = open + 1; q < text.size(); ++q) {
    if (text[q] == '(') ++depth;
    if (text[q] == ')' && depth-- == 0) return q;
  }
  return std::string::npos;
}

// Evaluates the arguments of the call whose "(" is at `open`; returns the
// position of its closing ")", or npos when the text ends first. Empty
// arguments are left out.
std::size_t CollectArguments(const CodeScope& scope, const std::string& text, std::size_t open, int depth,
                             std::vector<std::int32_t>& arguments) {
  std::string argument;
  int parens = 0;
  for (std::size_t q = open + 1; q < text.size(); ++q) {
    const char c = text[q];
    if (parens == 0 && (c == ',' || c == ')')) {
      if (!argument.empty()) arguments.push_back(ParseNested(scope, argument, depth));
      argument.clear();
      if (c == ')') return q;
      continue;
    }
    if (c == '(') ++parens;
    if (c == ')') --parens;
    argument += c;
  }
  return std::string::npos;
}

}  // namespace

std::int32_t ParseCode(const CodeScope& scope, std::string_view source, int depth) {
  std::string text(source);
  std::size_t wordStart = 0;
  std::size_t p = 0;
  while (p < text.size()) {
    const char c = text[p];
    if (IsCodeBlank(c)) {
      wordStart = ++p;
      continue;
    }
    if (c != '(') {
      ++p;
      continue;
    }
    if (p == wordStart) {
      const std::size_t close = FindGroupEnd(text, p);
      if (close == std::string::npos) {
        CodeErrorNoCloseParen();
        return 0;
      }
      const std::int32_t value = ParseNested(scope, std::string_view(text).substr(p + 1, close - p - 1), depth);
      Splice(text, wordStart, value, close + 1);
      p = wordStart;
      continue;
    }
    const std::string name = text.substr(wordStart, p - wordStart);
    if (FindCodeWord(g_CodeFuncs, name) < 0) {
      // Left as text, but like every other "(" it must be closed.
      if (FindGroupEnd(text, p) == std::string::npos) {
        CodeErrorNoCloseParen();
        return 0;
      }
      ++p;
      continue;
    }
    std::vector<std::int32_t> arguments;
    const std::size_t close = CollectArguments(scope, text, p, depth, arguments);
    if (close == std::string::npos) {
      CodeErrorCallNoCloseParen(name);
      return 0;
    }
    if (arguments.size() != 2) {
      CodeErrorBadArguments(name);
      return 0;
    }
    Splice(text, wordStart, GetRand(arguments[0], arguments[1]), close + 1);
    p = wordStart;
  }
  return EvalFlatCode(scope, text);
}

// EvalFlatCode: the words of a text without groups or calls become tokens,
// which are then reduced. A word ending in "." is an object prefix ("tg2.",
// "pl.", "sys.") that chooses whose status the next word names.

#include <string>
#include <vector>

#include "evaluator/code_blanks.h"
#include "evaluator/code_errors.h"
#include "evaluator/code_evaluator.h"
#include "evaluator/code_reduction.h"
#include "evaluator/code_words.h"

std::int32_t EvalFlatCode(const CodeScope& scope, std::string_view text) {
  std::vector<cCodeToken> tokens;
  std::int32_t lastValue = 0;
  int object = kCodeObjMy;
  bool tokenMade = false;
  bool afterPrefix = false;
  std::size_t wordStart = 0;
  for (std::size_t p = 0; p <= text.size(); ++p) {
    const bool end = p == text.size();
    const char c = end ? '\0' : text[p];
    if (!end && c == '.') {
      const std::string_view word = text.substr(wordStart, p - wordStart);
      const int named = FindCodeWord(g_CodeObjs, word);
      if (named < 0 && (!tokenMade || afterPrefix)) {
        CodeErrorUnknownObject(word);
        return 0;
      }
      // An unknown prefix after a token is dropped: the next word is the
      // running character's.
      object = named < 0 ? kCodeObjMy : named;
      afterPrefix = true;
      wordStart = p + 1;
      continue;
    }
    if (!end && !IsCodeBlank(c)) continue;
    if (p > wordStart) {
      cCodeToken token;
      if (!MakeCodeToken(scope, text.substr(wordStart, p - wordStart), object, token)) return 0;
      tokens.push_back(token);
      lastValue = token.value;
      tokenMade = true;
      afterPrefix = false;
      object = kCodeObjMy;
    }
    wordStart = p + 1;
  }
  if (!ReduceCodeTokens(scope, tokens, text, lastValue)) return 0;
  return lastValue;
}

#include "evaluator/code_words.h"

#include "evaluator/code_errors.h"
#include "evaluator/code_number.h"

namespace {

// The character an object names, null when it names none. `named` is false
// when the object should name one and does not (an empty target slot, no
// hero): that is an error whatever the word.
cChara* ObjectCharacter(const CodeScope& scope, int object, bool& named) {
  named = true;
  switch (object) {
    case kCodeObjMy: return scope.chara;
    case kCodeObjSys: return nullptr;
    case kCodeObjPl: {
      cChara* hero = scope.access.Hero();
      named = hero != nullptr;
      return hero;
    }
    default: {
      const int slot = object == kCodeObjTg ? 1 : object - kCodeObjTg1 + 1;
      cChara* target = scope.chara ? scope.access.Target(scope.chara, slot) : nullptr;
      named = target != nullptr;
      return target;
    }
  }
}

bool MakeVariableToken(const CodeScope& scope, std::string_view word, cCodeToken& token) {
  const int kindIndex = word[0] == g_CodeVarKinds[0] ? 0 : 1;
  const CodeValueKind kind = kindIndex == 0 ? CodeValueKind::CommonVar : CodeValueKind::StageVar;
  const std::int32_t index = ReadCodeNumber(word.substr(1));
  const int count = scope.access.VariableCount(kind);
  if (index < 0 || index >= count) {
    CodeErrorBadVariable(g_CodeVarKinds[kindIndex], index, count);
    return false;
  }
  token.kind = kCodeVariable;
  token.hasStorage = true;
  token.storageKind = kind;
  token.storageIndex = index;
  token.value = scope.access.Read(nullptr, kind, index);
  return true;
}

void MakeCharaStatusToken(const CodeScope& scope, cChara* chara, int stat, cCodeToken& token) {
  const CodeStatus& row = g_CodeCharaStats[stat];
  token.kind = kCodeCharaStatus;
  token.hasStorage = true;
  token.storageKind = CodeValueKind::CharaStat;
  token.storageIndex = stat;
  token.owner = chara;
  token.width = row.width;
  token.min = row.min;
  token.max = row.max;
  if (stat == kCodeStatHp) token.max = scope.access.Read(chara, CodeValueKind::CharaStat, kCodeStatMaxHp);
  if (stat == kCodeStatSp) token.max = scope.access.Read(chara, CodeValueKind::CharaStat, kCodeStatMaxSp);
  token.value = scope.access.Read(chara, CodeValueKind::CharaStat, stat);
}

void MakeSysStatusToken(const CodeScope& scope, int stat, cCodeToken& token) {
  const CodeStatus& row = g_CodeSysStats[stat];
  token.kind = kCodeSysStatus;
  token.hasStorage = true;
  token.storageKind = CodeValueKind::SysStat;
  token.storageIndex = stat;
  token.width = row.width;
  token.min = row.min;
  token.max = row.max;
  token.value = scope.access.Read(nullptr, CodeValueKind::SysStat, stat);
  if (stat == kCodeSysLife && token.value == kUnlimitedLives) {
    // Unlimited lives stay unlimited: the range pins the marker.
    token.value = scope.access.UnlimitedLivesReadAsZero() ? 0 : 100;
    token.min = token.max = kUnlimitedLives;
  }
}

}  // namespace

bool MakeCodeToken(const CodeScope& scope, std::string_view word, int object, cCodeToken& token) {
  token = cCodeToken{};
  if (const int op = FindCodeWord(g_CodeOps, word); op >= 0) {
    token.kind = kCodeOperator;
    token.op = op;
    return true;
  }
  bool named = true;
  cChara* chara = ObjectCharacter(scope, object, named);
  if (!named) {
    CodeErrorNoCharacter();
    return false;
  }
  if (word[0] == g_CodeVarKinds[0] || word[0] == g_CodeVarKinds[1]) return MakeVariableToken(scope, word, token);
  if (const int stat = FindCodeStatus(g_CodeCharaStats, word); stat >= 0) {
    if (!chara) {
      CodeErrorNoCharacter();
      return false;
    }
    MakeCharaStatusToken(scope, chara, stat, token);
    return true;
  }
  if (const int stat = FindCodeStatus(g_CodeSysStats, word); stat >= 0) {
    MakeSysStatusToken(scope, stat, token);
    return true;
  }
  token.value = ReadCodeNumber(word);
  return true;
}

#pragma once
// The words of the code language. The order of every table is the index the
// evaluator works with (operator index, object index, status index), so rows
// are never reordered.

#include <array>
#include <cstdint>
#include <string_view>

inline constexpr std::array<std::string_view, 1> g_CodeFuncs = {"rand"};

enum CodeOp : int { kCodeAssign = 0, kCodeAdd, kCodeSubtract, kCodeMultiply, kCodeDivide, kCodeRemainder };
inline constexpr std::array<std::string_view, 6> g_CodeOps = {"=", "+", "-", "*", "/", "%"};
// Reduction level of each operator; level 0 is reduced first.
inline constexpr std::array<int, 6> g_CodeOpPriority = {2, 1, 1, 0, 0, 0};
inline constexpr int kCodeLevels = 3;

enum CodeObj : int { kCodeObjMy = 0, kCodeObjTg, kCodeObjTg1, kCodeObjTg2, kCodeObjTg3, kCodeObjTg4, kCodeObjPl, kCodeObjSys };
inline constexpr std::array<std::string_view, 8> g_CodeObjs = {"my", "tg", "tg1", "tg2", "tg3", "tg4", "pl", "sys"};

// The first character of a variable word: common, then stage variables.
inline constexpr std::array<char, 2> g_CodeVarKinds = {'C', 'S'};

// Storage width codes: one signed byte, 16 bits, 32 bits.
inline constexpr int kCodeWidth8 = 0;
inline constexpr int kCodeWidth16 = 2;
inline constexpr int kCodeWidth32 = 4;

inline constexpr std::int32_t kCodeMin = -999999;
inline constexpr std::int32_t kCodeMax = 999999;

struct CodeStatus {
  std::string_view word;
  int width;
  std::int32_t min;
  std::int32_t max;
};

// Character statuses. HP and SP are bounded above by the character's
// current maximum, which the evaluator reads when it makes the token.
enum CodeCharaStat : int {
  kCodeStatHp = 8,
  kCodeStatSp = 9,
  kCodeStatMaxHp = 10,
  kCodeStatMaxSp = 11,
  kCodeStatSight = 15,
};
inline constexpr std::array<CodeStatus, 22> g_CodeCharaStats = {{
    {"v1", kCodeWidth32, kCodeMin, kCodeMax},
    {"v2", kCodeWidth32, kCodeMin, kCodeMax},
    {"v3", kCodeWidth32, kCodeMin, kCodeMax},
    {"v4", kCodeWidth32, kCodeMin, kCodeMax},
    {"v5", kCodeWidth32, kCodeMin, kCodeMax},
    {"v6", kCodeWidth32, kCodeMin, kCodeMax},
    {"v7", kCodeWidth32, kCodeMin, kCodeMax},
    {"v8", kCodeWidth32, kCodeMin, kCodeMax},
    {"hp", kCodeWidth32, 0, kCodeMax},
    {"sp", kCodeWidth32, 0, kCodeMax},
    {"mhp", kCodeWidth32, 1, kCodeMax},
    {"msp", kCodeWidth32, 1, kCodeMax},
    {"cid", kCodeWidth8, 0, 99},
    {"z", kCodeWidth8, 0, 7},
    {"mark", kCodeWidth16, 0, 119},
    {"sight", kCodeWidth8, 0, 40},
    {"power", kCodeWidth32, kCodeMin, kCodeMax},
    {"imp", kCodeWidth8, -20, 20},
    {"def", kCodeWidth32, 0, kCodeMax},
    {"impd", kCodeWidth8, 0, 20},
    {"stop", kCodeWidth16, 0, 200},
    {"getsc", kCodeWidth32, kCodeMin, kCodeMax},
}};

// System statuses, all 32 bits.
enum CodeSysStat : int { kCodeSysTime = 0, kCodeSysScrollX, kCodeSysScrollY, kCodeSysScore, kCodeSysLife };
inline constexpr std::array<CodeStatus, 5> g_CodeSysStats = {{
    {"time", kCodeWidth32, 0, 999},
    {"scrlx", kCodeWidth32, -480, 480},
    {"scrly", kCodeWidth32, -480, 480},
    {"score", kCodeWidth32, 0, kCodeMax},
    {"life", kCodeWidth32, 0, 99},
}};
// Lives holding this number are unlimited; an assignment never changes it.
inline constexpr std::int32_t kUnlimitedLives = 999999;

// Index of the word in a table, -1 when it is none of its words.
template <std::size_t N>
int FindCodeWord(const std::array<std::string_view, N>& table, std::string_view word) {
  for (std::size_t i = 0; i < N; ++i)
    if (table[i] == word) return static_cast<int>(i);
  return -1;
}
template <std::size_t N>
int FindCodeStatus(const std::array<CodeStatus, N>& table, std::string_view word) {
  for (std::size_t i = 0; i < N; ++i)
    if (table[i].word == word) return static_cast<int>(i);
  return -1;
}

#pragma once
// The statuses that "ステータスの操作" changes and status conditions compare:
// fifteen per character (its variables, HP, SP, their maximums and numbers
// of its definition copy) and five of the system (stage time, the two
// automatic scroll speeds, score, lives). Each has its storage, whose width
// decides how a value is stored and compared, and the range an operation
// keeps it in.

#include <cstdint>

#include "commands/binding/param_access.h"

class cChara;
class cStageScene;

enum CharaStatus : int {
  kStatusVariable = 0,
  kStatusHp = 1,
  kStatusSp = 2,
  kStatusMaxHp = 3,
  kStatusMaxSp = 4,
  kStatusCharaId = 5,
  kStatusZ = 6,
  kStatusMark = 7,
  kStatusSight = 8,
  kStatusPower = 9,
  kStatusImpact = 10,
  kStatusDefence = 11,
  kStatusImpactResist = 12,
  kStatusStop = 13,
  kStatusScore = 14,
  kCharaStatusCount = 15,
};

enum SystemStatus : int {
  kSystemTime = 0,
  kSystemScrollX = 1,
  kSystemScrollY = 2,
  kSystemScore = 3,
  kSystemLives = 4,
  kSystemStatusCount = 5,
};

// Whose the status belongs to: 0 the acting character, 1..4 its target
// slots, 5 the system.
inline constexpr int kWhoseSystem = 5;
// The stored lives value that means no limit.
inline constexpr std::int32_t kUnlimitedLives = 999999;

struct StatusRange {
  std::int32_t min = 0;
  std::int32_t max = 0;
};

StatusRange CharaStatusRange(int status);
StatusRange SystemStatusRange(int status);

// The character that `whose` (0..4) names for `self`; null for an empty
// slot, and after a report line for a number outside 0..4.
cChara* WhoseChara(cChara& self, int whose);
// The storage of a character status; the none reference for a bad status or
// variable index, and for the view range of a character that is not a hero.
ParamRef CharaStatusRef(cChara& chara, int status, int varIndex);
// Reinterprets a value in the width of a character status (the comparisons
// of narrow statuses are made in their own width).
std::int32_t InStatusWidth(int status, std::int32_t value);

// System statuses of the running stage; 0 without a stage.
std::int32_t ReadSystemStatus(int status);
// Stores a system status (already in range); lives that are unlimited stay
// so, and a new scroll speed is put into force on its axis.
void WriteSystemStatus(int status, std::int32_t value);
// The raw stored value (the stage time even while it is stopped).
std::int32_t StoredSystemStatus(int status);

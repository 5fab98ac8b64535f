#pragma once
// Conditions: one comparison of a game value (a common, stage or character
// variable, a status, a character state, a distance) with a constant or with
// another value. Blocks, characters, items and flows keep lists of them; the
// command "フローの操作" keeps one list with its use and mode switches in a
// cCondList. These records only store the settings; the tests that read them
// belong to the stage runtime and the commands.

#include <cstdint>

#include "foundation/checked_vector.h"
#include "foundation/record.h"

// Condition kinds.
enum CondKind : std::uint8_t {
  kCondNone = 0,
  kCondCommonVar = 1,  // "コモン変数条件"
  kCondStageVar = 2,   // "ステージ変数条件"
  kCondCharaVar = 3,   // "キャラ変数条件"
  kCondStatus = 4,     // "ステータス条件"
  kCondStatus2 = 5,    // "ステータス条件2"
  kCondStatus3 = 6,    // "ステータス条件3"
  kCondDistance = 7,   // "距離条件"
};

// Right-hand sources of a status condition.
enum CondSource : std::uint8_t {
  kSourceConstant = 0,  // "定数"
  kSourceRandom = 1,    // "乱数"
  kSourceStatus = 2,    // "ステータス"
  kSourceVariable = 3,  // "変数"
};

// Objects a condition side names: the owner, its four target slots, the system.
enum CondObject : std::uint8_t {
  kObjectSelf = 0,
  kObjectTarget1 = 1,
  kObjectTarget4 = 4,
  kObjectSystem = 5,
};

class cCond : public cRecord {
 public:
  static constexpr int kLoggedSize = 44;
  void RegisterFields(FieldRegistry& fields, std::uint32_t version) override;
  // The generic stream, then the upgrades of files older than this program.
  void Load(DataReader& in) override;

  std::uint8_t m_nKind = kCondNone;
  std::uint8_t m_nLeftKind = 0;    // status condition: 0 a status, 1 a variable
  std::uint8_t m_nLeftClass = 0;   // variable side: 0 common, 1 stage variable
  std::uint8_t m_nLeftObject = 0;  // CondObject
  std::uint8_t m_nLeftItem = 0;    // status index, or the state tested by kinds 5 and 6
  std::int16_t m_nLeftIndex = 0;   // variable number, or the compared value of kinds 5 and 6
  std::uint8_t m_nRightSource = kSourceConstant;
  std::int32_t m_nValue = 0;       // the constant; the test stores what it compared against
  std::int32_t m_nRandLow = 0;
  std::int32_t m_nRandHigh = 0;
  std::uint8_t m_nRightObject = 0;
  std::uint8_t m_nRightItem = 0;
  std::uint8_t m_nRightClass = 0;
  std::uint16_t m_nRightIndex = 0;
  std::uint8_t m_nCompare = 0;  // CompareOp
  std::uint8_t m_bPercent = 0;  // the value is a percentage of the maximum (HP, SP)
  std::uint8_t m_nLast = 0;

 private:
  void Upgrade(std::uint32_t version);
  // Two 16-bit values of files older than 110, read and dropped.
  std::int16_t m_anDropped[2] = {};
};

// How the conditions of a list combine.
enum CondMode : std::uint8_t {
  kCondAll = 0,  // "全ての条件が真なら成立"
  kCondAny = 1,  // "1つ以上の条件が真なら成立"
};

class cCondList : public cRecord {
 public:
  void RegisterFields(FieldRegistry& fields, std::uint32_t version) override;
  // The generic stream; from version 766 the conditions.
  void Load(DataReader& in) override;
  void Save(DataWriter& out) override;

  std::uint8_t m_bUse = 0;  // 0: the command runs without a test
  std::uint8_t m_nMode = kCondAll;  // any mode but kCondAll and kCondAny never holds
  cVector<cCond> m_vConds;
};

// A list of conditions as definitions store it: i32 count, then the records.
void ReadCondList(DataReader& in, cVector<cCond>& conds);
void WriteCondList(DataWriter& out, cVector<cCond>& conds);

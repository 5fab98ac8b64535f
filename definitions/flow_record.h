#pragma once
// A flow: a sequence of commands that a character (or, through "フローの変更",
// an item) runs when its trigger fires and its conditions hold, with an ID
// letter that commands pick flows by, a flag letter the runtime raises while
// it runs, and a key-input sequence. cKeyStep is one step of that sequence.
//
// The stream after the registered fields: the conditions (i32 count and the
// records), the key steps (i32 count, then each step's record, an i32 key
// count and one byte per key), the commands (i32 count and the records).
// Loading renumbers the triggers of older files and always empties the memo.

#include <cstdint>
#include <string>

#include "definitions/command_record.h"
#include "definitions/condition_records.h"
#include "foundation/checked_vector.h"
#include "foundation/record.h"

// Flow triggers.
enum FlowTrigger : std::uint8_t {
  kTriggerAlways = 0,            // "常時"
  kTriggerDamaged = 1,           // "ダメージを受けた時"
  kTriggerImpacted = 2,          // "衝撃を受けた時"
  kTriggerDied = 3,              // "死亡した時"
  kTriggerHitChara = 4,          // "キャラに当たった時"
  kTriggerHitBlockChara = 5,     // "ブロックキャラに当たった時"
  kTriggerOnBlockChara = 6,      // "ブロックキャラに乗っている時"
  kTriggerHitShot = 7,           // "ショットに当たった時"
  kTriggerHitItem = 8,           // "アイテムに当たった時"
  kTriggerHitBlock = 9,          // "ブロックに当たった時"
  kTriggerBlockSide = 10,        // "自分の左右にブロックが当たった時"
  kTriggerBlockLeft = 11,        // "自分の左にブロックが当たった時"
  kTriggerBlockRight = 12,       // "自分の右にブロックが当たった時"
  kTriggerBlockVertical = 13,    // "自分の上下にブロックが当たった時"
  kTriggerBlockAbove = 14,       // "自分の上にブロックが当たった時"
  kTriggerBlockBelow = 15,       // "自分の下にブロックが当たった時"
  kTriggerRiddenByHero = 16,     // "主人公に乗られている時"
  kTriggerRiddenByChara = 17,    // "キャラに乗られている時"
  kTriggerAttackDamaged = 18,    // "アタックでダメージを与えた時"
  kTriggerAttackImpacted = 19,   // "アタックで衝撃を与えた時"
  kTriggerAttackHit = 20,        // "アタックを当てた時"
  kTriggerBeforeStage = 21,      // "ステージ開始前"
  kTriggerByFlowControl = 22,    // "なし（フローの操作コマンドで実行）"
};
inline constexpr int kFlowTriggerCount = 23;

// Key states of a key step.
enum KeyState : std::uint8_t {
  kKeyAny = 0,       // "--"
  kKeyPressed = 1,   // "押"
  kKeyReleased = 2,  // "離"
};

// How the keys of a step combine.
enum KeyCombination : std::uint8_t {
  kKeysAll = 0,      // "全てのキーが真なら成立": every key given; the earliest match
  kKeysAny = 1,      // "1つ以上のキーが真なら成立": at least one; the latest match
  kKeysExactly1 = 2, // "1つだけキーが真なら成立"
};

class cKeyStep : public cRecord {
 public:
  static constexpr int kLoggedSize = 32;
  // One state per key of the input record.
  static constexpr std::size_t kKeyCount = 19;

  void RegisterFields(FieldRegistry& fields, std::uint32_t version) override;
  // The record, then the key states; any stored count is brought to kKeyCount.
  void Load(DataReader& in) override;
  void Save(DataWriter& out) override;
  // Cleared, with kKeyCount keys of kKeyAny.
  void SetDefaults();

  cVector<std::uint8_t> m_vKeys = cVector<std::uint8_t>(kKeyCount, kKeyAny);
  std::uint8_t m_bFacingRelative = 0;  // left and right (and diagonals) mirror while facing left
  std::uint16_t m_nTime1 = 0;          // shortest hold of a pressed key, in frames
  std::uint16_t m_nTime2 = 0;          // longest hold
  std::uint8_t m_bAnyHold = 0;         // a pressed key matches with any hold time
  std::uint8_t m_nCombination = kKeysAll;
};

class cEdFlow : public cRecord {
 public:
  static constexpr int kLoggedSize = 104;

  void RegisterFields(FieldRegistry& fields, std::uint32_t version) override;
  void Load(DataReader& in) override;
  // Validate, then the stream.
  void Save(DataWriter& out) override;
  // Validates every command.
  void Validate();

  std::string m_strMemo;          // the editor's note; emptied on every load
  std::uint8_t m_nId = 0;         // 0 "-", 1-26 "A"-"Z"
  std::uint8_t m_nFlag = 0;       // 0 "-", 1-26 "a"-"z"
  std::uint8_t m_bTestPlay = 0;   // the flow exists only in test plays
  std::uint8_t m_nCondMode = kCondAll;
  std::uint8_t m_bCondOnce = 0;   // conditions that held once hold for the rest of the run
  std::uint8_t m_nTrigger = kTriggerAlways;
  std::uint8_t m_bTakeOther = 0;  // the other character of the contact goes into m_nTargetSlot
  std::uint8_t m_nTargetSlot = 0;
  std::uint8_t m_nKeyGap = 0;     // input entries allowed between two key steps
  std::uint8_t m_bKeyHold = 0;    // a match stays valid while the keys stay held
  cVector<cCond> m_vConds;
  cVector<cKeyStep> m_vKeySteps;
  cVector<cEdCmd> m_vCmds;

 private:
  void Upgrade(std::uint32_t version);
};

// Whether flows marked for test plays stay in the definitions being loaded:
// on a test play started by the editor, or when the project keeps them.
bool KeepTestPlayFlows();
// Drops the flows marked for test plays unless KeepTestPlayFlows.
void DropTestPlayFlows(cVector<cEdFlow>& flows);
// Reads a flow list (i32 count, the flows), each flow starting cleared.
void ReadFlowList(DataReader& in, cVector<cEdFlow>& flows);

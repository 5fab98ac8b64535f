#pragma once
// What the code evaluator reads and writes of the running game, and nothing
// more. The evaluator is a small language over numbers that live elsewhere:
// character statuses, target slots, the hero, the system statuses and the
// common and stage variables. Keeping them behind this one interface lets the
// language be tested on plain arrays and keeps the evaluator free of the
// stage's object model; the stage implements it over its real objects.
//
// Characters are handed around as opaque pointers: the evaluator compares
// them and passes them back, it never looks inside.

#include <cstdint>

class cChara;

// The places a code text can name. Indices: variables by their number,
// character statuses by their row of g_CodeCharaStats (0..7 the variables
// v1..v8, 8 HP, 9 SP, ...), system statuses by their row of g_CodeSysStats.
enum class CodeValueKind : int { CommonVar, StageVar, CharaStat, SysStat };

class CodeAccess {
 public:
  virtual ~CodeAccess() = default;

  // Target slot 1..4 of the character; null when the slot is empty.
  virtual cChara* Target(cChara* chara, int slot) = 0;
  // The player's hero (the first hero of the stage); null when there is none.
  virtual cChara* Hero() = 0;

  // Number of common (CommonVar) or stage (StageVar) variables; the valid
  // indices are 0 .. count - 1. The evaluator checks every index against it.
  virtual int VariableCount(CodeValueKind kind) = 0;
  // The stored value. `owner` is the character for CharaStat and unused
  // otherwise. The "life" status reads the stored number as it is (the
  // unlimited marker 999999 included); the evaluator interprets it.
  virtual std::int32_t Read(cChara* owner, CodeValueKind kind, int index) = 0;
  // Stores a value that already lies in the status's range and width.
  virtual void Write(cChara* owner, CodeValueKind kind, int index, std::int32_t value) = 0;
  // Whether unlimited lives read as 0 (true) or as 100 (false).
  virtual bool UnlimitedLivesReadAsZero() = 0;

  // After-effects of assignments.
  // A character other than the running one was set to no HP: the stage
  // frame step should check for deaths.
  virtual void RequestHpCheck() = 0;
  // Whether the character's view range is ignored (it is no hero), so that
  // changing its "sight" must leave the view mask alone.
  virtual bool IgnoresSight(cChara* chara) = 0;
  // The character's view radius becomes `halfBlocks` half blocks in dots and
  // the view-range mask is built again.
  virtual void SetViewRange(cChara* chara, std::int32_t halfBlocks) = 0;
  // The automatic scroll of the axis (0 horizontal, 1 vertical) restarts at
  // the new speed.
  virtual void RestartScroll(int axis, std::int32_t speed) = 0;

  // The on-screen gauges that show a change of HP or SP.
  virtual void StartHpGauge(cChara* chara, std::int32_t change) = 0;
  virtual void StartSpGauge(cChara* chara, std::int32_t change) = 0;
};

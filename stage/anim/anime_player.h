#pragma once
// The animation player of every moving object and effect: patterns of
// frames, each shown for a number of ticks, closed by a code that stays (-1),
// loops (-2), jumps to another pattern (-3) or ends (-4, returned as the
// frame so that the owner knows a one-shot animation has finished). An entry
// may hold: while it is current, only a forced change selects another
// pattern.
//
// The player never steps outside a pattern: an end code it does not know
// holds like -4, a -1 with nothing before it holds, and a pattern number
// outside the table plays pattern 0 (after a report line).

#include <cstdint>

#include "foundation/checked_vector.h"
#include "project/frame_tables.h"

class cAnimePlayer {
 public:
  // One pattern per table entry, each up to its first negative code.
  void Build(const cVector<Pattern>& table);
  // The patterns from a null-terminated array of entry arrays, each ending
  // with its first negative code; a null table leaves the player unchanged.
  void Build(const PATTERNENTRY* const* table);
  void Clear();
  // 1 done, 0 refused (the current entry holds and force is 0).
  int SetPattern(int n, int force);
  // As SetPattern, but the current pattern is not restarted.
  int ChangePattern(int n, int force);
  // One tick; the frame code now current (0 without patterns).
  int Step();
  int GetFrame() const;
  // Starts the current entry `ticks` into its time (a head start).
  void SetTick(int ticks) { m_nTick = ticks; }

  int Pattern() const { return m_nPattern; }
  int Entry() const { return m_nEntry; }
  int Tick() const { return m_nTick; }
  bool Empty() const { return m_vPatterns.empty(); }
  const cVector<::Pattern>& Patterns() const { return m_vPatterns; }

 private:
  const PATTERNENTRY* Current() const;
  void ApplyEndCode();

  cVector<::Pattern> m_vPatterns;
  std::int32_t m_nPattern = 0;
  std::int32_t m_nEntry = 0;
  std::int32_t m_nTick = 0;
};

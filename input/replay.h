#pragma once
// A replay: the input of one attempt at a stage. The stage draws every random
// number from the generator that its set-up seeds once per attempt, and reads
// nothing from the player but the two input words of each frame, so the seed
// and those words repeat the attempt exactly. Each word is kept as a stream
// of runs (value, frames), since a word mostly stays the same for many frames.
//
// The stream in a file (after the record base, which holds only the seed):
// i32 count and that many u16 direction values; the same for the button
// values; i32 count and that many u32 run lengths of the direction runs; the
// same for the button runs. Loading refuses what could not have been
// recorded: a value list and its run list of different lengths, and runs of
// no frames.

#include <cstdint>

#include "foundation/checked_vector.h"
#include "foundation/record.h"
#include "input/input_record.h"

class cReplay : public cRecord {
 public:
  cReplay() { Clear(); }

  void RegisterFields(FieldRegistry& fields, std::uint32_t version) override;
  void Load(DataReader& in) override;
  void Save(DataWriter& out) override;

  // Appends the record's two words as one more frame.
  void RecordFrame(const cInput& input);
  // Writes the next frame's words into the record: 0, or 1 (nothing written)
  // when either stream is exhausted.
  int PlayFrame(cInput& input);
  // Play-back starts again from the first frame.
  void Rewind();
  // No runs, no seed: a new attempt's empty replay.
  void Empty();
  bool HasDirRuns() const { return !m_vDirValue.empty(); }

  cVector<std::uint16_t> m_vDirValue;
  cVector<std::uint16_t> m_vButtonValue;
  cVector<std::uint32_t> m_vDirLength;
  cVector<std::uint32_t> m_vButtonLength;
  std::int32_t m_nSeed = 0;
  std::uint32_t m_nDirRun = 0;
  std::uint32_t m_nButtonRun = 0;
  std::uint32_t m_nDirFrame = 0;
  std::uint32_t m_nButtonFrame = 0;
};

// The current attempt and the one before it.
extern cReplay g_Replay;
extern cReplay g_ReplayPrev;

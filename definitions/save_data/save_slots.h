#pragma once
// The 99 story save slots ("user_data\story\Story01.dat" to "Story99.dat")
// and the challenge progress file. A slot entry is valid once its file was
// written (or, refreshed by the screens, when its file exists); it keeps the
// time of that save for the slot list.

#include <cstdint>
#include <string>

#include "definitions/save_data/save_data.h"
#include "foundation/checked_vector.h"
#include "foundation/record.h"

class cSaveSlot : public cRecord {
 public:
  void RegisterFields(FieldRegistry& fields, std::uint32_t version) override;
  // Valid, with the save time of the data.
  void SetTime(const cSaveData& data);

  std::int32_t m_bValid = 0;
  SYSTEMTIME m_Time;
  // The slot's file exists but cannot be read (damaged, or written by a
  // newer version): the slot is used, without a time, and is neither
  // continued nor overwritten by a new game. Not stored.
  std::int32_t m_bUnloadable = 0;
};

inline constexpr int kSaveSlotCount = 99;
extern cVector<cSaveSlot> g_SaveSlots;

// The stored path of slot n (0 to 98): "user_data\story\Story" and n + 1 as
// two digits, ".dat".
std::string MakeSaveFileName(int slot);

// Writes the data with the current local time as its save time to slot n,
// atomically, and marks the slot valid: 1. When the file cannot be written
// the old file and the slot entry stay as they were: 0 (with a report line;
// the caller plays the refusal sound).
int SaveToSlot(cSaveData& data, int slot);
// Reads slot n into the data and fills in the life counters from the
// system record's story settings: 1. When the file cannot be read the data
// stay as they were: 0.
int LoadFromSlot(cSaveData& data, int slot);

#include "definitions/save_data/save_slots.h"

#include "foundation/log.h"
#include "foundation/text_format.h"
#include "platform/clock.h"
#include "project/data_paths.h"
#include "project/global_data.h"

cVector<cSaveSlot> g_SaveSlots(kSaveSlotCount);

namespace {

constexpr int kStoryMode = 0;
constexpr int kChallengeMode = 1;

SYSTEMTIME LocalSaveTime() {
  const platform::LocalDateTime now = platform::LocalNow();
  return {now.year, now.month, now.dayOfWeek, now.day, now.hour, now.minute, now.second, now.milliseconds};
}

// Unlimited lives of the mode set both counters to 999999; otherwise an
// unset life counter takes the mode's starting lives.
void FillLifeCounters(cSaveData& data, int playMode) {
  const cSystem& system = *g_System;
  if (system.m_vLifeUnlimited[playMode] != 0) {
    data.m_nLifeStart = cSaveData::kUnlimited;
    data.m_nLife = cSaveData::kUnlimited;
  } else if (data.m_nLife == cSaveData::kUnlimited) {
    data.m_nLife = system.m_vLifeStart[playMode];
  }
}

}  // namespace

void cSaveSlot::RegisterFields(FieldRegistry& fields, std::uint32_t) { fields.AddField4(&m_bValid); }

void cSaveSlot::SetTime(const cSaveData& data) {
  m_bValid = 1;
  m_bUnloadable = 0;
  m_Time = data.m_SaveTime;
}

std::string MakeSaveFileName(int slot) {
  std::string number;
  NumToStr(number, slot + 1, 2, 1, 0);
  std::string name;
  Format(name, "%s%s.dat", std::string(g_Paths[PATH_STORY_SAVE_PREFIX]).c_str(), number.c_str());
  return name;
}

int SaveToSlot(cSaveData& data, int slot) {
  if (slot < 0 || slot >= kSaveSlotCount) {
    static_cast<void>(g_SaveSlots[slot]);  // the checked access reports the bad index
    return 0;
  }
  cSaveSlot& entry = g_SaveSlots[slot];
  const SYSTEMTIME previous = data.m_SaveTime;
  data.m_SaveTime = LocalSaveTime();
  const std::string path = MakeSaveFileName(slot);
  if (!SaveFile(data, path)) {
    data.m_SaveTime = previous;
    Report("Save slot %d could not be written (%s)", slot + 1, path.c_str());
    return 0;
  }
  entry.SetTime(data);
  return 1;
}

int LoadFromSlot(cSaveData& data, int slot) {
  if (!LoadFile(data, MakeSaveFileName(slot))) return 0;
  FillLifeCounters(data, kStoryMode);
  return 1;
}

int cSaveData::LoadChallenge() {
  if (!LoadFile(*this, g_Paths[PATH_CHALLENGE_SAVE])) return 0;
  FillLifeCounters(*this, kChallengeMode);
  return 1;
}

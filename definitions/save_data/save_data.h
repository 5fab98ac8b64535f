#pragma once
// The progress of a play: everything that survives from one stage to the
// next and from one run to the next. g_SaveData is the play in progress (its
// variables are the common variables, its life and score the "life" and
// "score" system statuses); g_ReplaySaveData and g_ReplaySaveDataPrev hold
// the copies taken when the current and the previous attempt started, which
// travel with their replays.
//
// Its file (a story slot, the challenge file, or the tail of a replay) is the
// record stream of the 35 ints and 3 strings, the save time, then the
// carry-over flags, carried heroes, stage entries, pairs, switches and
// variables, each as a count and its elements.

#include <cstdint>
#include <string>
#include <string_view>

#include "definitions/save_data/carry_records.h"
#include "definitions/stage/stage_record.h"
#include "foundation/checked_vector.h"
#include "foundation/record.h"
#include "project/effect_records.h"

// The local time of a save: year, month, day of week, day, hour, minute,
// second, milliseconds, stored as eight 16-bit words.
struct SYSTEMTIME {
  std::uint16_t wYear = 0;
  std::uint16_t wMonth = 0;
  std::uint16_t wDayOfWeek = 0;
  std::uint16_t wDay = 0;
  std::uint16_t wHour = 0;
  std::uint16_t wMinute = 0;
  std::uint16_t wSecond = 0;
  std::uint16_t wMilliseconds = 0;
};

class cWorldStage;

class cSaveData : public cRecord {
 public:
  static constexpr std::size_t kCarryItems = 25;
  static constexpr std::size_t kSwitches = 1000;
  static constexpr std::size_t kVariables = 1001;
  static constexpr std::int32_t kUnlimited = 999999;

  cSaveData() { Reset(); }
  void RegisterFields(FieldRegistry& fields, std::uint32_t version) override;
  // The layout above; older versions fixed up; FitToProject.
  void Load(DataReader& in) override;
  // FitToProject, then the layout above.
  void Save(DataWriter& out) override;

  // A new game.
  void Reset();
  // Reads the challenge progress file, then the life counters of the
  // challenge mode: 1; 0 (data unchanged) when it cannot be read.
  int LoadChallenge();
  // The world-map cursor inside the world map, the pair list as long as the
  // system record's pair count, the pair index at most that count.
  void FitToProject();

  // Records a stage's value, keeping the best per key.
  void SetStageValue(std::string_view name, std::string_view key, std::int32_t code1, std::int32_t code2,
                     std::int32_t code3, std::int32_t value);
  // The best value recorded for the key; 0 when none.
  std::int32_t GetStageValue(std::string_view key) const;
  // The total over the recorded stages that stand on the world map.
  void SumWorldStageValues();

  // The stage-start snapshot: variables, lives and stage value.
  void SaveStageStart();
  // Restores from the snapshot (nothing before one was taken). `full`
  // restores everything; otherwise the variables only when the system
  // record's retry switch of the play mode (or of a stage started directly)
  // asks for it, and never the lives. Returns the stage value.
  std::int32_t RestoreStageStart(int full, int playMode, int directStage);

  // Stores the enabled carry-over items of hero `hero` from its definition
  // and the given values (item 4 from effect, effectMode, effectLoop).
  void StoreCarryOver(int hero, const cEdChara& chara, std::int32_t hp, std::int32_t sp, std::uint16_t effect,
                      std::uint8_t effectMode, std::uint8_t effectLoop, std::int32_t item22,
                      std::int32_t item23, std::int32_t item24);
  // Copies the stored, enabled items 0 to 10 and 13 to 24 back into the hero's
  // definition, the life counter and the running stage's time limit and music.
  void ApplyCarryOver(int hero, cEdChara& chara, cEdStageSettings& stage);
  // Copies the stored, enabled items 11 and 12 (HP and SP) back.
  void ApplyCarryOverStatus(int hero, std::int32_t& hp, std::int32_t& sp);
  // Clears the flags of the items that the system record resets after a lost life.
  void ResetCarryOverFlags();

  // The stage scene leaves for the world map without a clear (its pause or
  // retry menu): the map will put the figure back where it came from.
  void MarkBackToMap() { m_bBackToMap = 1; }

  // The next round: round + 1, every switch off but switch 0, the cursor at
  // the world map's start.
  void StartNextRound();

  std::int32_t m_bCarryOver = 0;
  std::int32_t m_nMapX = 0;
  std::int32_t m_nMapY = 0;
  // The world-map stage entry being played; set by the world-map screen
  // before any stage of the map starts, never stored (its file slot is 0).
  const cWorldStage* m_pMapStage = nullptr;
  std::int32_t m_nRound = 0;
  std::int32_t m_nStageCode1 = 0;  // 758
  std::int32_t m_nStageCode2 = 0;  // 758
  std::int32_t m_nStageCode3 = 0;  // 758
  std::int32_t m_nSeries = 0;
  std::int32_t m_nSeriesStage = 0;
  std::int32_t m_nLifeStart = 0;
  std::int32_t m_nLife = 0;
  std::int32_t m_nScore = 0;
  std::int32_t m_nStageValue = 0;
  std::int32_t m_nStageValueTotal = 0;
  std::int32_t m_nResult1 = 0;
  std::int32_t m_nResult2 = 0;
  std::int32_t m_nResult3 = 0;  // 182
  std::int32_t m_nResult4 = 0;  // 182
  std::int32_t m_bSeriesStart = 0;
  std::int32_t m_nStageState1 = 0;  // the music the stage asked for last
  std::int32_t m_nStageState2 = 0;  // 166: that request's loop flag
  std::int32_t m_nMapState1 = 0;    // 194
  // 190: the stage went back to the map without a clear; the map's fade-in
  // steps the figure back and clears it. Stored, so a slot auto-saved on
  // that way back continues the same way.
  std::int32_t m_bBackToMap = 0;
  std::int32_t m_nMapState3 = 0;    // 191
  std::int32_t m_nMapState4 = 0;    // 191
  std::int32_t m_nPairIndex = 0;
  std::int32_t m_nSlot = 0;      // last slot saved to, -1 none
  std::int32_t m_bAutoSave = 0;  // 169
  std::int32_t m_bShowRanking = 0;    // the ranking window of the world map and challenge screen
  std::int32_t m_nRankingGenre = 0;   // the genre that window shows
  std::int32_t m_nClearValue1 = 0;  // 678
  std::int32_t m_nClearValue2 = 0;  // 678
  std::int32_t m_nClearValue3 = 0;  // 678
  std::int32_t m_nClearValue4 = 0;  // 679
  std::string m_strStage;           // current stage name, cut after its extension dot
  std::string m_strStageKey;        // 724: the cut name with the stage-code suffix
  std::string m_strName;            // player name for the ranking

  SYSTEMTIME m_SaveTime;
  cVector<std::int32_t> m_vCarryFlag;
  cVector<cCarryChara> m_vCarryChara;
  cVector<cStageEntry> m_vStageEntry;
  cVector<cIntPair> m_vPair;
  cVector<std::int32_t> m_vSwitch;
  cVector<std::int32_t> m_vVar;

  // The stage-start snapshot, never stored.
  bool m_bSnapshotTaken = false;
  cVector<std::int32_t> m_vVarSnapshot;
  std::int32_t m_nLifeSnapshot = 0;
  std::int32_t m_nStageValueSnapshot = 0;

 private:
  void FixUpOldVersion(std::uint32_t version);
  // The file slot of the map-stage reference: read and dropped, written as 0.
  std::int32_t m_nMapStageSlot = 0;
};

// Records the stage being entered: its name cut after the extension dot (or,
// for the first stage of a series "name-1.ext", before the "-1" with a dot),
// the codes, the series flag and the key (the name with the code suffix).
void SetCurrentStage(cSaveData& data, std::string_view stageFile, std::int32_t code1, std::int32_t code2,
                     std::int32_t code3);
// Appends "_c<code2 as three digits>_<code3>" to a name (before its final
// dot, which stays last); nothing when code1 is 0.
void AppendStageCode(std::string& name, std::int32_t code1, std::int32_t code2, std::int32_t code3);

extern cSaveData g_SaveData;
extern cSaveData g_ReplaySaveData;
extern cSaveData g_ReplaySaveDataPrev;

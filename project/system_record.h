#pragma once
// The project's system record "data\System.dat": title, menus and screen
// texts, status-panel items, ranking settings, carry-over flags, lives, screen
// music, system sound files, the start-up option entries and the behaviour
// switches that keep older projects behaving as they were made.

#include <cstdint>
#include <string>

#include "foundation/checked_vector.h"
#include "foundation/record.h"
#include "project/system_elements.h"

class cSystem : public cRecord {
 public:
  cSystem();
  void RegisterFields(FieldRegistry& fields, std::uint32_t version) override;
  // Base stream, list tail, the fix-ups of older versions, padding and range checks.
  void Load(DataReader& in) override;
  void Save(DataWriter& out) override;
  void SetDefaults();
  // Term n of the project's wording; empty past the list.
  const std::string& Term(int n) const;
  // Screen music numbers outside the database's music list become 0.
  void FixBgmRange();

  std::string m_strTitle;
  cVector<std::uint8_t> m_vCarryOverEnable;
  cVector<std::uint8_t> m_vCarryOverReset;
  std::int32_t m_bScoreStep = 0;
  std::int32_t m_nScoreStep = 0;
  std::int32_t m_nSetting838 = 0;
  std::int32_t m_bPauseDraw = 0;
  std::int32_t m_nFontOpt = 0;
  std::int32_t m_nFont = 0;
  std::int32_t m_nFontOpt2 = 0;
  std::int32_t m_bReplayRecord = 0;
  std::int32_t m_nSetting113 = 0;
  std::int32_t m_nSetting855 = 0;
  cVector<cGaugeEntry> m_vGauges;
  std::int32_t m_nTitleMenuOpt = 0;
  cVector<cCmdItem> m_vTitleMenu;
  cVector<cCmdItem> m_vMapMenu;
  cVector<cCmdItem> m_vOptionMenu;
  cVector<std::string> m_vRankingEntryModes;
  std::int32_t m_nSetting821 = 0;
  std::int32_t m_nSetting0A = 0;
  std::int32_t m_nSetting191A = 0;
  // A world-map stage starts with the lives left (+1) rather than the
  // story's starting lives.
  std::int32_t m_bLifeCarryOver = 0;
  std::int32_t m_nPairCount = 0;
  std::int32_t m_bUsePairCount = 0;
  cVector<std::int32_t> m_vLifeStart;
  cVector<std::int32_t> m_vLifeUnlimited;
  cVector<cRankingSetting> m_vRankingSettings;
  std::int32_t m_nScreen167A = 0;
  std::int32_t m_nScreen167B = 0;
  std::int32_t m_bRetryVarsStory = 0;
  std::int32_t m_nPause224A = 0;
  std::int32_t m_bPause757 = 0;
  std::int32_t m_nScreen167C = 0;
  std::int32_t m_nScreen167D = 0;
  std::int32_t m_bRetryVarsChallenge = 0;
  std::int32_t m_nPause224B = 0;
  std::int32_t m_bRetryVarsFree = 0;
  std::int32_t m_bRetryVarsStageFile = 0;
  std::int32_t m_nColorMode = 0;
  std::uint8_t m_byTransRed = 0;
  std::uint8_t m_byTransGreen = 0;
  std::uint8_t m_byTransBlue = 0;
  cVector<std::string> m_vSoundFiles;
  cVector<std::int32_t> m_vScreenBgm;
  cVector<std::uint8_t> m_vScreenBgmOn;
  cVector<std::string> m_vTerms;
  cVector<cOptionEntry> m_vOptions;
  std::int32_t m_nCompat214 = 0;
  std::int32_t m_nCompat261 = 0;
  std::int32_t m_nCompat272 = 0;
  std::int32_t m_nCompat287 = 0;
  std::int32_t m_nMenuColorStep = 0;
  std::int32_t m_nCompat289 = 0;
  std::int32_t m_nCompat525 = 0;
  std::int32_t m_nCompat555 = 0;
  std::int32_t m_nCompat637 = 0;
  std::int32_t m_nCompat669 = 0;
  std::int32_t m_nCompat677 = 0;
  std::int32_t m_nCompat695 = 0;
  std::int32_t m_nCompat697 = 0;
  std::int32_t m_nCompat721 = 0;
  std::int32_t m_nCompat728 = 0;
  std::int32_t m_nCompat733 = 0;
  std::int32_t m_nCompat744 = 0;
  std::int32_t m_nCompat749 = 0;
  std::int32_t m_nCompat752 = 0;
  std::int32_t m_nCompat763A = 0;
  std::int32_t m_nCompat763B = 0;
  std::int32_t m_nCompat768 = 0;
  std::int32_t m_nCompat773 = 0;
  std::int32_t m_nCompat781 = 0;
  std::int32_t m_nCompat782 = 0;
  std::int32_t m_nCompat783 = 0;
  std::int32_t m_nCompat793 = 0;
  std::int32_t m_nCompat805 = 0;
  std::int32_t m_nCompat808 = 0;
  std::int32_t m_nCompat818A = 0;
  std::int32_t m_nCompat818B = 0;
  std::int32_t m_nCompat819 = 0;
  std::int32_t m_nCompat822 = 0;
  std::int32_t m_nCompat827 = 0;
  std::int32_t m_nCompat831 = 0;
  std::int32_t m_nCompat833 = 0;
  std::int32_t m_nCompat837 = 0;
  std::int32_t m_nCompat839 = 0;
  std::int32_t m_nCompat841 = 0;
  std::int32_t m_nCompat845A = 0;
  std::int32_t m_nCompat845B = 0;
  std::int32_t m_nCompat845C = 0;
  std::int32_t m_nCompat845D = 0;
  std::int32_t m_nCompat861 = 0;
  std::int32_t m_nCompat875 = 0;
  std::int32_t m_nCompat696 = 0;
  std::int32_t m_nD3DDepth = 0;
  std::int32_t m_nDDDepth = 0;

 private:
  void LoadTail(DataReader& in);
  void SaveTail(DataWriter& out);
  // Brings a file older than the program's data version up to date.
  void ApplyFixUpLadder(std::uint32_t version);
  // Lists that a file made shorter than their fixed length get the default
  // entries back; values that index tables are brought into range.
  void MendLoadedValues();

  // Read from files of versions 221 to 259 and dropped.
  std::int32_t m_nScratch = 0;
};

// Number of genres recorded for play mode n; 0 when its ranking is off.
int GetRankingGenreCount(const cSystem& system, int playMode);

// Whether gauge item i shows its low colour for the value and maximum.
int IsBelowThreshold(const cSystem& system, int item, int value, int maximum);

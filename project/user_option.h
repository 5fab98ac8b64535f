#pragma once
// The player's options, kept in "user_data\Option.dat" and edited on the
// options screen.

#include <cstdint>
#include <string>

#include "foundation/record.h"

class cUserOption : public cRecord {
 public:
  static constexpr std::int32_t kPaletteCount = 24;
  static constexpr std::int32_t kMaxSoundVolume = 10;
  static constexpr std::int32_t kRankingModeCount = 4;

  cUserOption();
  void RegisterFields(FieldRegistry& fields, std::uint32_t version) override;
  // The generic stream; then every number is brought into its range, since
  // each one indexes a table.
  void Load(DataReader& in) override;

  std::int32_t m_nPalette = 0;      // colour-blend table and palette, 0 to 23
  std::int32_t m_bMusic = 1;        // title music on
  std::int32_t m_nSoundVolume = 7;  // step of the attenuation table, 0 to 10
  std::int32_t m_nRankingMode = 0;  // how a result enters the ranking, 0 to 3
  std::string m_strName;            // player name for the ranking
};

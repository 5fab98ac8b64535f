#pragma once
// Animation records of the database: "Anime.dat" holds cAnime records, and
// each cAnimeSet of "AnimeSet.dat" holds the four animations of the
// character states.

#include <cstdint>
#include <string>
#include "foundation/checked_vector.h"

#include "foundation/record.h"

// One frame of an animation.
class cAnimeFrame : public cRecord {
 public:
  static constexpr int kLoggedSize = 48;
  void RegisterFields(FieldRegistry& fields, std::uint32_t version) override;

  std::int32_t nPattern = 0;  // pattern (cell) number shown
  std::int32_t nTime = 1;     // showing time in tenths of a second
  std::int32_t nFlag = 0;     // from this frame on the animation cannot be interrupted
};

class cAnime : public cRecord {
 public:
  static constexpr int kLoggedSize = 76;
  cAnime();
  void RegisterFields(FieldRegistry& fields, std::uint32_t version) override;
  void Load(DataReader& in) override;
  void Save(DataWriter& out) override;
  // Cleared, one default frame, second setting 1.
  void SetDefaults();

  std::string m_strName;
  cVector<cAnimeFrame> m_vFrames;
  std::uint16_t m_wValue1 = 0;
  std::uint8_t m_bValue2 = 0;
  std::uint16_t m_wValue3 = 0;
};

// A basic animation set: pattern offsets and the state animations standing,
// walking, flying and flying move.
class cAnimeSet : public cRecord {
 public:
  static constexpr int kLoggedSize = 80;
  static constexpr std::size_t kStateAnimes = 4;

  cAnimeSet();
  void RegisterFields(FieldRegistry& fields, std::uint32_t version) override;
  void Load(DataReader& in) override;
  void Save(DataWriter& out) override;
  void SetDefaults();

  std::string m_strName;
  std::int32_t m_nPatternOffset1 = 4;
  std::int32_t m_nPatternOffset2 = 8;
  std::int32_t m_nPatternOffset3 = 0;
  cVector<cAnime> m_vAnime;
};

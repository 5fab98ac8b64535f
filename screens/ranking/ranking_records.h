#pragma once
// The ranking of one stage in one play mode: five tables, one per result
// genre (score, time left, clear time, HP left, SP left), each of exactly 20
// rows ordered best first. A table ranks higher values first, or lower ones
// (a clear time); a new result goes after every equal one, and a result that
// ranks nowhere leaves the table as it was.
//
// File (one per stage and mode, "rkg"): the record stream of the ranking (no
// members of its own), the table count, then per table its order flag, the
// row count and the rows (used flag, score, name). Files from before the
// five genres existed (data version 180 and older) are brought up to five
// tables. Whatever a file holds, a loaded ranking has exactly the five
// tables of 20 rows the screens and the stage end index.

#include <cstdint>
#include <string>
#include <string_view>

#include "foundation/checked_vector.h"
#include "foundation/record.h"

struct DDSURFACEDATA;

inline constexpr int kRankingGenres = 5;
inline constexpr int kRankingRows = 20;
// The genre ranked lower first.
inline constexpr int kClearTimeGenre = 2;

class cRankingEntry : public cRecord {
 public:
  static constexpr int kLoggedSize = 72;

  void RegisterFields(FieldRegistry& fields, std::uint32_t version) override;

  std::int32_t m_bUsed = 0;
  std::string m_strName;
  std::int32_t m_nScore = 0;
};

class cRankingTable : public cRecord {
 public:
  static constexpr int kLoggedSize = 56;

  cRankingTable() { Reset(); }
  void RegisterFields(FieldRegistry& fields, std::uint32_t version) override;
  void Load(DataReader& in) override;
  void Save(DataWriter& out) override;

  // Cleared, with exactly 20 unused rows.
  void Reset();
  // The row a result would take: the first unused row, else the first row
  // it beats strictly; -1 when it beats none.
  int FindInsertPos(std::int32_t score) const;
  // Inserts the result at its row, keeping the table's length.
  void Insert(std::string_view name, std::int32_t score);
  // Exactly 20 rows: surplus rows dropped, missing ones appended unused.
  void FitRows();

  std::int32_t m_nOrder = 0;  // non-zero: higher first
  cVector<cRankingEntry> m_vEntries;
};

class cRanking : public cRecord {
 public:
  cRanking() { Reset(); }
  void Load(DataReader& in) override;
  void Save(DataWriter& out) override;

  // Five reset tables, ordered higher first but the clear time.
  void Reset();
  // The vector resize of the tables; new tables are copies of `fill`.
  void ResizeRankingTables(std::size_t count, const cRankingTable& fill);
  // Draws the window of table `index` with DrawRankingTable (newRow: the row
  // just inserted, -1 none); nothing for an index outside the five tables.
  void Draw(DDSURFACEDATA* surface, int x, int y, int index, int newRow = -1);

  cVector<cRankingTable> m_vTables;

 private:
  // Exactly five tables of exactly 20 rows; missing tables as Reset makes them.
  void FitTables();
};

// The ranking of the stage being played or shown.
extern cRanking g_Ranking;

// The order flag Reset gives genre n.
int DefaultRankingOrder(int genre);

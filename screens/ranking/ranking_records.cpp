#include "screens/ranking/ranking_records.h"

#include <utility>

cRanking g_Ranking;

namespace {

// Files of this version and older kept fewer genres, and stored no order
// for the last two.
constexpr std::uint32_t kLastVersionBeforeFiveGenres = 180;

}  // namespace

int DefaultRankingOrder(int genre) { return genre == kClearTimeGenre ? 0 : 1; }

void cRankingEntry::RegisterFields(FieldRegistry& fields, std::uint32_t) {
  fields.AddField4(&m_bUsed);
  fields.AddString(&m_strName);
  fields.AddField4(&m_nScore);
}

void cRankingTable::RegisterFields(FieldRegistry& fields, std::uint32_t) { fields.AddField4(&m_nOrder); }

void cRankingTable::Load(DataReader& in) {
  cRecord::Load(in);
  ReadRecordList(in, m_vEntries, cRankingEntry());
}

void cRankingTable::Save(DataWriter& out) {
  cRecord::Save(out);
  WriteRecordList(out, m_vEntries);
}

void cRankingTable::Reset() {
  Clear();
  m_vEntries.assign(kRankingRows, cRankingEntry());
}

void cRankingTable::FitRows() { m_vEntries.resize(kRankingRows); }

int cRankingTable::FindInsertPos(std::int32_t score) const {
  for (std::size_t row = 0; row < m_vEntries.size(); ++row) {
    const cRankingEntry& entry = m_vEntries[static_cast<long long>(row)];
    if (!entry.m_bUsed) return static_cast<int>(row);
    const bool beaten = m_nOrder ? entry.m_nScore < score : entry.m_nScore > score;
    if (beaten) return static_cast<int>(row);
  }
  return -1;
}

void cRankingTable::Insert(std::string_view name, std::int32_t score) {
  const int pos = FindInsertPos(score);
  cRankingEntry entry;
  entry.m_bUsed = 1;
  entry.m_strName = name;
  entry.m_nScore = score;
  if (pos >= 0 && static_cast<std::size_t>(pos) < m_vEntries.size())
    m_vEntries.insert(m_vEntries.begin() + pos, std::move(entry));
  else
    m_vEntries.push_back(std::move(entry));
  m_vEntries.pop_back();
}

void cRanking::Load(DataReader& in) {
  cRecord::Load(in);
  cRankingTable prototype;
  prototype.m_vEntries.clear();  // each table's rows come from the file
  ReadRecordList(in, m_vTables, prototype);
  if (!in.ok()) return;
  if (in.Version() <= kLastVersionBeforeFiveGenres) {
    ResizeRankingTables(kRankingGenres, cRankingTable());
    m_vTables[3].m_nOrder = 1;
    m_vTables[4].m_nOrder = 1;
  }
  FitTables();
}

void cRanking::Save(DataWriter& out) {
  cRecord::Save(out);
  WriteRecordList(out, m_vTables);
}

void cRanking::Reset() {
  Clear();
  m_vTables.clear();
  FitTables();
}

void cRanking::ResizeRankingTables(std::size_t count, const cRankingTable& fill) { m_vTables.resize(count, fill); }

void cRanking::FitTables() {
  const std::size_t present = m_vTables.size();
  ResizeRankingTables(kRankingGenres, cRankingTable());
  for (int genre = 0; genre < kRankingGenres; ++genre) {
    cRankingTable& table = m_vTables[genre];
    if (static_cast<std::size_t>(genre) >= present) table.m_nOrder = DefaultRankingOrder(genre);
    table.FitRows();
  }
}

#include "screens/ranking/ranking_genre.h"

#include "project/global_data.h"
#include "project/system_record.h"
#include "screens/ranking/ranking_records.h"

namespace {

bool IsRanked(const cRankingSetting& setting, int genre) {
  return genre < static_cast<int>(setting.m_vGenre.size()) && setting.m_vGenre[genre] != 0;
}

int Wrapped(int genre) { return ((genre % kRankingGenres) + kRankingGenres) % kRankingGenres; }

// The next ranked genre from `genre` in direction `way` (+1 or -1), the
// starting genre itself included when `includeStart`.
int NextRanked(const cRankingSetting& setting, int genre, int way, bool includeStart) {
  for (int i = includeStart ? 0 : 1; i <= kRankingGenres; ++i) {
    const int candidate = Wrapped(genre + way * i);
    if (IsRanked(setting, candidate)) return candidate;
  }
  return genre;
}

}  // namespace

int StepGenre(int genre, int playMode, int step) {
  if (GetRankingGenreCount(*g_System, playMode) == 0) return genre;
  const cRankingSetting& setting = g_System->m_vRankingSettings[playMode];
  int ranked = 0;
  for (int candidate = 0; candidate < kRankingGenres; ++candidate) ranked += IsRanked(setting, candidate) ? 1 : 0;
  if (ranked == 0) return genre;
  genre = Wrapped(genre);
  if (step == 0) return NextRanked(setting, genre, 1, true);
  // Whole rounds end where they started (on a ranked genre), so at most
  // one round is walked.
  const long long size = step > 0 ? static_cast<long long>(step) : -static_cast<long long>(step);
  const long long moves = size % ranked == 0 ? ranked : size % ranked;
  for (long long i = 0; i < moves; ++i) genre = NextRanked(setting, genre, step > 0 ? 1 : -1, false);
  return genre;
}

void StepRankingGenre(cSaveData& data, int playMode, int step) {
  data.m_nRankingGenre = StepGenre(data.m_nRankingGenre, playMode, step);
}

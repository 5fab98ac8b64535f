#include "screens/ranking/ranking_files.h"

#include <utility>

#include "definitions/save_data/save_data.h"
#include "foundation/paths.h"
#include "project/data_paths.h"

namespace {

constexpr int kStoryMode = 0;

std::optional<std::string_view> RankingFolder(int playMode) {
  switch (playMode) {
    case 0: return g_Paths[PATH_RANKING_STORY];
    case 1: return g_Paths[PATH_RANKING_CHALLENGE];
    case 2: return g_Paths[PATH_RANKING_FREE];
    default: return std::nullopt;
  }
}

}  // namespace

std::optional<std::string> RankingFilePath(int playMode, std::string_view stageName, std::int32_t code1,
                                           std::int32_t code2, std::int32_t code3) {
  const std::optional<std::string_view> folder = RankingFolder(playMode);
  if (!folder) return std::nullopt;
  std::string name(stageName);
  if (playMode == kStoryMode) AppendStageCode(name, code1, code2, code3);
  StripDirectory(name);
  return std::string(*folder) + name + std::string(g_Extensions[EXT_RANKING]);
}

int LoadRanking(cRanking& ranking, int playMode, std::string_view stageName, std::int32_t code1,
                std::int32_t code2, std::int32_t code3) {
  const std::optional<std::string> path = RankingFilePath(playMode, stageName, code1, code2, code3);
  cRanking loaded;
  if (!path || !LoadFile(loaded, *path)) {
    ranking.Reset();
    return 0;
  }
  ranking = std::move(loaded);
  return 1;
}

bool SaveRanking(cRanking& ranking, int playMode, std::string_view stageName, std::int32_t code1,
                 std::int32_t code2, std::int32_t code3) {
  const std::optional<std::string> path = RankingFilePath(playMode, stageName, code1, code2, code3);
  return path && SaveFile(ranking, *path) == 1;
}

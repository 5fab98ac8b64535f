#include "screens/common/ranking_keys.h"

#include "definitions/save_data/save_data.h"
#include "project/global_data.h"
#include "project/system_record.h"
#include "screens/ranking/ranking_genre.h"
#include "shell/game/game.h"
#include "sound/waves/sound_requests.h"

namespace {

constexpr std::uint16_t kToggleButton = 4;
constexpr std::uint16_t kGenreButton = 8;
constexpr int kRankingSound = 6;

}  // namespace

bool RankingSettingOn(int setting) {
  const auto& settings = g_System->m_vRankingSettings;
  return setting >= 0 && setting < static_cast<int>(settings.size()) && settings[setting].m_bOn != 0;
}

bool HandleRankingKeys(const cInput& input, int setting) {
  bool changed = false;
  if (input.m_wButton & kToggleButton) {
    if (RankingSettingOn(setting)) {
      RequestSound(kRankingSound);
      g_SaveData.m_bShowRanking = !g_SaveData.m_bShowRanking;
    } else {
      g_SaveData.m_bShowRanking = 0;
    }
    changed = true;
  }
  if ((input.m_wButton & kGenreButton) && RankingSettingOn(setting) &&
      GetRankingGenreCount(*g_System, g_Game.m_nPlayMode) > 1) {
    RequestSound(kRankingSound);
    StepRankingGenre(g_SaveData, g_Game.m_nPlayMode, 1);
    changed = true;
  }
  return changed;
}

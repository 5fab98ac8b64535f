#include "screens/stage_end/stage_tally.h"

#include <algorithm>
#include <limits>

#include "definitions/command_kinds.h"
#include "definitions/command_record.h"
#include "definitions/save_data/save_data.h"
#include "definitions/stage/stage_record.h"
#include "project/global_data.h"
#include "project/system_record.h"
#include "screens/ranking/ranking_files.h"
#include "screens/stage_end/next_stage.h"
#include "shell/app_state.h"
#include "shell/game/game.h"
#include "stage/chara/hero.h"
#include "stage/chara/stage_lists.h"
#include "stage/core/stage_sinks.h"
#include "stage/scene/stage_scene.h"
#include "stage/show/show_message.h"

namespace {

constexpr int kSoundStageEnd = 14;
constexpr int kSoundExtraLife = 15;
constexpr std::int32_t kMostLives = 99;
// The message parameters the extra-life message sets.
constexpr int kMessagePosition = 0;
constexpr int kMessageDisplay = 6;
constexpr int kMessageTime = 7;
constexpr int kMessageWait = 8;
constexpr int kAboveTheHero = 4;
constexpr int kShownForATime = 2;
constexpr int kExtraLifeTenths = 10;

void AddSaturating(std::int32_t& total, std::int64_t value) {
  const std::int64_t sum = static_cast<std::int64_t>(total) + value;
  total = static_cast<std::int32_t>(std::clamp<std::int64_t>(sum, std::numeric_limits<std::int32_t>::min(),
                                                             std::numeric_limits<std::int32_t>::max()));
}

// "1UP" above the hero for a second, the game waiting meanwhile.
const cEdCmd& ExtraLifeMessage() {
  static const cEdCmd message = [] {
    cEdCmd command;
    command.m_nKind = kCmdMessage;
    command.m_vParams.assign(static_cast<std::size_t>(CmdParamCount(kFamilyChara, kCmdMessage)), 0);
    command.m_vParams[kMessagePosition] = kAboveTheHero;
    command.m_vParams[kMessageDisplay] = kShownForATime;
    command.m_vParams[kMessageTime] = kExtraLifeTenths;
    command.m_vParams[kMessageWait] = 1;
    command.m_strCode = "1UP";
    return command;
  }();
  return message;
}

void AwardExtraLives(const cStageScene& scene, std::int32_t before) {
  cSaveData& data = g_SaveData;
  if (data.m_nLife == cSaveData::kUnlimited || !g_System->m_bScoreStep || g_System->m_nScoreStep == 0) return;
  const std::int64_t steps =
      std::min(ExtraLifeSteps(before, data.m_nStageValue, g_System->m_nScoreStep), kMostExtraLifeSteps);
  for (std::int64_t i = 0; i < steps; ++i) {
    if (scene.m_bQuit.load()) return;
    data.m_nLife = std::min(data.m_nLife + 1, std::max(data.m_nLife, kMostLives));
    RequestStageSound(kSoundExtraLife);
    if (cHero* hero = PlayerHero()) ShowMessage(*hero, ExtraLifeMessage(), 0);
  }
}

// The genres the play mode ranks and the stage checks.
bool GenreChecked(int genre) {
  const int mode = g_Game.m_nPlayMode;
  if (mode < 0 || mode >= static_cast<int>(g_System->m_vRankingSettings.size())) return false;
  const cRankingSetting& setting = g_System->m_vRankingSettings[mode];
  const auto& stageGenres = g_PlayStage.RankingSwitches;
  return genre < static_cast<int>(setting.m_vGenre.size()) && setting.m_vGenre[genre] != 0 &&
         genre < static_cast<int>(stageGenres.size()) && stageGenres[genre] != 0;
}

}  // namespace

std::int64_t ExtraLifeSteps(std::int32_t before, std::int32_t after, std::int32_t step) {
  if (step == 0) return 0;
  const std::int64_t steps = static_cast<std::int64_t>(after) / step - static_cast<std::int64_t>(before) / step;
  return std::max<std::int64_t>(steps, 0);
}

void TallyStageResult(cStageScene& scene) {
  cSaveData& data = g_SaveData;
  const std::int32_t before = data.m_nStageValue;
  AddSaturating(data.m_nStageValue, data.m_nScore);
  if (!scene.m_bTimeStopped) AddSaturating(data.m_nResult1, scene.m_nTimeLeft);
  AddSaturating(data.m_nResult2, scene.m_nPlayTime);
  if (const cHero* hero = PlayerHero()) {
    AddSaturating(data.m_nResult3, hero->hp);
    AddSaturating(data.m_nResult4, hero->sp);
  }
  AwardExtraLives(scene, before);
}

void CheckStageRanking(cStageScene& scene) {
  scene.m_bResultShown = 0;
  scene.m_nRankPlaces.fill(-1);
  if (!g_bDirectStage && !(g_Game.m_bRanking && IsLastStage(scene, scene.m_nNextStage))) return;
  const cSaveData& data = g_SaveData;
  scene.m_nResults = {data.m_nStageValue, data.m_nResult1, data.m_nResult2, data.m_nResult3, data.m_nResult4};
  if (g_bFromEditor) return;
  LoadRanking(g_Ranking, g_Game.m_nPlayMode, data.m_strStage, data.m_nStageCode1, data.m_nStageCode2,
              data.m_nStageCode3);
  for (int genre = 0; genre < kRankingGenres; ++genre) {
    if (!GenreChecked(genre)) continue;
    const auto index = static_cast<std::size_t>(genre);
    scene.m_nRankPlaces[index] = g_Ranking.m_vTables[genre].FindInsertPos(scene.m_nResults[index]);
    if (scene.m_nRankPlaces[index] != -1) scene.m_bResultShown = 1;
  }
}

void PrepareStageEndScreens(cStageScene& scene) {
  RequestStageSound(kSoundStageEnd);
  TallyStageResult(scene);
  CheckStageRanking(scene);
}

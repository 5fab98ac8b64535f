#include "screens/progress/play_progress.h"

#include "definitions/save_data/save_data.h"
#include "definitions/stage/stage_loader.h"
#include "foundation/paths.h"
#include "project/global_data.h"
#include "project/system_record.h"
#include "project/world_map.h"
#include "shell/app_state.h"
#include "shell/game/game.h"
#include "shell/worker_threads.h"

namespace {

int ModeEntry(const cVector<std::int32_t>& list, int playMode) {
  return playMode < static_cast<int>(list.size()) ? list[playMode] : 0;
}

}  // namespace

void SetStartingLives(int playMode, bool unlimited) {
  if (!unlimited && ModeEntry(g_System->m_vLifeUnlimited, playMode) == 0) {
    g_SaveData.m_nLifeStart = ModeEntry(g_System->m_vLifeStart, playMode);
    g_SaveData.m_nLife = g_SaveData.m_nLifeStart - 1;
    return;
  }
  g_SaveData.m_nLifeStart = cSaveData::kUnlimited;
  g_SaveData.m_nLife = cSaveData::kUnlimited;
}

int LoadNumberedStage(const std::string& stage) { return LoadStageThreaded(thLoadStage, stage, 1, nullptr, nullptr); }

void ResetStoryProgress() {
  g_SaveData.Reset();
  g_SaveData.m_nMapX = g_WorldMap->m_nStartX;
  g_SaveData.m_nMapY = g_WorldMap->m_nStartY;
  g_SaveData.m_nRound = 0;
  SetStartingLives(PM_STORY, false);
}

int PlayStageFile(const std::string& path) {
  std::string stage = path;
  g_SaveData.Reset();
  if (!LoadStageThreaded(thLoadStage, stage, 0, nullptr, nullptr)) return 0;
  g_SaveData.m_nSeries = 1;       // a clear of this stage records 1
  g_SaveData.m_nSeriesStage = 1;  // a stage is being played
  SetStartingLives(PM_FREE, g_bDirectStage != 0);
  MakeRelativePath(stage);
  SetCurrentStage(g_SaveData, stage, 0, 0, 0);
  return 1;
}

// Lives and the reset before the first attempt of a stage.
#include "definitions/save_data/save_data.h"
#include "input/replay.h"
#include "shell/app_state.h"
#include "shell/game/game.h"
#include "stage/objects/stage_space.h"
#include "stage/scene/stage_scene.h"

namespace {
constexpr std::int32_t kUnlimitedLives = 999999;
}

int cStageScene::UseLife(cSaveData& data) {
  if (g_bDirectStage) return 1;
  if (data.m_nLife == kUnlimitedLives) return 1;
  if (data.m_nLife < 1) return 0;
  --data.m_nLife;
  return 1;
}

void cStageScene::ResetPlayState() {
  const bool replay = g_Game.m_nTitleCmd == kTitleCmdReplay;
  g_SaveData.m_nLife = g_SaveData.m_nLifeStart;
  g_SaveData.m_nScore = 0;
  g_SaveData.m_nResult1 = g_SaveData.m_nResult2 = g_SaveData.m_nResult3 = g_SaveData.m_nResult4 = 0;
  g_SaveData.m_nStageValue = 0;
  // A start place asked by a clear belongs to the stage that clear leads
  // on to; a stage entered from another screen starts on its own cell.
  g_SaveData.m_nClearValue1 = 0;
  g_StageSpace.scrollX.position = g_StageSpace.scrollY.position = 0;
  m_nPhaseCounter = 0;
  m_nBanner1 = m_nBanner2 = m_nEndBanner = 0;
  m_bResultShown = 0;
  m_nFrameCount = 0;
  if (!replay) {
    g_Replay.Empty();
    g_ReplayPrev.Empty();
  }
  if (g_bDirectStage) g_SaveData.m_nSeriesStage = 1;
}

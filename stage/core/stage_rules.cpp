#include "stage/core/stage_rules.h"

#include "project/global_data.h"

StageRules g_StageRules;

void LoadStageRules() {
  StageRules rules;
  if (!g_System.IsStarted()) {
    g_StageRules = rules;
    return;
  }
  rules.pauseMenu = g_System->m_nSetting838 != 0;
  rules.hideStageOnPause = g_System->m_bPauseDraw != 0;
  rules.replayRecording = g_System->m_bReplayRecord != 0;
  rules.keepDestroyed = g_System->m_nCompat272 != 0;
  rules.fixedBoxColour = g_System->m_nCompat289 != 0;
  g_StageRules = rules;
}

#include "stage/core/stage_rules.h"

#include "project/global_data.h"

StageRules g_StageRules;

namespace {

std::int32_t On(std::int32_t field) { return field != 0 ? 1 : 0; }

}  // namespace

void LoadStageRules() {
  StageRules rules;
  if (!g_System.IsStarted()) {
    g_StageRules = rules;
    return;
  }
  const cSystem& system = *g_System;
  rules.pauseMenu = On(system.m_nSetting838);
  rules.hideStageOnPause = On(system.m_bPauseDraw);
  rules.replayRecording = On(system.m_bReplayRecord);
  rules.keepDestroyed = On(system.m_nCompat272);
  rules.fixedBoxColour = On(system.m_nCompat289);
  rules.retryMenu = On(system.m_nSetting191A);
  rules.storyRetry = On(system.m_nPause224A);
  rules.challengeRetry = On(system.m_nPause224B);
  rules.storyMap = On(system.m_bPause757);
  rules.triggerSwitch1 = On(system.m_nCompat744);
  rules.triggerSwitch2 = On(system.m_nCompat525);
  rules.triggerSwitch3 = On(system.m_nCompat861);
  rules.distanceKeepsStaleOther = On(system.m_nCompat782);
  rules.oldTimeModeSign = On(system.m_nCompat695);
  rules.oldTurnInEveryMode = On(system.m_nCompat773);
  rules.oldFixedAxis = On(system.m_nCompat783);
  rules.warpVerticalByMover = On(system.m_nCompat721);
  rules.floatingWithoutFall = On(system.m_nCompat818A);
  rules.noResizeGrace = On(system.m_nCompat831);
  rules.unlimitedLivesAsZero = On(system.m_nCompat819);
  rules.keepKeyLatch = On(system.m_nCompat875);
  rules.colourKeyOpening = On(system.m_nColorMode);
  g_StageRules = rules;
}

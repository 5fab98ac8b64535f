#include "stage/scene/stage_end_slot.h"

#include "stage/scene/stage_hooks.h"

StageEndSlot g_StageEnd;

void ResetStageMenuCursor(int position) {
  if (g_StageEnd.resetMenuCursor != nullptr) g_StageEnd.resetMenuCursor(position);
}

int MoveStageMenuCursor(const cInput& input, const cVector<cCmdItem>& menu, int current) {
  return g_StageEnd.moveMenuCursor != nullptr ? g_StageEnd.moveMenuCursor(input, menu) : current;
}

void DrawStageEndOverlay(cStageScene& scene) {
  if (g_StageEnd.drawStageEnd != nullptr) g_StageEnd.drawStageEnd(scene);
}

void PrepareStageEnd(cStageScene& scene) {
  if (g_StageEnd.prepareStageEnd != nullptr) g_StageEnd.prepareStageEnd(scene);
}

void StartRankingRegistration(cStageScene& scene) {
  if (g_StageEnd.startRankingRegistration != nullptr) g_StageEnd.startRankingRegistration(scene);
}

int FinishStage(cStageScene& scene) {
  return g_StageEnd.finishStage != nullptr ? g_StageEnd.finishStage(scene) : 0;
}

void DrawPauseMenu(cStageScene& scene) {
  if (g_StageEnd.drawMenu != nullptr) g_StageEnd.drawMenu(scene);
}

int StoryStageFlag() { return g_StageEnd.storyStageFlag != nullptr ? g_StageEnd.storyStageFlag() : 1; }

int ChallengeRetryFlag(int entry) {
  return g_StageEnd.challengeRetryFlag != nullptr ? g_StageEnd.challengeRetryFlag(entry) : 1;
}

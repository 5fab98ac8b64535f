#include "screens/stage_end/register_stage_end.h"

#include "screens/stage_end/finish_stage.h"
#include "screens/stage_end/ranking_registration.h"
#include "screens/stage_end/stage_menus.h"
#include "screens/stage_end/stage_tally.h"
#include "stage/scene/stage_end_slot.h"

void RegisterStageEnd() {
  g_StageEnd.prepareStageEnd = PrepareStageEndScreens;
  g_StageEnd.startRankingRegistration = RegisterNewRecords;
  g_StageEnd.finishStage = FinishStageScreens;
  g_StageEnd.resetMenuCursor = ResetStageMenu;
  g_StageEnd.moveMenuCursor = MoveStageMenu;
  g_StageEnd.drawMenu = DrawStageMenu;
  g_StageEnd.drawStageEnd = DrawStageEnd;
  g_StageEnd.storyStageFlag = StoryStageCleared;
  g_StageEnd.challengeRetryFlag = ChallengeStageCleared;
}

#include "commands/stage/stage_clear.h"

#include <algorithm>

#include "definitions/command_record.h"
#include "definitions/save_data/save_data.h"
#include "foundation/message_box.h"
#include "project/global_data.h"
#include "project/world_map.h"
#include "stage/chara/chara.h"
#include "stage/chara/flow_state.h"
#include "stage/chara/hero.h"
#include "stage/chara/stage_lists.h"
#include "stage/scene/stage_scene.h"

namespace {

enum Param : int {
  kDestination = 0,
  kStageNumber = 1,
  kMoveOnMap = 2,
  kMapX = 3,
  kMapY = 4,
  kPlaceHero = 5,
  kHeroX = 6,
  kHeroY = 7,
  kHeroFacing = 8,
};
constexpr int kFacingAsAtClear = 2;

enum Destination : int { kNextStage = 0, kStageByNumber = 1, kStageByPath = 2, kWorldCleared = 3 };

void ChooseNextStage(cStageScene& scene, const cEdCmd& command) {
  switch (command.ParamOrZero(kDestination)) {
    case kNextStage:
      scene.m_nNextStage = g_SaveData.m_nSeriesStage + 1;
      break;
    case kStageByNumber:
      scene.m_nNextStage = command.ParamOrZero(kStageNumber);
      break;
    case kStageByPath:
      if (command.m_strCode.empty()) {
        // The message names the file, which is empty here.
        ErrorBoxF("%s", Cp932Literal("ステージファイル  が不正です。\nステージファイルとして認識できません。"));
        break;
      }
      scene.m_nNextStage = g_SaveData.m_nSeriesStage + 1;
      scene.m_strNextStageFile = command.m_strCode;
      scene.m_bOwnNextStage = 1;
      break;
    case kWorldCleared:
      scene.m_nNextStage = 0;
      break;
    default:
      break;
  }
}

}  // namespace

int StageClear(cChara& chara, const cEdCmd& command) {
  if (cStageScene* scene = StageScene()) {
    ChooseNextStage(*scene, command);
    scene->m_nStageResult = 1;
    scene->m_nPendingOutcome = 1;
  }
  if (command.ParamOrZero(kMoveOnMap) != 0) {
    g_SaveData.m_nMapX = std::clamp(command.ParamOrZero(kMapX), 0, std::max(g_WorldMap->m_nWidth - 1, 0));
    g_SaveData.m_nMapY = std::clamp(command.ParamOrZero(kMapY), 0, std::max(g_WorldMap->m_nHeight - 1, 0));
  }
  g_SaveData.m_nClearValue1 = command.ParamOrZero(kPlaceHero) != 0 ? 1 : 0;
  if (g_SaveData.m_nClearValue1) {
    g_SaveData.m_nClearValue2 = command.ParamOrZero(kHeroX);
    g_SaveData.m_nClearValue3 = command.ParamOrZero(kHeroY);
    const int facing = command.ParamOrZero(kHeroFacing);
    const cHero* hero = PlayerHero();
    g_SaveData.m_nClearValue4 = facing == kFacingAsAtClear ? (hero != nullptr ? hero->facing : chara.facing) : facing;
  }
  return 1;
}

void CmdStageClear(cChara& chara, cCmdState& entry) { StageClear(chara, *entry.cmd); }

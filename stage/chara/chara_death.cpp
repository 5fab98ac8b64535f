// The death of a character: its death flows run, the score is paid, the
// hero takes the item it drops, and unless that ended the stage, its links
// are released and it is marked dead; its death then plays out.
#include <algorithm>

#include "definitions/save_data/save_data.h"
#include "stage/chara/chara.h"
#include "stage/chara/hero.h"
#include "stage/chara/stage_lists.h"
#include "stage/items/stage_item.h"
#include "stage/scene/stage_hooks.h"
#include "stage/scene/stage_scene.h"

int cChara::KillChara() {
  RunTriggeredFlowsOfKind(kTriggerDied);
  RunFlows(1);
  const std::int64_t score = std::int64_t{g_SaveData.m_nScore} + def.m_nScore;
  g_SaveData.m_nScore = static_cast<std::int32_t>(std::clamp<std::int64_t>(score, 0, 999999));
  int taken = 0;
  if (cStageItem* item = GetDropItem()) {
    if (cHero* hero = PlayerHero()) taken = TakeItem(*hero, *item);
  }
  const cStageScene* scene = StageScene();
  if ((scene != nullptr && scene->m_nStageResult == 1) || taken == 1) return 1;
  ReleaseCharaLinks();
  dead = 1;
  StartDeathEffect(*this);
  return 0;
}

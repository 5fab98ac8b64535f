// Deaths found by the frame step: a character destroyed by its flows or by
// a deadly contact, and the HP check after each group of objects.
#include "stage/chara/hero.h"
#include "stage/chara/stage_chara.h"
#include "stage/chara/stage_lists.h"
#include "stage/core/stage_rules.h"
#include "stage/core/stage_sinks.h"
#include "stage/scene/stage_hooks.h"
#include "stage/scene/stage_scene.h"

int cStageScene::KillObject(cChara& chara) {
  if (chara.op == kOperatorPlayer) return 2;
  if (chara.dead) return 0;
  return chara.KillChara();
}

int cStageScene::KillAndCheckEnd(cChara& chara) {
  const int result = KillObject(chara);
  if (result == 1) {
    PrepareStageEnd(*this);
    m_nPhase = kPhaseStageEnd;
  } else if (result == 2) {
    HeroDied();
  }
  return result;
}

int cStageScene::CheckDeaths() {
  cHero* hero = PlayerHero();
  if (hero != nullptr && hero->hp < 1) {
    HeroDied();
    return 1;
  }
  int result = 0;
  g_CharaList.All([&](cStageChara& chara) {
    if (chara.hp >= 1) return true;
    const int outcome = KillAndCheckEnd(chara);
    if (g_StageRules.keepDestroyed) {
      if (outcome == 1) {
        RemoveChara(chara);
        result = 1;
        return false;
      }
      RequestStageSound(9);
    } else {
      RemoveChara(chara);
    }
    if (outcome != 0) {
      result = 1;
      return false;
    }
    return true;
  });
  return result;
}

#include "commands/world/removal.h"

#include "stage/chara/stage_chara.h"
#include "stage/scene/current_actor.h"
#include "stage/scene/stage_scene.h"

void RemoveByCommand(cChara& target, const cChara& executing) {
  cStageScene* scene = StageScene();
  if (target.IsHero()) {
    target.hp = 0;
  } else if (scene != nullptr) {
    scene->RemoveChara(static_cast<cStageChara&>(target));
  }
  if (&target == &executing) {
    // The rest of this step's flow does not run for a character that is gone.
    if (g_CurrentActor.flow != nullptr && !target.IsHero()) g_CurrentActor.flow->stopThisStep = 1;
  } else if (scene != nullptr) {
    scene->m_bHpCheck = 1;
  }
}

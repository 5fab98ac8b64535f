#include "stage/contacts/object_contacts.h"

#include "definitions/stage/stage_record.h"
#include "stage/scene/stage_hooks.h"
#include "stage/shots/shot_list.h"

bool TakesPart(const cChara& chara) {
  return (!g_PlayStage.OnScreenOnly || chara.onScreen) && chara.present && !chara.dead && !chara.removed;
}

int CheckObjectContacts(cStageScene& scene) {
  g_ShotRemovalLocked = 1;
  int outcome = HitCharasWithShots(scene);
  if (outcome == 0) {
    RemoveMarkedShots();
    outcome = RunBodyAttacks(scene);
  }
  if (outcome == 0) CancelShots();
  g_ShotRemovalLocked = 0;
  return outcome;
}

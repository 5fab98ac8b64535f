// The hero taking items: the contact pass over the item list and the
// taking itself, which the pass, a defeated character's drop item and an
// item block share. An item that disappears when taken is removed through
// the list's removal, so the walk that took it goes on safely; an item that
// stays is taken again only after the hero has left it.
#include "definitions/flow_record.h"
#include "sound/waves/sound_requests.h"
#include "stage/chara/flow_runtime_slot.h"
#include "stage/chara/hero.h"
#include "stage/chara/stage_lists.h"
#include "stage/core/stage_sinks.h"
#include "stage/items/stage_item.h"
#include "stage/scene/stage_hooks.h"
#include "stage/scene/stage_scene.h"

namespace {

bool Overlaps(const CharaBox& box, const cStageItem& item) {
  return box.left <= item.right && box.right >= item.x && box.top <= item.bottom && box.bottom >= item.y;
}

}  // namespace

int TakeItem(cChara& chara, cStageItem& item) {
  if (!item.Takeable() || !item.present) return 0;
  if (item.def.m_bPictureMessage && chara.IsHero())
    static_cast<cHero&>(chara).ShowItemMessage(item.def.m_nGraphicKind, item.def.m_nGraphicNo, item.def.m_nGraphicWord);
  if (item.def.m_nSoundNo != 0) RequestStageSound(kSystemSoundCount + item.def.m_nSoundNo);
  if (g_FlowRuntime.runItemCmds == nullptr) return 0;
  return g_FlowRuntime.runItemCmds(chara, item.def.m_vCmds);
}

int TouchItems(cStageScene& scene) {
  cHero* hero = PlayerHero();
  if (hero == nullptr) return 0;
  int result = 0;
  g_ItemList.All([&](cStageItem& item) {
    const int kind = item.def.m_nTaking;
    if (!item.present || !item.Takeable()) return true;
    if (!Overlaps(hero->itemBox, item)) {
      if (kind == kTakeAgain) hero->ForgetTouch(item.number);
      return true;
    }
    hero->RunTriggeredFlowsOfKind(kTriggerHitItem);
    if (kind == kTakeAgain) {
      if (!hero->IsNotTouching(item.number)) return true;
      hero->touchedItems.push_back(item.number);
    }
    result = TakeItem(*hero, item);
    if (kind == kTakeOnce) scene.RemoveItem(item);
    return result == 0;
  });
  return result;
}

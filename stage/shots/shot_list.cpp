#include "stage/shots/shot_list.h"

#include <algorithm>

#include "foundation/log.h"
#include "stage/chara/chara.h"

cObjectList<cStageShot> g_ShotList;
ShotSideLists g_ShotSides;
int g_ShotRemovalLocked = 0;

namespace {

// Raised by every mark, lowered only once the marked shots are removed.
bool g_ShotsMarked = false;

bool FollowsTarget(const cStageShot& shot) {
  return shot.shotFlag != 0 &&
         (shot.rec.m_nMoveKind == kShotAimTarget || shot.rec.m_nMoveKind == kShotHomeTarget);
}

}  // namespace

cStageShot* AddShot(std::unique_ptr<cStageShot> shot) {
  if (shot->side < 0 || shot->side >= kShotSides) {
    Report("err V[%d] ( %d , 12 )", shot->side, kShotSides);
    return nullptr;
  }
  cStageShot& added = g_ShotList.Append(std::move(shot));
  g_ShotSides[static_cast<std::size_t>(added.side)].push_back(&added);
  if (!FollowsTarget(added)) added.target = nullptr;
  if (added.owner != nullptr) added.owner->shotRefs.push_back({&added, kShotRoleOwner});
  if (added.target != nullptr) added.target->shotRefs.push_back({&added, kShotRoleTarget});
  return &added;
}

void RemoveShot(cStageShot& shot) {
  if (shot.removed) return;
  shot.Unlink();
  g_ShotList.Remove(shot);
}

void RemoveShotWhenAllowed(cStageShot& shot) {
  if (!g_ShotRemovalLocked) {
    RemoveShot(shot);
    return;
  }
  shot.removeMark = 1;
  g_ShotsMarked = true;
}

void RemoveMarkedShots() {
  if (!g_ShotsMarked) return;
  g_ShotList.ForEach([](cStageShot& shot) {
    if (shot.removeMark) RemoveShot(shot);
  });
  g_ShotsMarked = false;
}

void PurgeShots() {
  // A removed shot is always pending in the list, so with none pending the
  // side lists hold no removed shot and need no walk.
  if (!g_ShotList.PurgePending()) return;
  for (auto& side : g_ShotSides) std::erase_if(side, [](const cStageShot* shot) { return shot->removed != 0; });
  g_ShotList.Purge();
}

void ClearShots() {
  for (auto& side : g_ShotSides) side.clear();
  g_ShotList.Clear();
}

void UpdateShotActivity() {
  const ScreenOrigin view = ScreenOrigin::Now();
  g_ShotList.ForEach([&view](cStageShot& shot) {
    shot.present = 1;
    shot.UpdateScreenPos(view);
    shot.onScreen = shot.IsOnScreen();
  });
}

// The shots' part of a sub-step: each shot in firing order moves (its own
// step, gravity, y, x); in the first sub-step of a frame a shot in its
// removal area goes (area 4 for side 0, area 5 for the others, when that
// area has a side switched on), and a shot that meets a block goes.
#include "definitions/stage/stage_record.h"
#include "stage/objects/removal_area.h"
#include "stage/scene/stage_hooks.h"
#include "stage/shots/shot_list.h"

namespace {

constexpr int kShotAreaSide0 = 3;
constexpr int kShotAreaOthers = 4;

bool LeftByArea(const cStageShot& shot) {
  const int area = shot.side == 0 ? kShotAreaSide0 : kShotAreaOthers;
  return g_PlayStage.RemovalAreas[static_cast<std::size_t>(area)].IsOn() && InRemovalArea(shot, area);
}

}  // namespace

void StepShots(cStageScene&, int subStep) {
  g_ShotList.ForEach([&](cStageShot& shot) {
    if (shot.MoveShot() != 0) {
      RemoveShot(shot);
      return;
    }
    shot.ApplyShotGravity();
    shot.ShotStepY();
    shot.ShotStepX();
    if (subStep == 1 && LeftByArea(shot)) RemoveShot(shot);
    else if (shot.ShotHitsBlock() != 0) RemoveShot(shot);
  });
}

void UpdateShotActivity() {
  g_ShotList.ForEach([](cStageShot& shot) {
    shot.present = 1;
    shot.UpdateScreenPos();
    shot.onScreen = shot.IsOnScreen();
  });
}

#include "stage/objects/removal_area.h"

#include "definitions/stage/stage_record.h"
#include "stage/objects/stage_obj.h"
#include "stage/objects/stage_space.h"

bool InRemovalArea(const cStageObj& obj, int area) {
  // An object seen on the screen (when its activity was last worked out) is
  // never removed.
  if (obj.onScreen) return false;
  const StageSpace& space = g_StageSpace;
  const StageBox edges{0, 0, static_cast<double>(space.x.size), static_cast<double>(space.y.size)};
  return IsInRemovalArea(g_PlayStage.RemovalAreas[static_cast<std::size_t>(area)],
                         {obj.x, obj.y, obj.right, obj.bottom}, space.scrollX.position, space.scrollY.position,
                         edges);
}

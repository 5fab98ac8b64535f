#include "commands/firing/aim.h"

#include <cmath>

#include "definitions/shot_record.h"
#include "stage/chara/chara.h"
#include "stage/core/data_index.h"
#include "stage/core/double_to_int.h"
#include "stage/core/stage_rules.h"
#include "stage/motion/chara_search.h"
#include "stage/motion/motion_math.h"
#include "stage/objects/stage_space.h"

namespace {

bool ScrollsByItself(const ScrollAxis& axis) { return axis.speed != 0 && !axis.atLimit; }

const cChara* AimTarget(const Firing& firing) {
  if (!DataIndexOk(firing.rec.m_nAimSlot, kTargetSlots, 4)) return nullptr;
  return firing.owner.targets[firing.rec.m_nAimSlot];
}

double AutoScrollSpeed(const ScrollAxis& axis) { return ScrollsByItself(axis) ? axis.speed : 0; }

// The aim taken on the screen: the trial shot rides no scroll and is not
// fixed to the screen, so its course is the plain line to the target, with
// the scroll's own speed added when the project switches synchronisation off.
int AimOnScreen(const Firing& firing, ShotPlacement& placement, const cChara& target, double x, double y) {
  const cEdShot& rec = firing.rec;
  const double aimSpeed = (rec.m_nSpeed + placement.cloneIndex * rec.m_nSpeedStep) * 0.1 / g_StageSpace.levelF;
  double toX = 0, toY = 0;
  GetCenter(target, toX, toY);
  PlaneAim aim = VelocityToward(x - ScrollDotsX(), y - ScrollDotsY(), toX, toY, aimSpeed, 1, 0);
  if (g_StageRules.noScrollSync) {
    aim.vx += AutoScrollSpeed(g_StageSpace.scrollX);
    aim.vy += AutoScrollSpeed(g_StageSpace.scrollY);
  }
  placement.speed = std::sqrt(aim.vx * aim.vx + aim.vy * aim.vy) * g_StageSpace.levelF;
  return TruncToInt(std::atan2(aim.vy, aim.vx) * kDegreesPerRadian + 180);
}

}  // namespace

int AimAngle(const Firing& firing, ShotPlacement& placement, double x, double y) {
  const cChara* target = AimTarget(firing);
  if (target == nullptr) return firing.owner.facing ? 180 : 0;
  const bool scrolling = ScrollsByItself(g_StageSpace.scrollX) || ScrollsByItself(g_StageSpace.scrollY);
  if (scrolling && !firing.rec.m_bScroll && target->scrollSync) return AimOnScreen(firing, placement, *target, x, y);
  double toX = 0, toY = 0;
  GetCenter(*target, toX, toY);
  toX += ScrollDotsX();
  toY += ScrollDotsY();
  return TruncToInt(std::atan2(toY - y, toX - x) * kDegreesPerRadian + 180 + 0.5);
}

DotPoint OwnerCentre(const Firing& firing) {
  const DrawnCell cell = DrawnCellOf(firing.owner);
  return {ScrollDotsX() + cell.CentreX(), ScrollDotsY() + cell.CentreY()};
}

DotPoint TurnedStart(const Firing& firing, const ShotPlacement& placement, double degrees) {
  const DrawnCell cell = DrawnCellOf(firing.owner);
  const int w = placement.width;
  const int h = placement.height;
  const double k = DiagonalShare();
  const double reachX = (cell.right - cell.left - cell.width / 2 + 1 + w / 2) * k;
  const double reachY = (cell.bottom - cell.top - cell.height / 2 + 1 + h / 2) * k;
  const double t = (degrees + 225) * kRadiansPerDegree;
  const DotPoint centre = OwnerCentre(firing);
  return {TruncToInt(centre.x + std::cos(t) * reachX + std::sin(t) * reachY - w / 2),
          TruncToInt(centre.y + std::sin(t) * reachX - std::cos(t) * reachY - h / 2)};
}

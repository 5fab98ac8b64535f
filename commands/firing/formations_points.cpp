// "拡散", "爆発" and "包囲": objects that share a start point and leave at
// different angles, or a ring that closes in on a character.
#include <cmath>

#include "commands/dispatch/directions.h"
#include "commands/firing/formations.h"
#include "definitions/shot_record.h"
#include "foundation/log.h"
#include "stage/chara/chara.h"
#include "stage/core/double_to_int.h"

namespace {

// The point beside the owner where a fan starts, launch offsets not added.
DotPoint FanPoint(const Firing& firing, const ShotPlacement& p) {
  if (IsDiagonalCode(p.direction)) return DiagonalMiddle(firing, p);
  const DrawnCell cell = DrawnCellOf(firing.owner);
  const int besideY = cell.top + cell.height / 2 - p.height / 2;
  const int besideX = cell.left + cell.width / 2 - p.width / 2;
  DotPoint point;
  switch (p.direction) {
    case kDirLeft: point = {cell.left + 1 - p.width, besideY}; break;
    case kDirRight: point = {cell.right + 1, besideY}; break;
    case kDirUp: point = {besideX, cell.top - p.height}; break;
    default: point = {besideX, cell.bottom + 1}; break;
  }
  return {ScrollDotsX() + point.x, ScrollDotsY() + point.y};
}

int AimedOrBase(const Firing& firing, ShotPlacement& p, double fromX, double fromY) {
  if (firing.rec.m_bAim) return AimAngle(firing, p, fromX, fromY) + p.angle;
  return BaseAngle(p.direction) + p.angle;
}

// A count below 1 would divide the ring by zero: nothing is placed.
bool RingCountOk(int n) {
  if (n >= 1) return true;
  Report("ring formation with count %d places nothing", n);
  return false;
}

}  // namespace

void FormSpread(const Firing& firing, ShotPlacement& p) {
  const int n = firing.rec.m_nCount;
  DotPoint point = FanPoint(firing, p);
  if (IsTurned(firing.rec, p) && firing.rec.m_bTurnRow) {
    const DotPoint centre = OwnerCentre(firing);
    point = TurnedStart(firing, p, AimedOrBase(firing, p, centre.x + p.shiftX, centre.y + p.shiftY));
  }
  p.startX = point.x + p.shiftX;
  p.startY = point.y + p.shiftY;
  const int centreAngle = AimedOrBase(firing, p, p.startX + p.width / 2, p.startY + p.height / 2);
  const double spread = firing.rec.m_anFormationParam[0];
  const double first = centreAngle - (n % 2 == 0 ? n / 2.0 - 0.5 : n / 2) * spread;
  for (int k = 0; k < n; ++k) {
    SetVelocityByAngle(p, first + k * spread);
    firing.place(firing, p);
  }
}

void FormBurst(const Firing& firing, ShotPlacement& p) {
  const int n = firing.rec.m_nCount;
  if (!RingCountOk(n)) return;
  const DrawnCell cell = DrawnCellOf(firing.owner);
  p.startX = ScrollDotsX() + cell.CentreX() - p.width / 2 + p.shiftX;
  p.startY = ScrollDotsY() + cell.CentreY() - p.height / 2 + p.shiftY;
  const int step = 360 / n;
  int angle = BaseAngle(p.direction) + p.angle;
  for (int k = 0; k < n; ++k, angle += step) {
    SetVelocityByAngle(p, angle);
    firing.place(firing, p);
  }
}

void FormSurround(const Firing& firing, ShotPlacement& p) {
  const int n = firing.rec.m_nCount;
  if (!RingCountOk(n)) return;
  const cChara* centreChara = ChosenObject(firing);
  if (centreChara == nullptr) return;
  const DrawnCell cell = DrawnCellOf(*centreChara);
  const double cx = ScrollDotsX() + cell.CentreX();
  const double cy = ScrollDotsY() + cell.CentreY();
  const double radius = SpacingDots(firing, 0);
  const int start = BaseAngle(p.direction) + p.angle;
  for (int k = 0; k < n; ++k) {
    const int angle = start + k * 360 / n;
    const double radians = angle * kRadiansPerDegree;
    p.startX = TruncToInt(cx + std::cos(radians) * radius + 0.5);
    p.startY = TruncToInt(cy + std::sin(radians) * radius + 0.5);
    SetVelocityByAngle(p, angle);
    firing.place(firing, p);
  }
}

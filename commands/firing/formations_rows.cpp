// "直進A" and "直進B": rows of objects beside the owner. A row of "直進A"
// stands across its direction, centred on the owner (on a diagonal, across
// the diagonal, always laid rightwards); a column of "直進B" stands on the
// owner's bottom edge. Fired at an angle or aimed, only their velocity turns,
// unless the record turns an "直進A" row as a whole.
#include <cmath>

#include "commands/dispatch/directions.h"
#include "commands/firing/formations.h"
#include "definitions/shot_record.h"
#include "stage/chara/chara.h"
#include "stage/core/double_to_int.h"

namespace {

// The diagonal "直進A" row at angle 0: start (the first object) and step.
void LayDiagonalRow(const Firing& firing, ShotPlacement& p, int n, int s) {
  const DotPoint middle = DiagonalMiddle(firing, p);
  const double k = DiagonalShare();
  const int code = p.direction;
  const int w = p.width, h = p.height;
  // The row runs rightwards across the diagonal: up for 8 and 11, down for 9 and 10.
  const bool rising = code == kDirUpLeft || code == kDirDownRight;
  p.stepX = TruncToInt((w + s) * k);
  p.stepY = TruncToInt((rising ? -(h + s) : h + s) * k);
  p.startX = TruncToInt(middle.x - (n - 1) * (w / 2 + s / 2) * k);
  const double back = (n - 1) * (h / 2 + s / 2) * k;
  p.startY = TruncToInt(rising ? middle.y + back : middle.y - back);
}

// The "直進A" row at angle 0, launch offsets not yet added.
void LayStraightRow(const Firing& firing, ShotPlacement& p, int n, int s) {
  if (IsDiagonalCode(p.direction)) {
    LayDiagonalRow(firing, p, n, s);
    return;
  }
  const DrawnCell cell = DrawnCellOf(firing.owner);
  const int w = p.width, h = p.height;
  const int acrossY = cell.top + cell.height / 2 - (n - 1) * s / 2 - (h / 2) * n;
  const int acrossX = cell.left + cell.width / 2 - (n - 1) * s / 2 - (w / 2) * n;
  int x = 0, y = 0;
  p.stepX = p.stepY = 0;
  switch (p.direction) {
    case kDirLeft: x = cell.left + 1 - w, y = acrossY, p.stepY = h + s; break;
    case kDirRight: x = cell.right + 1, y = acrossY, p.stepY = h + s; break;
    case kDirUp: x = acrossX, y = cell.top - h, p.stepX = w + s; break;
    default: x = acrossX, y = cell.bottom + 1, p.stepX = w + s; break;
  }
  p.startX = ScrollDotsX() + x;
  p.startY = ScrollDotsY() + y;
}

int TurnAngle(const Firing& firing, ShotPlacement& p, double fromX, double fromY) {
  if (firing.rec.m_bAim) return AimAngle(firing, p, fromX, fromY) + p.angle;
  return BaseAngle(p.direction) + p.angle;
}

// The velocity of a row whose start points stay: the base angle turned by
// the angle, or the aim from the first object's centre.
void TurnVelocity(const Firing& firing, ShotPlacement& p) {
  SetVelocityByAngle(p, TurnAngle(firing, p, p.startX + p.width / 2, p.startY + p.height / 2));
}

// The whole row laid across the turned direction, centred on the point
// just outside the owner toward it.
void LayTurnedRow(const Firing& firing, ShotPlacement& p, int n, int s) {
  const DotPoint centre = OwnerCentre(firing);
  const int a0 = TurnAngle(firing, p, centre.x + p.shiftX, centre.y + p.shiftY);
  const DotPoint middle = TurnedStart(firing, p, a0);
  const int w = p.width, h = p.height;
  int a = a0;
  if (firing.rec.m_bAim)
    a = AimAngle(firing, p, middle.x + w / 2 + p.shiftX, middle.y + h / 2 + p.shiftY) + p.angle;
  const double c = std::cos(a * kRadiansPerDegree);
  const double sn = std::sin(a * kRadiansPerDegree);
  const int m = n - 1;
  const double halfX = w / 2 + s / 2;
  const double halfY = h / 2 + s / 2;
  const double sign = (sn >= 0) == (c >= 0) ? 1 : -1;
  p.startX = TruncToInt(middle.x - sign * m * halfX * sn) + p.shiftX;
  p.stepX = TruncToInt(sign * (w + s) * sn);
  p.startY = TruncToInt(middle.y + sign * m * halfY * c) + p.shiftY;
  p.stepY = TruncToInt(-sign * (h + s) * c);
  SetVelocityByAngle(p, a);
}

}  // namespace

void FormStraightA(const Firing& firing, ShotPlacement& p) {
  const int n = firing.rec.m_nCount;
  const int s = SpacingDots(firing, 0);
  if (IsTurned(firing.rec, p) && firing.rec.m_bTurnRow) {
    LayTurnedRow(firing, p, n, s);
  } else {
    LayStraightRow(firing, p, n, s);
    p.startX += p.shiftX;
    p.startY += p.shiftY;
    if (IsTurned(firing.rec, p)) TurnVelocity(firing, p);
    else SetVelocityAlong(p, p.direction);
  }
  PlaceRow(firing, p, n);
}

void FormStraightB(const Firing& firing, ShotPlacement& p) {
  const int n = firing.rec.m_nCount;
  const int s = SpacingDots(firing, 0);
  const DrawnCell cell = DrawnCellOf(firing.owner);
  const int beforeX = cell.left + 1 - p.width;
  const int afterX = cell.right + 1;
  int x = firing.owner.facing ? afterX : beforeX;
  if (SignX(p.direction) != 0) x = SignX(p.direction) < 0 ? beforeX : afterX;
  p.startX = ScrollDotsX() + x + p.shiftX;
  p.startY = ScrollDotsY() + cell.bottom + 1 - p.height + p.shiftY;
  p.stepX = 0;
  p.stepY = -(p.height + s);
  if (IsTurned(firing.rec, p)) TurnVelocity(firing, p);
  else SetVelocityAlong(p, p.direction);
  PlaceRow(firing, p, n);
}

// "落雷": ranks of objects that come in from the screen edge the motion
// starts at, each rank laid across the motion and centred on the line
// through a chosen character (on a diagonal, the diagonal through its
// centre), the ranks following each other along the motion.
#include "commands/dispatch/directions.h"
#include "commands/firing/formations.h"
#include "definitions/shot_record.h"
#include "foundation/log.h"
#include "stage/chara/chara.h"
#include "stage/core/double_to_int.h"
#include "stage/core/stage_rules.h"
#include "stage/objects/stage_space.h"

namespace {

constexpr int kScreenWidth = 640;
constexpr int kScreenHeight = 480;
// More objects than this in one firing would only exhaust memory.
constexpr long long kMostObjects = 65535;

struct Ranks {
  DotPoint first;       // the first object of the first rank
  DotPoint rankStep;    // to the next rank
  DotPoint acrossStep;  // to the next object of a rank
};

int TruncScrolledX(double x) { return TruncToInt(x + g_StageSpace.scrollX.position); }
int TruncScrolledY(double y) { return TruncToInt(y + g_StageSpace.scrollY.position); }

// How far the first object of a rank of m sits back from the centre line.
int BackShift(int m, int r) { return (m - 1) / 2 * r + (m % 2 == 0 ? r / 2 : 0); }

Ranks StraightRanks(const ShotPlacement& p, const DrawnCell& cell, int m, int s, int r) {
  const int gap = g_StageRules.thunderTightRanks ? 0 : s;
  const int back = BackShift(m, r);
  Ranks ranks;
  if (SignX(p.direction) != 0) {
    const bool leftward = SignX(p.direction) < 0;
    ranks.first = {ScrollDotsX() + (leftward ? kScreenWidth - p.width : 0),
                   ScrollDotsY() + cell.CentreY() - p.height / 2 - back};
    ranks.rankStep = {SignX(p.direction) * (p.width + gap), 0};
    ranks.acrossStep = {0, r};
  } else {
    const bool upward = SignY(p.direction) < 0;
    ranks.first = {ScrollDotsX() + cell.CentreX() - p.width / 2 - back,
                   ScrollDotsY() + (upward ? kScreenHeight - p.height : 0)};
    ranks.rankStep = {0, SignY(p.direction) * (p.height + gap)};
    ranks.acrossStep = {r, 0};
  }
  return ranks;
}

// Where the diagonal through (cx, cy) meets the nearer screen edge that the
// motion comes from, as the top-left corner of an object there.
DotPoint DiagonalEntry(int code, int cx, int cy, int w, int h) {
  switch (code) {
    case kDirUpLeft: {
      const int dx = kScreenWidth - cx, dy = kScreenHeight - cy;
      return dx >= dy ? DotPoint{cx + dy - w, kScreenHeight - h} : DotPoint{kScreenWidth - w, cy + dx - h};
    }
    case kDirDownLeft: {
      const int dx = kScreenWidth - cx, dy = cy;
      return dx >= dy ? DotPoint{cx + dy - w, 0} : DotPoint{kScreenWidth - w, cy - dx};
    }
    case kDirUpRight: {
      const int dx = cx, dy = kScreenHeight - cy;
      return dx >= dy ? DotPoint{cx - dy, kScreenHeight - h} : DotPoint{0, cy + dx - h};
    }
    default: {
      const int dx = cx, dy = cy;
      return dx >= dy ? DotPoint{cx - dy, 0} : DotPoint{0, cy - dx};
    }
  }
}

Ranks DiagonalRanks(const ShotPlacement& p, const DrawnCell& cell, int m, int s, int r) {
  const double k = DiagonalShare();
  const int code = p.direction;
  const DotPoint entry = DiagonalEntry(code, cell.CentreX(), cell.CentreY(), p.width, p.height);
  const int gap = g_StageRules.thunderTightRanks ? 0 : s;
  Ranks ranks;
  ranks.rankStep = {SignX(code) * TruncToInt((p.width + gap) * k), SignY(code) * TruncToInt((p.height + gap) * k)};
  const bool rising = code == kDirUpLeft || code == kDirDownRight;
  const int across = TruncToInt(r * k);
  ranks.acrossStep = {across, rising ? TruncToInt(-r * k) : across};
  const int back = TruncToInt(BackShift(m, r) * k);
  ranks.first = {TruncScrolledX(entry.x) - back, TruncScrolledY(entry.y) + (rising ? back : -back)};
  return ranks;
}

}  // namespace

void FormThunder(const Firing& firing, ShotPlacement& p) {
  const int n = firing.rec.m_nCount;
  const int m = firing.rec.m_anFormationParam[1] < 1 ? 1 : firing.rec.m_anFormationParam[1];
  if (static_cast<long long>(n) * m > kMostObjects) {
    Report("formation of %d ranks of %d objects too large", n, m);
    return;
  }
  const cChara* chosen = ChosenObject(firing);
  if (chosen == nullptr) return;
  const DrawnCell cell = DrawnCellOf(*chosen);
  const int s = SpacingDots(firing, 0);
  const int r = SpacingDots(firing, 2);
  const Ranks ranks = IsDiagonalCode(p.direction) ? DiagonalRanks(p, cell, m, s, r) : StraightRanks(p, cell, m, s, r);
  if (p.angle != 0) SetVelocityByAngle(p, BaseAngle(p.direction) + p.angle);
  else SetVelocityAlong(p, p.direction);
  p.stepX = ranks.acrossStep.x;
  p.stepY = ranks.acrossStep.y;
  DotPoint rank{ranks.first.x + p.shiftX, ranks.first.y + p.shiftY};
  for (int i = 0; i < n; ++i) {
    p.startX = rank.x;
    p.startY = rank.y;
    PlaceRow(firing, p, m);
    rank.x += ranks.rankStep.x;
    rank.y += ranks.rankStep.y;
  }
}

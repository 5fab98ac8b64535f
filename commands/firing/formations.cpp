#include "commands/firing/formations.h"

#include <array>

#include "commands/dispatch/directions.h"
#include "definitions/shot_record.h"
#include "foundation/log.h"
#include "stage/chara/chara.h"
#include "stage/chara/hero.h"
#include "stage/chara/stage_lists.h"
#include "stage/core/data_index.h"
#include "stage/core/double_to_int.h"

namespace {

using Formation = void (*)(const Firing&, ShotPlacement&);

constexpr std::array<Formation, 6> kFormations = {FormStraightA, FormStraightB, FormSpread,
                                                  FormThunder,   FormBurst,     FormSurround};

enum FormationBase : int { kAroundTarget = 0, kAroundHero = 1, kAroundOwner = 2 };

}  // namespace

void RunFormation(const Firing& firing, ShotPlacement& placement) {
  if (!IsKnownCode(placement.direction)) {
    Report("shot direction %d unknown", placement.direction);
    return;
  }
  if (!DataIndexOk(firing.rec.m_nFormation, kFormations.size(), 4)) return;
  kFormations[firing.rec.m_nFormation](firing, placement);
}

DotPoint DiagonalMiddle(const Firing& firing, const ShotPlacement& placement) {
  const DrawnCell cell = DrawnCellOf(firing.owner);
  const int code = placement.direction;
  const int halfW = cell.width / 2, halfH = cell.height / 2;
  const int w2 = placement.width / 2, h2 = placement.height / 2;
  const double k = DiagonalShare();
  const int cx = ScrollDotsX() + cell.left + halfW;
  const int cy = ScrollDotsY() + cell.top + halfH;
  const bool leftward = code == kDirUpLeft || code == kDirDownLeft;
  const bool upward = code == kDirUpLeft || code == kDirUpRight;
  const double reachX = leftward ? 1 - halfW - w2 : cell.right - cell.left - halfW + w2 + 1;
  const double reachY = upward ? -(halfH + h2) : cell.bottom - cell.top - halfH + h2 + 1;
  return {TruncToInt(cx + reachX * k - w2), TruncToInt(cy + reachY * k - h2)};
}

const cChara* ChosenObject(const Firing& firing) {
  switch (firing.rec.m_nFormationBase) {
    case kAroundTarget:
      if (!DataIndexOk(firing.rec.m_nAimSlot, kTargetSlots, 4)) return nullptr;
      return firing.owner.targets[firing.rec.m_nAimSlot];
    case kAroundHero: return PlayerHero();
    case kAroundOwner: return &firing.owner;
    default:
      Report("formation base %d unknown", firing.rec.m_nFormationBase);
      return nullptr;
  }
}

void PlaceRow(const Firing& firing, ShotPlacement& placement, int count) {
  for (int i = 0; i < count; ++i) {
    firing.place(firing, placement);
    placement.startX += placement.stepX;
    placement.startY += placement.stepY;
  }
}

int SpacingDots(const Firing& firing, int n) { return firing.rec.m_anFormationParam[n] * 16; }

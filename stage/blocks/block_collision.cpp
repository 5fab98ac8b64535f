#include "stage/blocks/block_collision.h"

#include <algorithm>
#include <cstdlib>

#include "stage/blocks/block_map.h"
#include "stage/chara/hero.h"
#include "stage/core/double_to_int.h"
#include "stage/core/stage_rules.h"
#include "stage/objects/stage_obj.h"
#include "stage/objects/stage_space.h"
#include "stage/scene/stage_hooks.h"

namespace {

// The sample of the highest kind; among equal kinds the one nearest the
// middle (distance), the first on a tie.
struct BestSample {
  int kind = -1;
  int distance = 0;
  std::int64_t cell = 0;

  void Consider(std::int64_t index, int side, int fromMiddle) {
    const int sampleKind = KindOfCell(index, side);
    if (sampleKind > kind || (sampleKind == kind && fromMiddle < distance)) {
      kind = sampleKind;
      cell = index;
      distance = fromMiddle;
    }
  }
};

int StageWidth() { return g_StageSpace.x.size; }
int StageHeight() { return g_StageSpace.y.size; }

int Samples(const cStageObj& obj) { return std::max(obj.sizeFactor, 1) + 1; }

void ContactLeft(cStageObj& obj) {
  obj.pressedLeft = 1;
  obj.x += 32 - (TruncToInt(obj.x) & 31);
  obj.knockX = 0;
  obj.ClampX();
  obj.lastBlockSide = 0;
  obj.RunTriggeredFlowsOfKind(9);
  obj.RunTriggeredFlowsOfKind(10);
  obj.RunTriggeredFlowsOfKind(11);
}

void ContactRight(cStageObj& obj) {
  obj.pressedRight = 1;
  obj.x -= (TruncToInt(obj.right) & 31) + 1;
  obj.knockX = 0;
  obj.ClampX();
  obj.lastBlockSide = 1;
  obj.RunTriggeredFlowsOfKind(9);
  obj.RunTriggeredFlowsOfKind(10);
  obj.RunTriggeredFlowsOfKind(12);
}

// The side tests share their verdict on a kind: 2 deadly, 1 contact, 0 none.
int Verdict(const cStageObj& obj, int kind) {
  if (kind == 1) return obj.DiesOnBlocks() ? kDeadlyContact : 1;
  if (kind == 2) return obj.op != 1 || obj.DiesOnBlocks() ? kDeadlyContact : 1;
  return 0;
}

int SideTest(cStageObj& obj, int edgeX, void (*contact)(cStageObj&)) {
  if (obj.PassesBlocks()) return 0;
  const std::int64_t cell = FindBlockAlongEdge(obj, edgeX, TruncToInt(obj.y), edgeX, TruncToInt(obj.bottom));
  const int verdict = Verdict(obj, KindOfCell(cell, obj.side));
  if (verdict == 1) contact(obj);
  return verdict == kDeadlyContact ? kDeadlyContact : 0;
}

std::int64_t BottomEdgeCell(const cStageObj& obj) {
  const int edgeY = TruncToInt(obj.bottom);
  return FindBlockAlongEdge(obj, TruncToInt(obj.x), edgeY, TruncToInt(obj.right), edgeY);
}

// No landing while rising, unless floors stop objects from below.
bool RisingThrough(const cStageObj& obj) {
  return !g_StageRules.floorFromBelow && obj.moveA == 0 && obj.vy < 0;
}

std::int64_t FeetCell(const cStageObj& obj, std::int64_t sampled) {
  return obj.IsHero() ? FindFootCell(obj) : sampled;
}

int FirstThenSecond(cStageObj& obj, int (*first)(cStageObj&), int (*second)(cStageObj&)) {
  if (first(obj) == kDeadlyContact) return kDeadlyContact;
  return second(obj);
}

}  // namespace

int KindOfCell(std::int64_t index, int side) {
  if (index < 0) return 0;
  return IsBlockSolidFor(g_BlockMap.Cell(static_cast<std::size_t>(index)), side);
}

std::int64_t FindBlockAlongEdge(const cStageObj& obj, int x1, int y1, int x2, int y2) {
  const int maxX = StageWidth() - 1;
  const int maxY = StageHeight() - 1;
  x1 = std::clamp(x1, 0, std::max(maxX, 0));
  x2 = std::clamp(x2, 0, std::max(maxX, 0));
  y1 = std::clamp(y1, 0, std::max(maxY, 0));
  y2 = std::clamp(y2, 0, std::max(maxY, 0));
  const int n = Samples(obj);
  BestSample best;
  if (x1 == x2) {
    int y = y1;
    for (int i = 0; i < n; ++i) {
      best.Consider(static_cast<std::int64_t>(g_BlockMap.IndexAt(x1, y)), obj.side, 0);
      y = std::min(y + obj.baseHitHeight - 1, maxY);
    }
    return best.cell;
  }
  if (y1 == y2) {
    const int mid = (x1 + x2) >> 1;
    int x = x1;
    for (int i = 0; i < n; ++i) {
      best.Consider(static_cast<std::int64_t>(g_BlockMap.IndexAt(x, y1)), obj.side, std::abs(x - mid));
      x = std::min(x + obj.baseHitWidth - 1, maxX);
    }
    return best.cell;
  }
  return 0;
}

std::int64_t FindFootCell(const cStageObj& obj) {
  const int k = std::max(obj.sizeFactor, 1);
  const int n = k % 2 == 0 ? k + 1 : k + 2;
  const int left = TruncToInt(obj.x);
  const int right = TruncToInt(obj.right);
  const int y = std::clamp(TruncToInt(obj.bottom), 0, std::max(StageHeight() - 1, 0));
  const int step = obj.hitWidth / (n - 1);
  const int mid = (left + right) >> 1;
  const int maxX = std::max(StageWidth() - 1, 0);
  BestSample best;
  for (int i = 0; i < n; ++i) {
    const int x = std::clamp(i == n - 1 ? right : left + step * i, 0, maxX);
    best.Consider(static_cast<std::int64_t>(g_BlockMap.IndexAt(x, y)), obj.side, std::abs(x - mid));
  }
  return best.cell;
}

int HitBlockLeft(cStageObj& obj) { return SideTest(obj, TruncToInt(obj.x), ContactLeft); }
int HitBlockRight(cStageObj& obj) { return SideTest(obj, TruncToInt(obj.right), ContactRight); }

int HitBlockTop(cStageObj& obj) {
  if (obj.PassesBlocks()) return 0;
  const int edgeY = TruncToInt(obj.y);
  const std::int64_t cell = FindBlockAlongEdge(obj, TruncToInt(obj.x), edgeY, TruncToInt(obj.right), edgeY);
  const int verdict = Verdict(obj, KindOfCell(cell, obj.side));
  if (verdict == 1) obj.HitBlockAbove();
  return verdict == kDeadlyContact ? kDeadlyContact : 0;
}

int HitBlockBottom(cStageObj& obj) {
  if (obj.PassesBlocks()) return 0;
  const std::int64_t cell = BottomEdgeCell(obj);
  obj.standingCell = cell;
  const int kind = KindOfCell(cell, obj.side);
  if (kind == 0) {
    obj.standingCell = -1;
    obj.airFrames += 1;
    if (obj.airFrames == 8 * g_StageSpace.level) {
      if (obj.op == 0) {
        if (!obj.carried) {
          obj.falling = 1;
          MarkPlayerHeroFalling();
        }
      } else {
        obj.falling = 1;
      }
    }
    return 0;
  }
  if (kind == 1) {
    if (obj.DiesOnBlocks()) return kDeadlyContact;
    if (RisingThrough(obj)) return 0;
    obj.standingCell = FeetCell(obj, obj.standingCell);
    obj.landedCell = obj.standingCell;
    obj.LandOnBlock();
    return 0;
  }
  obj.landedCell = obj.standingCell;
  if (obj.op != 1 || obj.DiesOnBlocks()) return kDeadlyContact;
  if (RisingThrough(obj)) return 0;
  obj.LandOnBlock();
  return 0;
}

int HitBlockBottomBoth(cStageObj& obj) {
  if (obj.PassesBlocks()) return 0;
  const std::int64_t cell = BottomEdgeCell(obj);
  const int kind = KindOfCell(cell, obj.side);
  if (kind == 1) {
    if (obj.DiesOnBlocks()) return kDeadlyContact;
    if (RisingThrough(obj)) return 0;
    obj.standingCell = obj.landedCell = FeetCell(obj, cell);
    obj.LandOnBlock();
  } else if (kind == 2) {
    obj.standingCell = obj.landedCell = FeetCell(obj, cell);
    if (obj.op != 1 || obj.DiesOnBlocks()) return kDeadlyContact;
    if (RisingThrough(obj)) return 0;
    obj.LandOnBlock();
  }
  return HitBlockTop(obj);
}

int HitBlocksX(cStageObj& obj) {
  if (obj.PassesBlocks()) return 0;
  if (obj.HitsBothSides()) return HitBlocksBothX(obj);
  return obj.vx > 0 ? FirstThenSecond(obj, HitBlockRight, HitBlockLeft)
                    : FirstThenSecond(obj, HitBlockLeft, HitBlockRight);
}

int HitBlocksBothX(cStageObj& obj) {
  if (obj.PassesBlocks()) return 0;
  const int rightResult = HitBlockRight(obj);
  if (rightResult == kDeadlyContact) return kDeadlyContact;
  return HitBlockLeft(obj) == kDeadlyContact ? kDeadlyContact : 0;
}

int HitBlocksY(cStageObj& obj) {
  if (obj.PassesBlocks()) return 0;
  obj.standingCell = -1;
  if (obj.HitsBothSides()) {
    if (HitBlockBottom(obj) == kDeadlyContact) return kDeadlyContact;
    return HitBlockTop(obj) == kDeadlyContact ? kDeadlyContact : 0;
  }
  return obj.vy > 0 ? FirstThenSecond(obj, HitBlockBottom, HitBlockTop)
                    : FirstThenSecond(obj, HitBlockTop, HitBlockBottom);
}

int HitBlocksBothY(cStageObj& obj) {
  if (obj.PassesBlocks()) return 0;
  return HitBlockBottomBoth(obj);
}

void KeepInScreenX(cStageObj& obj) {
  const ScrollAxis& axis = g_StageSpace.scrollX;
  if (!axis.running && obj.moveA == 0) return;
  obj.UpdateScreenPos();
  const int left = obj.screenLeft + obj.graphicOffsetX;
  if (left < 0) {
    obj.pressedLeft = 1;
    obj.x = axis.position;
    obj.ClampX();
  } else if (left + obj.hitWidth - 1 + 1 >= 640) {
    obj.pressedRight = 1;
    obj.x = axis.position + 640 - obj.hitWidth - 1;
    obj.ClampX();
  }
}

int KeepInScreenY(cStageObj& obj) {
  const ScrollAxis& axis = g_StageSpace.scrollY;
  if (!axis.running && obj.moveA == 0) return 0;
  obj.UpdateScreenPos();
  const int top = obj.screenTop + obj.graphicOffsetY;
  if (top < 0) {
    obj.pressedTop = 1;
    obj.y = axis.position;
    obj.ClampY();
    return 0;
  }
  if (top + obj.hitHeight - 1 + 1 >= 480) {
    obj.pressedBottom = 1;
    obj.y = axis.position + 480 - obj.hitHeight - 1;
    obj.ClampY();
    return obj.moveA == 0 ? kDeadlyContact : 0;
  }
  return 0;
}

std::int64_t FindBlockAtCorners(int left, int top, int right, int bottom, int side) {
  const std::int64_t corners[4] = {
      static_cast<std::int64_t>(g_BlockMap.IndexOfCell(left, top)),
      static_cast<std::int64_t>(g_BlockMap.IndexOfCell(right, top)),
      static_cast<std::int64_t>(g_BlockMap.IndexOfCell(left, bottom)),
      static_cast<std::int64_t>(g_BlockMap.IndexOfCell(right, bottom)),
  };
  int bestKind = -1;
  std::int64_t best = corners[0];
  for (std::int64_t cell : corners) {
    const int kind = KindOfCell(cell, side);
    if (kind > bestKind) {
      bestKind = kind;
      best = cell;
    }
  }
  return best;
}

int IsPlaceBlocked(cStageObj& obj) {
  if (obj.PassesBlocks()) return 0;
  const std::int64_t cell = FindBlockAtCorners(obj.leftColumn, obj.topRow, obj.rightColumn, obj.bottomRow, obj.side);
  if (KindOfCell(cell, obj.side) != 0) return 1;
  return OverlapsBlockChara(obj) ? 1 : 0;
}

void SnapToGround(cStageObj& obj) {
  if (g_StageRules.groundSnap) {
    if (obj.vy >= 0) obj.vy += 1.0;
    return;
  }
  const double level = g_StageSpace.levelF;
  if (obj.vy < 0 || obj.vy > 1 / level || obj.carried || obj.falling) return;
  const int y = TruncToInt(obj.bottom) + 4;
  const std::int64_t cell =
      FindBlockAlongEdge(obj, TruncToInt(obj.x + obj.vx), y, TruncToInt(obj.right + obj.vx), y);
  if (KindOfCell(cell, obj.side) != 0) obj.vy = 7 / level;
}

// The entry of the block-character pass, the flying branch with its
// resolution of the other axis, the burial test and the map test at the
// corners. The walking branch is in block_chara_walk.cpp.
#include "stage/contacts/block_chara_collision.h"

#include "definitions/flow_record.h"
#include "stage/blocks/block_collision.h"
#include "stage/chara/chara.h"
#include "stage/chara/stage_chara.h"
#include "stage/contacts/push_candidates.h"
#include "stage/core/double_to_int.h"
#include "stage/scene/stage_hooks.h"

namespace {

bool PassesBlocksFlying(const cStageObj& obj) { return obj.moveA != 0 && obj.moveB == 0; }

// Contacts along the flying object's sides (`sides`) or its top and bottom.
void CollectFlying(cChara& obj, const cStageChara& c, PushCandidates& p) {
  const double w = OverlapExtent(obj.x, obj.right, c.x, c.right);
  const double h = OverlapExtent(obj.y, obj.bottom, c.y, c.bottom);
  if (w <= h) {
    if (OverlapsRect(c, obj.x, obj.y + 1, obj.x, obj.bottom - 1)) {
      obj.pressedLeft = 1;
      p.left.Offer(c.right + 1, true, c.vx, c.number);
    }
    if (OverlapsRect(c, obj.right, obj.y + 1, obj.right, obj.bottom - 1)) {
      obj.pressedRight = 1;
      p.right.Offer(c.x - obj.hitWidth, false, c.vx, c.number);
    }
    return;
  }
  if (OverlapsRect(c, obj.x + 1, obj.y, obj.right - 1, obj.y)) {
    obj.pressedTop = 1;
    p.top.Offer(c.bottom + 1, true, c.vy, c.number);
  }
  if (OverlapsRect(c, obj.x + 1, obj.bottom, obj.right - 1, obj.bottom)) {
    obj.pressedBottom = 1;
    p.bottom.Offer(c.y - obj.hitHeight, false, c.vy, c.number);
  }
}

constexpr bool kHorizontal = true, kVertical = false;
constexpr bool kLowSide = true, kHighSide = false;  // left or top / right or bottom

// The push a flying object takes from one side (`horizontal`: left or right;
// `lowSide`: left or top). A neighbour that moves away from the object while
// the object does not follow it does not push: the side is no longer pressed
// and the other axis is settled instead.
void PushFlying(cChara& obj, const PushCandidate& push, bool horizontal, bool lowSide, std::int32_t& pressed) {
  if (!push.set) return;
  (horizontal ? obj.cmdSpeedX : obj.cmdSpeedY) = 0;
  const double v = horizontal ? obj.vx : obj.vy;
  const bool movesAway = lowSide ? push.v < 0 && v >= 0 : push.v > 0 && v <= 0;
  if (movesAway) {
    pressed = 0;
    ResolveBlockCharaAxis(obj, horizontal ? 1 : 0);
  } else if (horizontal) {
    obj.x = push.pos;
    obj.landingMark = 1;
    obj.ClampX();
  } else {
    obj.y = push.pos;
    obj.ClampY();
  }
}

int HitBlockCharasFlying(cChara& obj) {
  PushCandidates p;
  bool overlapped = false;
  for (cStageChara* c : BlockCharaIndex()) {
    if (!CountsAsBlockChara(*c, obj.number) || !OverlapsRect(*c, obj.x, obj.y, obj.right, obj.bottom)) continue;
    overlapped = true;
    CollectFlying(obj, *c, p);
  }
  if (overlapped) obj.RunTriggeredFlowsOfKind(kTriggerHitBlockChara);
  const bool any = p.left.set || p.right.set || p.top.set || p.bottom.set;
  if (obj.DiesOnBlocks()) return any ? kDeadlyContact : 0;
  if (obj.moveB != 1) return 0;
  PushFlying(obj, p.left, kHorizontal, kLowSide, obj.pressedLeft);
  PushFlying(obj, p.right, kHorizontal, kHighSide, obj.pressedRight);
  PushFlying(obj, p.top, kVertical, kLowSide, obj.pressedTop);
  PushFlying(obj, p.bottom, kVertical, kHighSide, obj.pressedBottom);
  return 0;
}

bool CoveredByBlockChara(const cChara& obj, double px, double py) {
  for (cStageChara* c : BlockCharaIndex())
    if (CountsAsBlockChara(*c, obj.number) && c->x <= px && px <= c->right && c->y <= py && py <= c->bottom)
      return true;
  return false;
}

}  // namespace

void PushSideways(cChara& obj, const PushCandidates& p) {
  for (const PushCandidate* side : {&p.left, &p.right}) {
    if (!side->set) continue;
    if (!(side->id == obj.riddenId && obj.carried)) obj.landingMark = 1;
    obj.x = side->pos;
    obj.ClampX();
  }
}

int HitBlockCharas(cChara& obj) {
  if (PassesBlocksFlying(obj)) return 0;
  if (obj.moveA != 0) return HitBlockCharasFlying(obj);
  return HitBlockCharasWalking(obj);
}

void ResolveBlockCharaAxis(cChara& obj, int axis) {
  PushCandidates p;
  for (cStageChara* c : BlockCharaIndex()) {
    if (!CountsAsBlockChara(*c, obj.number) || !OverlapsRect(*c, obj.x, obj.y, obj.right, obj.bottom)) continue;
    if (OverlapExtent(obj.x, obj.right, c->x, c->right) == 0) continue;
    if (axis == 0) {
      if (OverlapsRect(*c, obj.x, obj.y + 1, obj.x, obj.bottom - 1)) {
        obj.pressedLeft = 1;
        p.left.Offer(c->right + 1, true, 0, c->number);
      }
      if (OverlapsRect(*c, obj.right, obj.y, obj.right, obj.bottom)) {
        obj.pressedRight = 1;
        p.right.Offer(c->x - obj.hitWidth, false, 0, c->number);
      }
    } else {
      if (OverlapsRect(*c, obj.x + 1, obj.y, obj.right - 1, obj.y)) {
        obj.pressedTop = 1;
        p.top.Offer(c->bottom + 1, true, 0, c->number);
      }
      if (OverlapsRect(*c, obj.x, obj.bottom, obj.right, obj.bottom)) {
        obj.pressedBottom = 1;
        p.bottom.Offer(c->y - obj.hitHeight, false, 0, c->number);
      }
    }
  }
  PushSideways(obj, p);
  for (const PushCandidate* side : {&p.top, &p.bottom}) {
    if (!side->set) continue;
    obj.y = side->pos;
    obj.ClampY();
  }
}

int IsBuriedInBlockCharas(const cChara& obj, double entryX, double entryY, double entryRight, double entryBottom) {
  if (PassesBlocksFlying(obj)) return 0;
  const double now[4][2] = {{obj.x, obj.y}, {obj.right, obj.y}, {obj.x, obj.bottom - 1}, {obj.right, obj.bottom - 1}};
  const double entry[4][2] = {
      {entryX, entryY}, {entryRight, entryY}, {entryX, entryBottom - 1}, {entryRight, entryBottom - 1}};
  for (int i = 0; i < 4; ++i)
    if (!CoveredByBlockChara(obj, now[i][0], now[i][1]) && !CoveredByBlockChara(obj, entry[i][0], entry[i][1]))
      return 0;
  return 1;
}

int IsSolidAtCorners(const cChara& obj) {
  const std::int64_t cell = FindBlockAtCorners(obj.leftColumn, obj.topRow, obj.rightColumn, obj.bottomRow, obj.side);
  return KindOfCell(cell, obj.side) != 0 ? 1 : 0;
}

int IsSolidAtCornersAt(const cChara& obj, double y) {
  const int top = TruncToInt(y) >> 5;
  const int bottom = TruncToInt(y + obj.hitHeight - 1) >> 5;
  const std::int64_t cell = FindBlockAtCorners(obj.leftColumn, top, obj.rightColumn, bottom, obj.side);
  return KindOfCell(cell, obj.side) != 0 ? 1 : 0;
}

#include "stage/chara/distance_condition.h"

#include <cmath>

#include "definitions/condition_records.h"
#include "foundation/log.h"
#include "shell/game/game.h"
#include "stage/chara/chara.h"
#include "stage/chara/stage_lists.h"
#include "stage/chara/hero.h"
#include "stage/core/double_to_int.h"
#include "stage/core/stage_rules.h"
#include "stage/scene/stage_scene.h"

std::uint32_t g_ReplayDataVersion = 0;

namespace {

enum DistanceShape : int {
  kBandBoth = 0, kBandFront = 1, kBandBehind = 2, kVertBoth = 3, kVertFacing = 4, kVertAgainst = 5, kCircle = 6
};

cChara* OtherObject(cChara& subject, int leftObject) {
  if (leftObject == 0) return PlayerHero();
  if (leftObject >= 1 && leftObject <= 4) return subject.targets[static_cast<std::size_t>(leftObject - 1)];
  return nullptr;
}

// The old rule of replays made before data version 782 keeps the other
// object's screen position as it was.
bool RefreshOther() {
  if (g_StageRules.distanceKeepsStaleOther) return false;
  return !(g_Game.m_nTitleCmd == kTitleCmdReplay && g_ReplayDataVersion <= 781);
}

int JudgeX(const cChara& subject, const cChara& other, int before, int after, int both) {
  return JudgeRange(subject.screenLeft, subject.drawWidth, other.screenLeft, other.screenRight, other.graphicOffsetX,
                    before, after, both, 0, other, subject);
}

int JudgeY(const cChara& subject, const cChara& other, int before, int after, int both) {
  return JudgeRange(subject.screenTop, subject.drawHeight, other.screenTop, other.screenBottom, other.graphicOffsetY,
                    before, after, both, 1, other, subject);
}

bool Inside(const cChara& subject, const cChara& other, int shape, int r) {
  const bool facesLeft = subject.facing == 0;
  switch (shape) {
    case kBandBoth: return JudgeX(subject, other, r, r, 1);
    case kBandFront: return facesLeft ? JudgeX(subject, other, r, 0, 0) : JudgeX(subject, other, 0, r, 0);
    case kBandBehind: return facesLeft ? JudgeX(subject, other, 0, r, 0) : JudgeX(subject, other, r, 0, 0);
    case kVertBoth: return JudgeY(subject, other, r, r, 1);
    case kVertFacing: return facesLeft ? JudgeY(subject, other, r, 0, 0) : JudgeY(subject, other, 0, r, 0);
    case kVertAgainst: return facesLeft ? JudgeY(subject, other, 0, r, 0) : JudgeY(subject, other, r, 0, 0);
    case kCircle: {
      const double dx = (subject.x + (subject.hitWidth >> 1)) - (other.x + (other.hitWidth >> 1));
      const double dy = (subject.y + (subject.hitHeight >> 1)) - (other.y + (other.hitHeight >> 1));
      return std::sqrt(dx * dx + dy * dy) <= r;
    }
    default: return false;
  }
}

}  // namespace

int JudgeRange(int p, int s, int o1, int o2, int g, int before, int after, int bothSides, int yAxis,
               const cChara& other, const cChara& subject) {
  const int half = s >> 1;
  const int c = p + half;
  const int left = before != 0 ? p - before : (bothSides && after == 0 ? p : c);
  const int right = after != 0 ? p + 2 * half + after : (bothSides && before == 0 ? p + 2 * half : c);
  const int start = o1 + g;
  int end = o2 - g;
  if (yAxis && !g_StageRules.distanceBottomAligned &&
      TruncToInt(other.bottom - other.y) + g + 1 >= other.drawHeight)
    end = o2;
  if (subject.op == 1)
    DebugLogF("Addr = %u\nnJudgeLeft(Up) = %d, nJudgeRight(Down) = %d\nnTargetBltLeft(Up) = %d, "
              "nTargetBltRight(Down) = %d, nTargetTrueToX(Y) = %d\nnLenghLeft(Up) = %d, nLenghRight(Down) = %d",
              static_cast<unsigned>(subject.number), left, right, o1, o2, g, before, after);
  return left <= end && start <= right ? 1 : 0;
}

int TestDistanceCondition(cChara& subject, const cCond& cond) {
  cChara* other = OtherObject(subject, cond.m_nLeftObject);
  if (other == nullptr) return 0;
  const int r = cond.m_nValue * 16 + static_cast<std::int16_t>(cond.m_nRightIndex);
  subject.UpdateScreenPos();
  if (RefreshOther()) other->UpdateScreenPos();
  const bool inside = Inside(subject, *other, cond.m_nLast, r);
  if (inside) return cond.m_nCompare == 0 ? 1 : 0;
  return cond.m_nCompare == 1 ? 1 : 0;
}

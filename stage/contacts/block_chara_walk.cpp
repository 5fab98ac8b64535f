// The walking branch of the block-character pass: collect the pushes from
// every block character the object overlaps (stand, head, sides), resolve
// them in a fixed order, fire the contact triggers, test squeeze and
// burial, step out of map blocks the push may have put it in, and keep
// riding the carrier or pass to a neighbouring one.
#include <algorithm>

#include "definitions/flow_record.h"
#include "stage/blocks/block_collision.h"
#include "stage/chara/chara.h"
#include "stage/chara/hero.h"
#include "stage/chara/stage_chara.h"
#include "stage/chara/stage_lists.h"
#include "stage/contacts/block_chara_collision.h"
#include "stage/contacts/push_candidates.h"
#include "stage/core/stage_rules.h"
#include "stage/objects/stage_space.h"

namespace {

struct Box {
  double x1, y1, x2, y2;
};

bool Meets(const cStageObj& c, const Box& b) { return OverlapsRect(c, b.x1, b.y1, b.x2, b.y2); }
bool Meets(const Box& a, const Box& b) { return a.x1 <= b.x2 && a.x2 >= b.x1 && a.y1 <= b.y2 && a.y2 >= b.y1; }
Box PreviousBox(const cChara& c) { return {c.savedX, c.savedY, c.savedRight, c.savedBottom}; }

class WalkingPass {
 public:
  explicit WalkingPass(cChara& obj)
      : m_obj(obj),
        m_level(g_StageSpace.levelF),
        m_half(obj.hitHeight / 2),
        m_third(obj.hitHeight / 3),
        m_upper{obj.x, obj.y, obj.right, obj.y + m_half},
        m_foot{obj.x + 1, obj.bottom - m_third, obj.right - 1, obj.bottom},
        m_mixed{obj.savedX, obj.y, obj.savedRight, obj.bottom},
        m_entry{obj.x, obj.y, obj.right, obj.bottom} {}

  int Run() {
    for (cStageChara* c : BlockCharaIndex()) {
      if (!CountsAsBlockChara(*c, m_obj.number) || !OverlapsRect(*c, m_obj.x, m_obj.y, m_obj.right, m_obj.bottom))
        continue;
      m_overlapped = true;
      Collect(*c);
    }
    Resolve();
    FireTriggers();
    if ((m_obj.pressedLeft && m_obj.pressedRight) || (m_obj.pressedTop && m_obj.pressedBottom)) return kDeadlyContact;
    if (IsBuriedInBlockCharas(m_obj, m_entry.x1, m_entry.y1, m_entry.x2, m_entry.y2)) return kDeadlyContact;
    Unstick();
    if (m_obj.carried && !m_landed) KeepRiding();
    return 0;
  }

 private:
  void Collect(cStageChara& c) {
    const Box prev = PreviousBox(c);
    const bool mixedMeetsPrev = Meets(m_mixed, prev);
    if (Meets(c, m_upper)) {
      const double wU = OverlapExtent(m_upper.x1, m_upper.x2, c.x, c.right);
      const double hU = OverlapExtent(m_upper.y1, m_upper.y2, c.y, c.bottom);
      const bool relaxed = g_StageRules.relaxedStandAndHead != 0;
      if (m_obj.vy > 2.0 / m_level && mixedMeetsPrev && m_obj.savedY < c.savedY &&
          (relaxed || m_obj.savedBottom < c.savedBottom)) {
        Land(c);
        return;
      }
      const bool fromBelow = wU - hU > 0.4 / m_level && m_obj.bottom > c.bottom && (relaxed || m_obj.y > c.y);
      const bool wasBelow = mixedMeetsPrev && m_obj.savedY > c.savedY &&
                            !Meets(PreviousBox(m_obj), Box{c.x, c.y, c.right, c.bottom});
      if (fromBelow || wasBelow) {
        if (c.vy > 0) m_obj.pressedTop = 1;
        m_push.top.Offer(c.bottom + 1, true, c.vy, c.number);
        if (m_obj.carried && m_obj.vy < 0) m_obj.pressedBottom = 1;
        return;
      }
      const Box left{m_obj.x, m_obj.y, m_obj.x, m_obj.y + m_half};
      const Box right{m_obj.right, m_obj.y, m_obj.right, m_obj.y + m_half};
      if (m_obj.vx < 0) {
        if (!PushFromLeft(c, left)) PushFromRight(c, right);
      } else if (!PushFromRight(c, right)) {
        PushFromLeft(c, left);
      }
      return;
    }
    const double w = OverlapExtent(m_obj.x, m_obj.right, c.x, c.right);
    const double h = OverlapExtent(m_obj.y, m_obj.bottom, c.y, c.bottom);
    if (h > w) {
      PushFromRight(c, Box{m_obj.right, m_obj.y, m_obj.right, m_obj.bottom});
      PushFromLeft(c, Box{m_obj.x, m_obj.y, m_obj.x, m_obj.bottom});
    } else if (Meets(c, m_foot)) {
      Land(c);
    }
  }

  // A character on the object's left keeps it 1.5 dots to its right; one on
  // its right keeps its right edge 1.5 dots away.
  bool PushFromLeft(const cStageChara& c, const Box& strip) {
    if (!Meets(c, strip)) return false;
    m_obj.pressedLeft = 1;
    m_push.left.Offer(c.right + 1.5, true, c.vx, c.number);
    return true;
  }
  bool PushFromRight(const cStageChara& c, const Box& strip) {
    if (!Meets(c, strip)) return false;
    m_obj.pressedRight = 1;
    m_push.right.Offer(c.x - m_obj.hitWidth - 0.5, false, c.vx, c.number);
    return true;
  }

  void Land(cStageChara& c) {
    if (c.vy < 0) m_obj.pressedBottom = 1;
    if (!m_push.bottom.Offer(c.y - m_obj.hitHeight, false, c.vy, c.number)) return;
    m_obj.riddenId = c.number;
    m_carrier = &c;
    RememberCarrier(c);
  }

  void RememberCarrier(const cStageChara& c) {
    m_obj.carrierX = c.x;
    m_obj.carrierY = c.y;
    m_obj.carrierRight = c.right;
    m_obj.carrierBottom = c.bottom;
  }

  // The object's head is stopped by a character above moving with `vy`;
  // like a head bump on a block, this counts as a jump until the landing.
  void BumpHead(double top, double vy) {
    m_obj.cmdSpeedY = 0;
    m_obj.jumping = m_obj.airborne = m_obj.falling = m_obj.jumpHold = 1;
    if (!g_StageRules.keepKnockOnBlockCharaHead) m_obj.knockY = 0;
    m_obj.vy = vy;
    m_obj.y = top;
    m_obj.ClampY();
  }

  cStageChara* FirstOverUpperHalf() const {
    for (cStageChara* c : BlockCharaIndex())
      if (CountsAsBlockChara(*c, m_obj.number) && Meets(*c, m_upper)) return c;
    return nullptr;
  }

  bool TrialBlocked(double y, bool charas, int exceptId) const {
    if (IsSolidAtCornersAt(m_obj, y)) return true;
    if (!charas) return false;
    cChara& obj = m_obj;
    const double savedY = obj.y;
    obj.y = y;  // the trial box runs from the candidate top to the current bottom
    const bool blocked = OverlapsBlockCharaExcept(obj, exceptId) != 0;
    obj.y = savedY;
    return blocked;
  }

  void Resolve() {
    PushCandidates& p = m_push;
    if (p.top.set && !p.bottom.set) {
      if (!(p.top.v < 0 && TrialBlocked(p.top.pos, true, p.top.id))) {
        BumpHead(p.top.pos, p.top.v);
        HitBlocksBothY(m_obj);
      }
    } else if (!p.bottom.set && !p.top.set && p.left.set && p.right.set) {
      // Wedged sideways in the air: the side pushes are dropped.
      if (cStageChara* c = FirstOverUpperHalf()) BumpHead(c->bottom + 1, c->vy);
      m_obj.pressedLeft = m_obj.pressedRight = 0;
      return;
    } else if (p.bottom.set && !(p.left.set && p.right.set)) {
      Stand();
    }
    if (p.left.set) m_obj.cmdSpeedX = 0;
    if (p.right.set) m_obj.cmdSpeedX = 0;
    PushSideways(m_obj, p);
    if (p.left.set && p.right.set && !p.bottom.set) {
      m_obj.x = m_entry.x1;
      m_obj.ClampX();
      if (cStageChara* c = FirstOverUpperHalf()) {
        BumpHead(c->bottom + 1, c->vy);
        if (c->vy > 0) m_obj.pressedTop = 1;
        m_obj.pressedLeft = m_obj.pressedRight = 0;
      }
    }
  }

  void Stand() {
    const PushCandidate& b = m_push.bottom;
    if (b.v > 0 && TrialBlocked(b.pos, false, kNoCharaId)) {
      m_obj.carried = 0;
      return;
    }
    m_obj.cmdSpeedY = 0;
    m_landed = true;
    if (!m_obj.carried) {
      m_obj.carried = 1;
      if (m_carrier != nullptr) {
        if (m_obj.op == 0) m_carrier->RunTriggeredFlows(kTriggerRiddenByHero, &m_obj, 0);
        m_carrier->RunTriggeredFlows(kTriggerRiddenByChara, &m_obj, 0);
      }
    }
    m_obj.y = b.pos;
    m_obj.ClampY();
    m_obj.vy = 0;
    m_obj.airFrames = 0;
    m_obj.airborne = m_obj.falling = m_obj.jumping = m_obj.knockedBack = 0;
    if (m_obj.op == 1) m_obj.jumpHold = 0;
    else ClearPlayerJumpForbidden();
  }

  // A rider's jump ban lifts after the touch trigger when it touches a block
  // character, before it when it only rides one.
  void FireTriggers() {
    if (!m_overlapped && !m_obj.carried) return;
    if (m_overlapped) m_obj.RunTriggeredFlowsOfKind(kTriggerHitBlockChara);
    if (!m_obj.carried) return;
    if (m_obj.op == 0) ClearPlayerJumpForbidden();
    if (!m_overlapped) m_obj.RunTriggeredFlowsOfKind(kTriggerHitBlockChara);
    m_obj.RunTriggeredFlowsOfKind(kTriggerOnBlockChara);
  }

  // A push may have put the object into a map block: step back out by at
  // most 1.5 dots in the direction it was pushed.
  void Unstick() {
    const bool byFlags = g_StageRules.unstickByContactFlags != 0;
    const bool drive[4] = {byFlags ? m_obj.pressedLeft != 0 : m_push.left.set,
                           byFlags ? m_obj.pressedRight != 0 : m_push.right.set,
                           byFlags ? m_obj.pressedTop != 0 : m_push.top.set,
                           byFlags ? m_obj.pressedBottom != 0 : m_push.bottom.set};
    const double step[4] = {-0.1, 0.1, -0.1, 0.1};
    for (int side = 0; side < 4; ++side) {
      if (!drive[side]) continue;
      for (int n = 0; n < 15 && IsSolidAtCorners(m_obj); ++n) {
        if (side < 2) {
          m_obj.x += step[side];
          m_obj.ClampX();
        } else {
          m_obj.y += step[side];
          m_obj.ClampY();
        }
      }
    }
  }

  void KeepRiding() {
    if (m_obj.knockY < 0) {
      StopRiding();
      return;
    }
    cStageChara* carrier = nullptr;
    if (StillOnRiddenChara(m_obj)) {
      carrier = g_CharaList.Find([&](const cStageChara& c) { return c.number == m_obj.riddenId; });
    } else {
      carrier = FindCharaUnderFeet(m_obj);
      if (carrier == nullptr) {
        StopRiding();
        return;
      }
      m_obj.riddenId = carrier->number;
    }
    if (carrier == nullptr) return;
    m_obj.airFrames = 0;
    m_obj.knockedBack = 0;
    RememberCarrier(*carrier);
  }

  void StopRiding() {
    m_obj.carried = 0;
    m_obj.StopFall(1);
  }

  cChara& m_obj;
  double m_level;
  int m_half, m_third;
  Box m_upper, m_foot, m_mixed, m_entry;
  PushCandidates m_push;
  bool m_overlapped = false;
  bool m_landed = false;
  cStageChara* m_carrier = nullptr;
};

}  // namespace

int HitBlockCharasWalking(cChara& obj) { return WalkingPass(obj).Run(); }

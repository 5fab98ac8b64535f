#pragma once
// The two conditions on a character's own state: "ステータス条件2" compares
// one of its special statuses (the ones "ステータスの操作2" sets: removed,
// transparent, facing fixed, flight, invincibility, size, auto-scroll
// synchronisation; for the system, the two auto-scroll speeds) with the
// condition's value; "ステータス条件3" asks whether the character is in a
// state (facing left or right, standing on a block or a block character, on
// the screen, existing). Either may name the subject itself or one of its
// four target slots; an empty slot exists nowhere, so only "does not exist"
// holds for it.

class cChara;
class cCond;

// Special statuses by index.
enum SpecialStatus : int {
  kSpecialVanish = 0,      // "消滅"
  kSpecialTransparent = 1, // "透明"
  kSpecialFacingFixed = 2, // "向き固定"
  kSpecialFlight = 3,      // "飛行"
  kSpecialInvincible = 4,  // "無敵"
  kSpecialSize = 5,        // "巨大化"
  kSpecialScrollSync = 6,  // "オートスクロールとシンクロ"
};

// Character states by index.
enum CharaState : int {
  kStateFacingLeft = 0,   // "左向き"
  kStateFacingRight = 1,  // "右向き"
  kStateOnBlock = 2,      // "ブロックに乗っている(ブロックキャラも含む)"
  kStateOnScreen = 3,     // "画面内にいる"
  kStateExists = 4,       // "存在している"
};

// 1 when the condition holds for the subject.
int TestSpecialStatusCondition(cChara& subject, const cCond& cond);
int TestCharaStateCondition(cChara& subject, const cCond& cond);

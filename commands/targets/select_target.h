#pragma once
// "ターゲットの設定": picks one character by one of eleven rules (the hero,
// itself, the nearest, the first by list order, its parent, its last or a
// filtered child, or the character in one of its own slots), optionally
// filtered, and stores it in one of the four target slots through
// SetTarget, which keeps the back-references in step.

#include <vector>

#include "stage/motion/chara_search.h"

class cChara;
class cEdCmd;
struct CharaLink;

enum TargetRule : int {
  kTargetHero = 0,
  kTargetSelf = 1,
  kTargetNearest = 2,
  kTargetFirstInList = 3,
  kTargetParent = 4,
  kTargetLastChild = 5,
  kTargetFilteredChild = 6,
  kTargetSlot1 = 7,
  kTargetSlot4 = 10,
};

// What to store when nothing is found: empty the slot, or leave it; any
// other value stores nothing at all.
enum TargetMiss : int { kMissEmptiesSlot = 0, kMissKeepsSlot = 1 };

// The command's filter (its parameters 5 to 14) for the searching character.
CharaFilter TargetFilter(const cChara& self, const cEdCmd& command);
// The newest child link (slot 4) whose holder is on `side` (any side with
// `allSides`) and passes the filter; null when none.
cChara* FindChildChara(const std::vector<CharaLink>& backRefs, int side, bool allSides, const CharaFilter& filter);
// The character the command's rule picks for `self`; null when none.
cChara* PickTarget(cChara& self, const cEdCmd& command);
// The whole command: the pick, then the store by the miss rule.
void SelectTarget(cChara& self, const cEdCmd& command);

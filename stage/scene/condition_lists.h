#pragma once
// Condition lists: blocks, characters, items and flows appear, count or
// start only while their conditions hold. A list holds when all its
// conditions hold (mode 0) or at least one does (mode 1); an owner whose
// list is marked "once" keeps holding after the list held once.

#include "foundation/checked_vector.h"

class cChara;
class cCond;

// One condition for a subject character.
int TestCondition(cCond& cond, cChara& subject);
// The list in its mode for a subject; entries are tested in order until
// one decides.
int TestConditionListFor(const cVector<cCond>& conds, int mode, cChara& subject);

#pragma once
// The status condition: whether a status of a character or of the system,
// or a common or stage variable, compares to a value by one of the eight
// comparisons. The compared value is stored back into the condition.

class cChara;
class cCond;

int TestStatusCondition(cCond& cond, cChara& self);

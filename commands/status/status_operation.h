#pragma once
// "ステータスの操作": changes a character status, a system status or a
// common or stage variable by an operator with a value from a constant, a
// random number, another status or a variable. HP and SP changes go through
// the character's own HP and SP change, so gauges and death follow.

class cChara;
class cEdCmd;

void RunStatusOperation(cChara& self, const cEdCmd& command);

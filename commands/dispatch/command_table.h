#pragma once
// The executors of the character commands: one per command kind, 40 in all,
// called once per sub-step of a running entry. A kind outside the table, and
// "ループ" (expanded away before any flow runs), does nothing; each such
// kind is reported once.

class cChara;
struct cCmdState;

void DispatchFlowCmd(cChara& chara, cCmdState& entry);

#pragma once
// The executors of the commands that fire and summon: "ショット" and the
// three summons act on their first step and again every tenth of a second
// while the entry lasts; "ソード" draws its sword once, on the first step.
// Each plays the command's sound when it acts.

class cChara;
struct cCmdState;

void CmdShot(cChara& chara, cCmdState& entry);
void CmdSword(cChara& chara, cCmdState& entry);
void CmdSummonBlock(cChara& chara, cCmdState& entry);
void CmdSummonChara(cChara& chara, cCmdState& entry);
void CmdSummonItem(cChara& chara, cCmdState& entry);

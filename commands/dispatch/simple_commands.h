#pragma once
// The executors of the commands that neither move nor fire: facing, the
// cancel of movement, the queueing of a binding, and the command's own
// sound.

class cChara;
class cEdCmd;
struct cCmdState;

void CmdCancelMove(cChara& chara, cCmdState& entry);
void CmdTurn(cChara& chara, cCmdState& entry);
void CmdStatus(cChara& chara, cCmdState& entry);
void CmdArrange(cChara& chara, cCmdState& entry);
// Plays the command's sound (for heroes only when the command says so).
void PlayCommandSound(const cChara& chara, const cEdCmd& command);

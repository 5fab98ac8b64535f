#pragma once
// The executors of "メッセージ" and "ピクチャーの表示": each shows once
// per run of its entry, on the entry's first step.

class cChara;
struct cCmdState;

void CmdMessage(cChara& chara, cCmdState& entry);
void CmdShowPicture(cChara& chara, cCmdState& entry);

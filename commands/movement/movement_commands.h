#pragma once
// The executors of the movement commands, one per kind, each called once
// per sub-step while its entry runs.

class cChara;
struct cCmdState;

void CmdLinearMove(cChara& chara, cCmdState& entry);      // "直線移動"
void CmdGroundTurnMove(cChara& chara, cCmdState& entry);  // "地上折り返し移動"
void CmdCircleMove(cChara& chara, cCmdState& entry);      // "円移動"
void CmdChargeMove(cChara& chara, cCmdState& entry);      // "突撃移動"
void CmdHomingMove(cChara& chara, cCmdState& entry);      // "誘導移動"
void CmdOffScreenMove(cChara& chara, cCmdState& entry);   // "画面外回避移動"
void CmdJump(cChara& chara, cCmdState& entry);            // "ジャンプ"

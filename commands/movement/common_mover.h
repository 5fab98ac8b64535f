#pragma once
// What every step of a movement command ends with, after the kind's own
// work: the facing the move asks for, the entry's velocity put on the
// character (added to this sub-step's velocity, or with the record's
// acceleration switch added to the commanded speed, faster while it still
// runs the other way, up to the top speed), and the animation the move asks
// for. Every movement command begins by clearing the push words.

class cChara;
class cEdMove;
struct cCmdState;

void BeginMoveStep(cChara& chara);
// `forced`: the facing follows the request even for a character that
// commands turn ("地上折り返し移動").
void FinishMoveStep(cChara& chara, cCmdState& entry, bool forced);
// The entry's movement record; a command without one moves nothing.
const cEdMove* MoveOf(const cCmdState& entry);

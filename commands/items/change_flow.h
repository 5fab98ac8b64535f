#pragma once
// "フローの変更" (item commands only): adds the command's flows after the
// character's own, puts them in the place of the flows of one ID letter (or
// of all flows), or only removes those flows. While the player's hero steps
// its own flows, the change cannot touch them: a copy of the command is
// queued on the hero, whose step runs it afterwards with `deferred` set.

class cChara;
class cEdCmd;

enum FlowChangeMode : int { kFlowChangeAdd = 0, kFlowChangeReplace = 1, kFlowChangeRemove = 2 };

void ChangeFlow(cChara& chara, const cEdCmd& command, int deferred);

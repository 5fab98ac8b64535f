#pragma once
// "フローの操作": starts, ends, pauses, resumes, deletes or stops for good
// the running flow, every other flow, or the flows of one ID, of the
// character or of the character in one of its target slots, when the
// command's condition list (if switched on) holds. The animations a flow
// started follow it: stopped, held or released.
//
// Deleting the executing character's own flows only marks them; they go at
// the end of its step, so the walk over its flows never loses its place.

class cChara;
class cEdCmd;

enum FlowOperation : int {
  kFlowOpStart = 0,
  kFlowOpEnd = 1,
  kFlowOpPause = 2,
  kFlowOpResume = 3,
  kFlowOpDelete = 4,
  kFlowOpStopForever = 5,
};

enum FlowScope : int { kScopeThisFlow = 0, kScopeOtherFlows = 1, kScopeFlowId = 2 };

void ControlFlows(cChara& chara, const cEdCmd& command);

#pragma once
// The flow runtime and the command executors belong to the commands module,
// which stands above the stage; the stage reaches them through this table,
// which the commands module fills at start-up. An entry left empty keeps the
// neutral behaviour: flows get no command entries, start and end only by
// their flags, and run nothing.

#include "foundation/checked_vector.h"

class cChara;
class cCond;
class cEdCmd;
struct cFlowState;

struct FlowRuntimeSlot {
  // Builds the command entries of a freshly installed flow state.
  void (*buildEntries)(cChara&, cFlowState&) = nullptr;
  void (*startFlow)(cChara&, cFlowState&) = nullptr;
  // 1 when the flow has finished.
  int (*runFlow)(cChara&, cFlowState&) = nullptr;
  void (*endFlow)(cChara&, cFlowState&) = nullptr;
  void (*startScheduledAnims)(cChara&) = nullptr;
  // A "フローの変更" that waited in the hero's queue, carried out now.
  void (*runQueuedFlowChange)(cChara&, const cEdCmd&) = nullptr;
  // The status condition of a condition list.
  int (*testStatusCondition)(cCond&, cChara&) = nullptr;
  // A character's own flows installed at set-up (loops expanded).
  void (*installFlows)(cChara&) = nullptr;
  // A taken item's command list, run at once on the hero: 0, 1 the stage
  // is cleared, 2 the hero is down.
  int (*runItemCmds)(cChara&, cVector<cEdCmd>&) = nullptr;
  // Replaces the loop commands of an item's list by what they repeat.
  void (*expandLoops)(cVector<cEdCmd>&) = nullptr;
};

extern FlowRuntimeSlot g_FlowRuntime;

// Ends a flow through the runtime (only the active flag without one).
void EndFlowState(cChara& chara, cFlowState& state);

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
  // The status condition of a condition list.
  int (*testStatusCondition)(cCond&, cChara&) = nullptr;
  // An item's command list run on the hero who took it: 0 all ran, 1 the
  // stage was cleared, 2 the hero has no HP left.
  int (*runItemCmds)(cChara& hero, const cVector<cEdCmd>& commands) = nullptr;
  // A "フローの変更" that the hero queued while its own flows ran.
  void (*changeFlow)(cChara& chara, const cEdCmd& command, int deferred) = nullptr;
};

extern FlowRuntimeSlot g_FlowRuntime;

// Ends a flow through the runtime (only the active flag without one).
void EndFlowState(cChara& chara, cFlowState& state);

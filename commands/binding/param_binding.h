#pragma once
// Parameter bindings ("アレンジ"): a binding replaces one numeric parameter of
// the next command by a value computed from a variable. It is applied when
// that command starts and changes the command record itself, so the change
// stays for later runs of the command. A binding made for another kind than
// the command's, or for a kind that cannot be bound, is dropped.

#include <vector>

#include "stage/chara/flow_state.h"

class cChara;
class cEdCmd;

// The binding an arrange command queues: its five parameters (kind,
// parameter, operation, source, index), 0 for any it does not carry.
cArrange ArrangeOf(const cEdCmd& command);
// Applies one binding to the command, for the character whose variables
// source 2 reads.
void ApplyParamBind(cEdCmd& command, const cArrange& binding, cChara& chara);
// Applies every queued binding in order and empties the queue.
void ApplyArrangeList(cEdCmd& command, cChara& chara, std::vector<cArrange>& queue);
// The flow's queue (nothing without a flow state).
void ApplyFlowArrange(cEdCmd& command, cChara& chara, cFlowState* flow);

#pragma once
// Installing a flow list into a character: loops are expanded, the flows are
// placed in the character's own copy of its definition, and each new flow
// state gets its command entries with the durations and movement values
// fixed for this stage's speed level and the character's clone value.

#include "definitions/flow_record.h"
#include "foundation/checked_vector.h"

class cChara;
struct cFlowState;

enum FlowListMode : int { kReplaceFlows = 0, kAddFlows = 1 };

// Builds (or, when the command list is unchanged, re-points) the entries of
// a flow state from the character's copy of its flow.
void BuildFlowEntries(cChara& chara, cFlowState& state);
// Mode 0 replaces the character's flows; otherwise they are inserted at
// `start`, or appended when `start` is -1 or outside the list. With
// `setUp`, the new states' key latch B is prepared.
void SetFlowList(cChara& chara, cVector<cEdFlow> list, int mode, int start, int setUp);
// A character's own flows installed afresh at set-up: loops expanded, key
// latches prepared.
void InstallDefinitionFlows(cChara& chara);

#pragma once
// A character's flows are walked by reference: the walk holds a flow state,
// its entries and their commands while a command runs. A command may change
// the flow list of a character whose flows are being walked (a flow of
// another character, run from inside the walk, deletes or replaces them).
// Such a change never frees what the walk holds: the whole list is retired
// as it stands, the change is made on a copy, and the retired list is freed
// when the character next begins a walk with none running.
//
// After a step of a flow the walk finds that flow again in the live list by
// its serial, carrying over what the step did to it; a flow that is gone is
// left alone and the walk goes on with the flow that took its place.

#include <cstddef>

class cChara;
struct cFlowState;

// Marks a walk over the character's flows for as long as it lives.
class FlowWalk {
 public:
  explicit FlowWalk(cChara& chara);
  ~FlowWalk();
  FlowWalk(const FlowWalk&) = delete;
  FlowWalk& operator=(const FlowWalk&) = delete;

 private:
  cChara& chara_;
};

// Called before any change to the character's flow list.
void RetireFlowsIfWalking(cChara& chara);

struct WalkedFlow {
  cFlowState* live = nullptr;  // null: the flow is no longer in the list
  std::size_t next = 0;        // where the walk goes on
};

// The flow state `walked`, walked at position `at`, in the live list.
WalkedFlow FindAfterWalk(cChara& chara, cFlowState& walked, std::size_t at);

#pragma once
// Most commands do the same whether a flow entry or an item runs them: they
// are written once over (character, command), and the flow table reaches
// them through this adapter, which hands over the entry's command.

#include "stage/chara/flow_state.h"

class cChara;
class cEdCmd;

template <void (*Run)(cChara&, const cEdCmd&)>
void RunForEntry(cChara& chara, cCmdState& entry) {
  Run(chara, *entry.cmd);
}

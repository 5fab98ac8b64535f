#include "commands/items/change_flow.h"

#include "commands/dispatch/command_params.h"
#include "commands/flows/flow_install.h"
#include "definitions/command_record.h"
#include "stage/chara/hero.h"
#include "stage/chara/stage_lists.h"
#include "stage/scene/current_actor.h"

void ChangeFlow(cChara& chara, const cEdCmd& command, int deferred) {
  cHero* hero = PlayerHero();
  if (!deferred && hero != nullptr && g_CurrentActor.chara == hero) {
    hero->queuedFlowChanges.push_back(command);
    return;
  }
  const int mode = CmdParam(command, 0);
  const int id = CmdParam(command, 1);
  switch (mode) {
    case kFlowChangeAdd: SetFlowList(chara, command.m_vFlows, kAddFlows, -1, 1); break;
    case kFlowChangeReplace: SetFlowList(chara, command.m_vFlows, kAddFlows, chara.RemoveFlowsById(id), 1); break;
    case kFlowChangeRemove: chara.RemoveFlowsById(id); break;
    default: break;
  }
}

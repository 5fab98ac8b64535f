#include "commands/dispatch/show_commands.h"

#include "stage/chara/chara.h"
#include "stage/scene/current_actor.h"
#include "stage/show/show_message.h"
#include "stage/show/show_picture.h"

namespace {

// True on the entry's first step of this run (and marks it started).
bool FirstStep(cCmdState& entry) {
  if (entry.started) return false;
  entry.started = 1;
  return true;
}

}  // namespace

void CmdMessage(cChara& chara, cCmdState& entry) {
  if (!FirstStep(entry)) return;
  const cFlowState* flow = g_CurrentActor.flow;
  ShowMessage(chara, *entry.cmd, flow != nullptr ? flow->messageOpen : 0);
}

void CmdShowPicture(cChara& chara, cCmdState& entry) {
  if (FirstStep(entry)) ShowPicture(chara, *entry.cmd);
}

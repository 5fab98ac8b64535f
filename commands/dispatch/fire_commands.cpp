#include "commands/dispatch/fire_commands.h"

#include "commands/dispatch/pacing.h"
#include "commands/dispatch/simple_commands.h"
#include "commands/firing/fire.h"
#include "definitions/command_record.h"
#include "stage/chara/chara.h"
#include "stage/scene/stage_scene.h"

namespace {

using Fire = void (*)(cStageScene&, cChara&, const cEdShot&);

void Act(cChara& chara, const cCmdState& entry, Fire fire) {
  PlayCommandSound(chara, *entry.cmd);
  cStageScene* scene = StageScene();
  if (scene != nullptr && entry.cmd->m_Shot) fire(*scene, chara, *entry.cmd->m_Shot);
}

void ActPaced(cChara& chara, cCmdState& entry, Fire fire) {
  if (PacedStepDue(entry)) Act(chara, entry, fire);
  CountPacedStep(entry);
}

}  // namespace

void CmdShot(cChara& chara, cCmdState& entry) { ActPaced(chara, entry, FireShot); }
void CmdSummonBlock(cChara& chara, cCmdState& entry) { ActPaced(chara, entry, SummonBlock); }
void CmdSummonChara(cChara& chara, cCmdState& entry) { ActPaced(chara, entry, SummonChara); }
void CmdSummonItem(cChara& chara, cCmdState& entry) { ActPaced(chara, entry, SummonItem); }

void CmdSword(cChara& chara, cCmdState& entry) {
  if (entry.started) return;
  entry.started = 1;
  Act(chara, entry, FireSword);
}

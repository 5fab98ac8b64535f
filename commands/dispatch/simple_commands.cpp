#include "commands/dispatch/simple_commands.h"

#include "commands/binding/param_binding.h"
#include "commands/dispatch/pacing.h"
#include "commands/status/status_operation.h"
#include "definitions/command_record.h"
#include "sound/waves/sound_requests.h"
#include "stage/chara/chara.h"
#include "stage/core/stage_sinks.h"
#include "stage/scene/current_actor.h"

namespace {

enum TurnChoice : int { kFaceLeft = 0, kFaceRight = 1, kFaceBlockSide = 10, kFaceAwayFromBlock = 11 };

double CenterX(const cChara& chara) { return (chara.x + chara.right) * 0.5; }

// The facing a turn choice asks for: 0 left, 1 right, -1 unchanged.
int TurnFacing(const cChara& chara, int choice) {
  if (choice == kFaceLeft || choice == kFaceRight) return choice;
  if (choice == kFaceBlockSide || choice == kFaceAwayFromBlock) {
    if (chara.lastBlockSide != 0 && chara.lastBlockSide != 1) return -1;
    return choice == kFaceBlockSide ? chara.lastBlockSide : 1 - chara.lastBlockSide;
  }
  if (choice < 2 || choice > 9) return -1;
  const cChara* target = chara.targets[static_cast<std::size_t>((choice - 2) / 2)];
  if (target == nullptr) return -1;
  const int toward = CenterX(*target) < CenterX(chara) ? 0 : 1;
  return choice % 2 == 0 ? toward : 1 - toward;
}

}  // namespace

void PlayCommandSound(const cChara& chara, const cEdCmd& command) {
  if (command.m_nSound == 0 || (command.m_bHeroOnlySound && !chara.IsHero())) return;
  RequestStageSound(kSystemSoundCount + command.m_nSound);
}

void CmdCancelMove(cChara& chara, cCmdState&) {
  chara.vx = chara.vy = 0;
  chara.cmdSpeedX = chara.cmdSpeedY = 0;
  chara.pushLeft = chara.pushRight = 0;
  chara.moveCancelled = 1;
}

void CmdTurn(cChara& chara, cCmdState& entry) {
  if (!chara.def.m_bTurnByCmd) return;
  if (PacedStepDue(entry)) {
    PlayCommandSound(chara, *entry.cmd);
    const int choice = entry.cmd->m_vParams.empty() ? 0 : entry.cmd->m_vParams[0];
    const int facing = TurnFacing(chara, choice);
    if (facing >= 0) chara.facing = facing;
  }
  CountPacedStep(entry);
}

void CmdStatus(cChara& chara, cCmdState& entry) { RunStatusOperation(chara, *entry.cmd); }

void CmdArrange(cChara&, cCmdState& entry) {
  cFlowState* flow = g_CurrentActor.flow;
  if (flow == nullptr) return;
  flow->arranges.push_back(ArrangeOf(*entry.cmd));
}

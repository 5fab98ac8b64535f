#include "commands/dispatch/command_table.h"

#include <array>
#include <bitset>
#include <cstdint>

#include "commands/code/stage_code_access.h"
#include "commands/dispatch/entry_adapter.h"
#include "commands/dispatch/fire_commands.h"
#include "commands/dispatch/show_commands.h"
#include "commands/dispatch/simple_commands.h"
#include "commands/flow_ops/flow_control.h"
#include "commands/items/get_item.h"
#include "commands/looks/look_commands.h"
#include "commands/scene_fx/scene_fx_commands.h"
#include "commands/targets/select_target.h"
#include "commands/world/status_op2.h"
#include "commands/world/vanish.h"
#include "commands/world/warp.h"
#include "commands/movement/movement_commands.h"
#include "commands/stage/stage_clear.h"
#include "definitions/command_record.h"
#include "foundation/log.h"
#include "stage/chara/chara.h"

namespace {

using Executor = void (*)(cChara&, cCmdState&);

constexpr std::array<Executor, kCharaCmdKindCount> kExecutors = [] {
  std::array<Executor, kCharaCmdKindCount> table{};
  table[kCmdStraightMove] = CmdLinearMove;
  table[kCmdGroundTurnMove] = CmdGroundTurnMove;
  table[kCmdCircleMove] = CmdCircleMove;
  table[kCmdChargeMove] = CmdChargeMove;
  table[kCmdHomingMove] = CmdHomingMove;
  table[kCmdOffScreenMove] = CmdOffScreenMove;
  table[kCmdJump] = CmdJump;
  table[kCmdStopMove] = CmdCancelMove;
  table[kCmdFacing] = CmdTurn;
  table[kCmdStatus] = CmdStatus;
  table[kCmdArrange] = CmdArrange;
  table[kCmdShot] = CmdShot;
  table[kCmdSword] = CmdSword;
  table[kCmdSummonBlock] = CmdSummonBlock;
  table[kCmdSummonChara] = CmdSummonChara;
  table[kCmdSummonItem] = CmdSummonItem;
  table[kCmdFlowControl] = RunForEntry<ControlFlows>;
  table[kCmdStageClear] = CmdStageClear;
  table[kCmdGameWait] = RunForEntry<GameWait>;
  table[kCmdWarp] = RunForEntry<Warp>;
  table[kCmdSetTarget] = RunForEntry<SelectTarget>;
  table[kCmdStatus2] = RunForEntry<RunStatusOperation2>;
  table[kCmdVanish] = RunForEntry<Vanish>;
  table[kCmdTakeItem] = RunForEntry<CmdGetItem>;
  table[kCmdChangeGraphic] = RunForEntry<ChangeGraphic>;
  table[kCmdChangeAnimeSet] = RunForEntry<ChangeAnimSet>;
  table[kCmdAnime] = RunForEntry<PlayAnim>;
  table[kCmdEffect] = RunForEntry<RunEffect>;
  table[kCmdCharaEffect] = RunForEntry<StartCharaEffect>;
  table[kCmdScrEffect] = RunForEntry<StartScreenEffectCmd>;
  table[kCmdScreenColor] = RunForEntry<SetScreenColor>;
  table[kCmdBackground] = RunForEntry<ChangeBackground>;
  table[kCmdSound] = RunForEntry<PlayCmdSound>;
  table[kCmdBgm] = RunForEntry<PlayCmdBgm>;
  table[kCmdCode] = RunForEntry<ExecCodeCmd>;
  table[kCmdMessage] = CmdMessage;
  table[kCmdPicture] = CmdShowPicture;
  return table;
}();

// Kinds that cannot run, each reported once per run of the program.
void ReportUnrunnable(int kind) {
  static std::bitset<256> reported;
  const auto bit = static_cast<std::size_t>(kind + 128);
  if (reported.test(bit)) return;
  reported.set(bit);
  ReportAndLog("command kind %d cannot run", kind);
}

}  // namespace

void DispatchFlowCmd(cChara& chara, cCmdState& entry) {
  const int kind = static_cast<std::int8_t>(entry.cmd->m_nKind);
  if (kind < 0 || kind >= kCharaCmdKindCount || kind == kCmdLoop) {
    ReportUnrunnable(kind);
    return;
  }
  if (Executor executor = kExecutors[static_cast<std::size_t>(kind)]) executor(chara, entry);
}

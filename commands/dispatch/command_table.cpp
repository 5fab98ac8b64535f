#include "commands/dispatch/command_table.h"

#include <array>
#include <bitset>
#include <cstdint>

#include "commands/dispatch/fire_commands.h"
#include "commands/dispatch/show_commands.h"
#include "commands/dispatch/simple_commands.h"
#include "commands/movement/movement_commands.h"
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

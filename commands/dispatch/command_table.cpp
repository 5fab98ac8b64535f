#include "commands/dispatch/command_table.h"

#include <array>
#include <bitset>
#include <cstdint>

#include "commands/dispatch/show_commands.h"
#include "commands/dispatch/simple_commands.h"
#include "commands/stage/stage_clear.h"
#include "definitions/command_record.h"
#include "foundation/log.h"
#include "stage/chara/chara.h"

namespace {

using Executor = void (*)(cChara&, cCmdState&);

constexpr std::array<Executor, kCharaCmdKindCount> kExecutors = [] {
  std::array<Executor, kCharaCmdKindCount> table{};
  table[kCmdStopMove] = CmdCancelMove;
  table[kCmdFacing] = CmdTurn;
  table[kCmdStatus] = CmdStatus;
  table[kCmdArrange] = CmdArrange;
  table[kCmdStageClear] = CmdStageClear;
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

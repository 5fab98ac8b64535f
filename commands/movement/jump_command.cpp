// "ジャンプ": every step hands the entry to the character's own jump, which
// starts, holds or ends it.
#include "commands/movement/common_mover.h"
#include "commands/movement/movement_commands.h"
#include "stage/chara/chara.h"

void CmdJump(cChara& chara, cCmdState& entry) {
  BeginMoveStep(chara);
  chara.StartJump(entry);
  ++entry.stepCount;
}

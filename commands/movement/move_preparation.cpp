#include "commands/movement/move_preparation.h"

#include <algorithm>
#include <climits>
#include <cstdint>

#include "definitions/command_record.h"
#include "stage/chara/chara.h"
#include "stage/motion/command_setup.h"
#include "stage/objects/stage_space.h"

void PrepareMoveEntry(cCmdState& entry, const cChara& chara) {
  const cEdCmd& command = *entry.cmd;
  if (command.m_nFamily != kFamilyChara) return;
  const cEdMove* move = command.m_Move.get();
  switch (command.m_nKind) {
    case kCmdStraightMove:
    case kCmdGroundTurnMove:
    case kCmdChargeMove:
    case kCmdOffScreenMove: SetCommandDistance(entry, chara.cloneValue); break;
    case kCmdCircleMove:
      SetCommandDistance(entry, chara.cloneValue);
      SetCircleCommand(entry, chara);
      break;
    case kCmdHomingMove:
      if (move != nullptr) {
        const std::int64_t lag = std::int64_t{move->m_nHomingLag} + std::int64_t{move->m_nHomingLagStep} * chara.cloneValue;
        entry.homingDelay = static_cast<std::int32_t>(std::clamp<std::int64_t>(lag * g_StageSpace.level, INT_MIN, INT_MAX));
      }
      SetCommandDistance(entry, chara.cloneValue);
      break;
    case kCmdJump: SetJumpCommand(entry, chara); break;
    default: break;
  }
}

// A stage character's jump command. It starts the jump once the character
// stands (neither jumping nor knocked back nor in the air; the project may
// let it jump whenever it is not already jumping), waits at most 4 x L
// sub-steps for that and then gives the command up, and ends the command's
// time when the character lands again.
#include "definitions/command_record.h"
#include "sound/waves/sound_requests.h"
#include "stage/chara/stage_chara.h"
#include "stage/core/stage_rules.h"
#include "stage/core/stage_sinks.h"
#include "stage/objects/stage_space.h"

namespace {

constexpr int kWaitSlot = 0;  // work word: sub-steps waited for a start

bool InTheAir(const cChara& chara) {
  return (g_StageRules.jumpBlockedByJumpStart ? chara.airborne : chara.falling) != 0;
}

void PlayJumpSound(const cChara& chara, const cEdCmd& command) {
  if (command.m_nSound == 0) return;
  if (!g_StageRules.jumpAtAnyTime && command.m_bHeroOnlySound && !chara.onScreen) return;
  RequestStageSound(kSystemSoundCount + command.m_nSound);
}

}  // namespace

void cStageChara::StartJump(cCmdState& entry) {
  if (!entry.started) {
    const bool free = !jumping && !knockedBack;
    const bool canJump = g_StageRules.jumpAtAnyTime ? free : free && !InTheAir(*this);
    if (canJump) {
      entry.started = 1;
      PlayJumpSound(*this, *entry.cmd);
      vy = entry.moveSpeed;
      airborne = jumping = 1;
      gravityOff1 = gravityOff2 = 0;
    } else if (++entry.work[kWaitSlot] >= 4 * g_StageSpace.level) {
      jumping = airborne = 0;
      entry.remaining = 0;
    }
    return;
  }
  if (standingCell >= 0 || landingMark) {
    jumping = airborne = 0;
    entry.remaining = 0;
  }
}

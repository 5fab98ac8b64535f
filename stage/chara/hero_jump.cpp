// The hero's jump command. Holding the jump key keeps the jump going (height
// modes 1 and 2 read the last key of the flow's key input; mode 0 counts as
// held throughout); releasing it early cuts the rise to 0.3 of its speed.
// Mode 2 takes the height from the commanded x speed. A hero riding a block
// character leaves it on the frame's last sub-step. Landing ends the jump so
// that a held command can jump again.
#include <cmath>

#include "definitions/command_record.h"
#include "definitions/flow_record.h"
#include "input/input_record.h"
#include "sound/waves/sound_requests.h"
#include "stage/chara/hero.h"
#include "stage/core/double_to_int.h"
#include "stage/core/stage_rules.h"
#include "stage/core/stage_sinks.h"
#include "stage/keys/flow_keys.h"
#include "stage/motion/command_setup.h"
#include "stage/objects/stage_space.h"
#include "stage/scene/current_actor.h"

namespace {

enum HeightMode : int { kFixedHeight = 0, kHeldHeight = 1, kSpeedHeight = 2 };
constexpr double kCarriedLift = 1.02;
constexpr double kShortJumpCut = 0.3;

const cVector<cKeyStep>* FlowKeys() {
  const cFlowState* flow = g_CurrentActor.flow;
  return flow != nullptr && flow->flow != nullptr ? &flow->flow->m_vKeySteps : nullptr;
}

bool HasKeys() {
  const cVector<cKeyStep>* keys = FlowKeys();
  return keys != nullptr && !keys->empty();
}

const cInput& InputOf(const cHero& hero) { return hero.input != nullptr ? *hero.input : g_Inputs[0]; }

bool KeyHeld(const cHero& hero, int mode) {
  if (mode == kFixedHeight) return true;
  if (!HasKeys() || g_Inputs.empty()) return false;
  const cVector<cKeyStep>& keys = *FlowKeys();
  return MatchStepNow(InputOf(hero), keys[static_cast<long long>(keys.size()) - 1]) != 0;
}

// Height mode 2: the faster the hero runs, the higher it jumps.
int HeightForSpeed(const cEdCmd& command, double speed) {
  const double level = g_StageSpace.levelF;
  const double fast = command.ParamOrZero(1) / (level * 10);
  const double slow = command.ParamOrZero(3) / (level * 10);
  const int high = command.ParamOrZero(2);
  const int low = command.ParamOrZero(4);
  int height = 0;
  if (speed >= fast) height = high;
  else if (speed <= slow) height = low;
  else height = TruncToInt(low + (high - low) * speed / fast);
  return height < 0 ? 0 : height;
}

void StartRise(cHero& hero, cCmdState& entry, double vy) {
  hero.vy = vy;
  entry.started = 1;
  if (entry.cmd->m_nSound != 0) RequestStageSound(kSystemSoundCount + entry.cmd->m_nSound);
}

}  // namespace

void cHero::StartJump(cCmdState& entry) {
  if (Floats() || jumpDoneThisStep) return;
  const cEdCmd& command = *entry.cmd;
  const int mode = command.ParamOrZero(0);
  if (mode == kSpeedHeight) entry.moveSpeed = JumpSpeedOf(*this, HeightForSpeed(command, std::fabs(cmdSpeedX)));
  const bool held = KeyHeld(*this, mode) && !jumpForbidden;
  const bool free = !jumping || carried;
  if (held) {
    ++jumpHoldCount;
    if (jumpHoldCount >= entry.duration && free && mayJump && !jumpHold && (vy < 0 || carried)) {
      jumping = 1;
      mayJump = 0;
    } else if (!falling && jumpHoldCount <= g_StageSpace.level && free && mayJump && !jumpHold && !knockedBack &&
               !entry.started) {
      const bool lastSubStep = g_StageSpace.subStep == g_StageSpace.level;
      if (!g_StageRules.jumpAtAnyTime) {
        if (!airborne && (!carried || lastSubStep)) {
          airborne = 1;
          carried = 0;
          StartRise(*this, entry, entry.moveSpeed);
        }
      } else {
        airborne = 1;
        if (!carried) {
          StartRise(*this, entry, entry.moveSpeed);
        } else if (lastSubStep) {
          carried = 0;
          StartRise(*this, entry, entry.moveSpeed * kCarriedLift);
        }
      }
    }
  } else {
    if (jumpHoldCount > 0 && jumpHoldCount < entry.duration && !jumping && !jumpHold && !jumpForbidden &&
        !knockedBack) {
      carried = 0;
      if (vy < 0) vy *= kShortJumpCut;
      jumping = 1;
    }
    jumpHoldCount = 0;
    mayJump = 1;
    jumpHold = 0;
  }
  const bool standing = (standingCell >= 0 || carried) && vy >= 0;
  if (standing && (!HasKeys() || !held)) {
    jumpHoldCount = 0;
    mayJump = 1;
    jumpHold = knockedBack = 0;
    if (HasKeys()) entry.remaining = 0;
    else entry.started = 0;
  }
  jumpDoneThisStep = 1;
}

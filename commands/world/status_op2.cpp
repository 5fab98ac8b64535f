#include "commands/world/status_op2.h"

#include <algorithm>

#include "commands/dispatch/command_params.h"
#include "commands/status/status_table.h"
#include "commands/world/removal.h"
#include "definitions/command_record.h"
#include "stage/chara/hero.h"
#include "stage/core/stage_rules.h"

namespace {

// The squeeze check leaves a character alone for this many sub-steps after
// it changed size.
constexpr int kSqueezeGraceAfterResize = 2;

void Resize(cChara& target, int value) {
  const int size = std::clamp(value, kMinSize, kMaxSize);
  const int old = target.sizeFactor;
  if (size != old && !g_StageRules.noResizeGrace) target.squeezeGrace = kSqueezeGraceAfterResize;
  target.SetScale(size, old, 0);
  target.sizeFactor = size;
  target.def.m_nSize = static_cast<std::uint8_t>(size);
  if (target.IsHero()) static_cast<cHero&>(target).SetupHeroGraphics();
}

// Flight is the hero's movement mode: its settings are applied again.
void SetFlight(cChara& target, const cEdCmd& command, int value) {
  if (!target.IsHero()) return;
  target.def.m_nFlight = static_cast<std::uint8_t>(value);
  static_cast<cHero&>(target).ApplySettings(value, 0, CmdParam(command, 3), CmdParam(command, 4));
}

}  // namespace

void RunStatusOperation2(cChara& chara, const cEdCmd& command) {
  const int whose = CmdParam(command, 0);
  const int status = CmdParam(command, 1);
  const std::int32_t value = CmdParam(command, 2);
  if (whose == kWhoseSystem) {
    if (status == 0) WriteSystemStatus(kSystemScrollX, value);
    else if (status == 1) WriteSystemStatus(kSystemScrollY, value);
    return;
  }
  cChara* target = WhoseChara(chara, whose);
  if (target == nullptr) return;
  switch (status) {
    case kStatus2Vanish: RemoveByCommand(*target, chara); break;
    case kStatus2Transparent: target->def.m_bTransparent = static_cast<std::uint8_t>(value); break;
    case kStatus2TurnByCommand: target->def.m_bTurnByCmd = static_cast<std::uint8_t>(value); break;
    case kStatus2Flight: SetFlight(*target, command, value); break;
    case kStatus2Invincible: target->def.m_nInvincible = static_cast<std::uint8_t>(value); break;
    case kStatus2Size: Resize(*target, value); break;
    case kStatus2ScrollSync:
      target->scrollSync = value;
      target->def.m_bScrollSync = static_cast<std::uint8_t>(value);
      break;
    default: break;
  }
}

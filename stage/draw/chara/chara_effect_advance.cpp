#include "stage/draw/chara/chara_effect_advance.h"

#include "project/effect_records.h"
#include "shell/game/game.h"
#include "stage/chara/chara.h"
#include "stage/scene/stage_hooks.h"

namespace {

bool Blinks(int kind) { return kind == kCharaEffectBlink || kind == kCharaEffectHalf; }

// The blink interval in frames, from the definition's first parameter.
int BlinkInterval(const cCharaEffectSlot& slot) {
  return slot.definition == nullptr ? 0 : slot.definition->m_anParam[1];
}

}  // namespace

int AdvanceCharaEffect(cChara& chara, int noAdvance) {
  cCharaEffectSlot& slot = chara.effect;
  if (slot.number != 0 && Blinks(slot.Kind()) && !noAdvance && ++slot.counterA >= BlinkInterval(slot)) {
    slot.counterA = 0;
    slot.counterB = slot.counterB ? 0 : 1;
  }
  chara.shownEffect = slot;
  if (slot.number == 0 || noAdvance) return 0;
  if (!StepCharaEffect(slot)) return 0;
  slot.number = 0;
  return 1;
}

// The death effect, with its run mode, takes the slot from whatever ran
// before, a looping base effect included; a death without one (or with a
// number that names none) leaves the slot empty, so the death can end.
void StartDeathEffect(cChara& chara) {
  chara.effect = cCharaEffectSlot{};
  const cEdChara& def = chara.def;
  if (def.m_nDeathEffect != 0) SelectCharaEffect(chara.effect, def.m_nDeathEffect, def.m_nDeathEffectMode, 0);
}

// A dead character stays until its effect has played; one operated by the
// computer without an effect goes at once, one operated by the player stays
// a second (the frame rate) after its effect. A frame that does not advance
// steps neither the effect nor that second.
int AdvanceCharaDeath(cChara& chara, int noAdvance) {
  const bool hadEffect = chara.effect.number != 0;
  const int ended = AdvanceCharaEffect(chara, noAdvance);
  if (chara.op != 0) return !hadEffect || ended ? 1 : 0;
  if (hadEffect || noAdvance) return 0;
  return ++chara.deathCounter == g_Game.m_nFps + 1 ? 1 : 0;
}

#include "stage/draw/effects/chara_effect_slot.h"

#include <utility>

#include "project/database.h"
#include "project/global_data.h"

CharaEffectSlotSets g_CharaEffectSlots;

int cCharaEffectSlot::Kind() const {
  if (number == 0 || definition == nullptr) return kCharaEffectNone;
  return definition->m_nKind;
}

namespace {

std::uint64_t g_boundEdition = 0;

// The sets follow the database: bound again when its effect lists may have
// been made anew since they were bound.
const CharaEffectSlotSets& CurrentSets() {
  if (g_boundEdition != EffectListsEdition()) InitCharaEffectSlots();
  return g_CharaEffectSlots;
}

cVector<cCharaEffect>& DefinitionsOfSet(int set) {
  return set == 1 ? g_Database->m_vCharaEffectWork : g_Database->m_vCharaEffect;
}

void CopyRunningFields(cCharaEffectSlot& to, const cCharaEffectSlot& from) {
  to.definition = from.definition;
  to.start = from.start;
  to.end = from.end;
  to.value = from.value;
  to.step = from.step;
  to.runLength = from.runLength;
  to.elapsed = from.elapsed;
  to.counterA = from.counterA;
  to.counterB = from.counterB;
}

}  // namespace

void BindCharaEffectSlot(cCharaEffectSlot& slot, std::int16_t n, int set) {
  cCharaEffect& definition = DefinitionsOfSet(set)[n];
  // The backward copy starts from the forward values each time, so binding
  // again exchanges start and end once, never back.
  if (set == 1) definition.m_anParam = DefinitionsOfSet(0)[n].m_anParam;
  slot.number = n;
  slot.definition = &definition;
  const int kind = definition.m_nKind;
  const int tenths = definition.m_anParam[0];
  switch (kind) {
    case kCharaEffectBlink:
    case kCharaEffectHalf:
      slot.start = 0;
      slot.end = tenths;
      slot.runLength = tenths;
      slot.value = 0.0;
      slot.step = kTenthsPerFrame;
      slot.counterA = 0;
      slot.counterB = 0;
      break;
    default:
      if (kind < kCharaEffectBurst || kind >= kCharaEffectKinds) break;
      slot.runLength = tenths;
      if (set == 1) std::swap(definition.m_anParam[1], definition.m_anParam[2]);
      slot.start = definition.m_anParam[1];
      slot.end = definition.m_anParam[2];
      slot.value = slot.start;
      slot.step = EffectStepPerFrame(slot.start, slot.end, tenths);
      if (kind == kCharaEffectWaveH || kind == kCharaEffectWaveV) slot.counterA = 0;
      break;
  }
  if (kind != kCharaEffectNone && slot.start == slot.end) {
    slot.step = kTenthsPerFrame;
    slot.elapsed = 0.0;
  }
}

void InitCharaEffectSlots() {
  g_boundEdition = EffectListsEdition();
  InitEffectSlots(g_CharaEffectSlots.forward, g_CharaEffectSlots.backward, g_Database->m_vCharaEffect.size(),
                  [](cCharaEffectSlot& slot, std::int16_t n, int set) { BindCharaEffectSlot(slot, n, set); });
}

void SelectCharaEffect(cCharaEffectSlot& slot, int n, int mode, int loop) {
  const int backward = mode == kPlayBackward ? 1 : 0;
  const cCharaEffectSlot* bound = CurrentSets().Bound(n, backward);
  const int kind = bound == nullptr || bound->definition == nullptr ? -1 : bound->definition->m_nKind;
  if (kind < kCharaEffectNone || kind >= kCharaEffectKinds) {
    ReportBadEffectNumber("Character", n, g_CharaEffectSlots.forward.size());
    return;
  }
  StartFromBound(slot, *bound, CopyRunningFields, backward, n, mode, loop);
}

void RestartCharaEffect(cCharaEffectSlot& slot) {
  RestartFromBound(slot, CurrentSets(), CopyRunningFields);
}

int StepCharaEffect(cCharaEffectSlot& slot) {
  if (slot.start == slot.end) {
    slot.elapsed += slot.step;
    if (slot.elapsed <= slot.runLength) return 0;
  } else if (slot.start > slot.end) {
    slot.value -= slot.step;
    if (slot.value >= slot.end) return 0;
  } else {
    slot.value += slot.step;
    if (slot.value <= slot.end) return 0;
  }
  if (slot.OverAtEnd()) return 1;
  RestartCharaEffect(slot);
  return 0;
}

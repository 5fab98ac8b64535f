#include "stage/draw/effects/screen_effect_slot.h"

#include <utility>

#include "foundation/log.h"
#include "project/database.h"
#include "project/global_data.h"
#include "stage/core/double_to_int.h"

ScrEffectSlotSets g_ScrEffectSlots;

int cScrEffectSlot::Kind() const {
  if (number == 0 || definition == nullptr) return kScreenEffectNone;
  const int kind = definition->m_nKind;
  return kind > 0 && kind < kScreenEffectKinds ? kind : kScreenEffectNone;
}

int cScrEffectSlot::Param(int index) const {
  if (definition == nullptr || index < 0 || index >= 5) return 0;
  return definition->m_anParam[static_cast<std::size_t>(index)];
}

namespace {

std::uint64_t g_boundEdition = 0;

// The sets follow the database: bound again when its effect lists may have
// been made anew since they were bound.
const ScrEffectSlotSets& CurrentSets() {
  if (g_boundEdition != EffectListsEdition()) InitScrEffectSlots();
  return g_ScrEffectSlots;
}

void CopyRunningFields(cScrEffectSlot& to, const cScrEffectSlot& from) {
  to.definition = from.definition;
  to.value = from.value;
  to.secondValue = from.secondValue;
  to.step = from.step;
  to.counterA = from.counterA;
  to.counterB = from.counterB;
  to.fixedRun = from.fixedRun;
  to.elapsed = from.elapsed;
  to.runLength = from.runLength;
}

// Kinds whose value runs from P1 to P2.
bool RunsFromP1ToP2(int kind) {
  return (kind >= kScreenEffectSplitH && kind <= kScreenEffectWaveV) ||
         (kind >= kScreenEffectRotate && kind <= kScreenEffectMosaic);
}

}  // namespace

void BindScrEffectSlot(cScrEffectSlot& slot, std::int16_t n, int set) {
  cScrEffect& definition = (set == 1 ? g_Database->m_vScrEffectWork : g_Database->m_vScrEffect)[n];
  // The backward copy starts from the forward values each time, so binding
  // again exchanges them once, never back.
  if (set == 1) definition.m_anParam = g_Database->m_vScrEffect[n].m_anParam;
  auto& p = definition.m_anParam;
  const int kind = definition.m_nKind;
  // Kinds past the table (damaged data) bind nothing; kind 0 binds an
  // effect that draws nothing and never ends.
  if (kind < kScreenEffectNone || kind >= kScreenEffectKinds) return;
  slot.number = n;
  slot.definition = &definition;
  switch (kind) {
    case kScreenEffectNone: return;
    case kScreenEffectMove:
      if (set == 1) {
        std::swap(p[1], p[3]);
        std::swap(p[2], p[4]);
      }
      slot.counterA = p[1];
      slot.counterB = p[2];
      slot.value = 0.0;
      slot.step = kTenthsPerFrame;
      return;
    case kScreenEffectShakeH:
    case kScreenEffectShakeV:
      slot.counterA = 0;
      slot.value = 0.0;
      slot.secondValue = 0.0;
      slot.step = kTenthsPerFrame;
      return;
    case kScreenEffectBlink:
      slot.counterA = 0;
      slot.counterB = 0;
      slot.value = 0.0;
      slot.step = kTenthsPerFrame;
      return;
    default:
      break;
  }
  if (!RunsFromP1ToP2(kind)) return;
  if (set == 1) std::swap(p[1], p[2]);
  if (kind == kScreenEffectWaveH || kind == kScreenEffectWaveV) slot.counterA = 0;
  slot.value = p[1];
  slot.step = EffectStepPerFrame(p[1], p[2], p[0]);
  if (p[1] == p[2]) {
    slot.fixedRun = 1;
    slot.step = kTenthsPerFrame;
    slot.elapsed = 0.0;
    slot.runLength = p[0];
  }
}

void InitScrEffectSlots() {
  g_boundEdition = EffectListsEdition();
  InitEffectSlots(g_ScrEffectSlots.forward, g_ScrEffectSlots.backward, g_Database->m_vScrEffect.size(),
                  [](cScrEffectSlot& slot, std::int16_t n, int set) { BindScrEffectSlot(slot, n, set); });
}

void SelectScrEffect(cScrEffectSlot& slot, int n, int mode, int loop) {
  const int backward = mode == kPlayBackward ? 1 : 0;
  const cScrEffectSlot* bound = CurrentSets().Bound(n, backward);
  if (bound == nullptr) {
    ReportBadEffectNumber("Screen", n, g_ScrEffectSlots.forward.size());
    return;
  }
  // A definition of a kind past the table (damaged data) binds nothing.
  if (bound->definition == nullptr) {
    Report("Screen effect %d has a kind this program does not know (%d)", n, g_Database->m_vScrEffect[n].m_nKind);
    return;
  }
  StartFromBound(slot, *bound, CopyRunningFields, backward, n, mode, loop);
}

void RestartScrEffect(cScrEffectSlot& slot) {
  RestartFromBound(slot, CurrentSets(), CopyRunningFields);
}

int StepScrEffect(cScrEffectSlot& slot, int from, int to, double step) {
  if (slot.fixedRun) {
    slot.elapsed += slot.step;
    if (slot.elapsed <= slot.runLength) return 0;
  } else if (from <= to) {
    slot.value += step;
    if (TruncToInt(slot.value) <= to) return 0;
  } else {
    slot.value -= step;
    if (TruncToInt(slot.value) >= to) return 0;
  }
  if (slot.OverAtEnd()) return 1;
  RestartScrEffect(slot);
  return 0;
}

#include "stage/keys/flow_keys.h"

#include <algorithm>

#include "stage/chara/chara.h"
#include "stage/chara/stage_lists.h"
#include "stage/chara/hero.h"
#include "stage/scene/current_actor.h"
#include "stage/core/stage_rules.h"

namespace {

constexpr int kDirKeys = 10;
constexpr int kOldestRun = PRESSHISTORY::kRuns - 1;

// Left and right (and the diagonals) swap while facing left.
int MirroredKey(int key) {
  switch (key) {
    case 1: return 2;
    case 2: return 1;
    case 5: return 7;
    case 7: return 5;
    case 6: return 8;
    case 8: return 6;
    default: return key;
  }
}

// The player's input record: the one the player hero plays with, chosen
// by its input player number as it was placed (the first record for a
// number beyond them, which the placement reported).
const cInput* PlayerInput() {
  if (const cHero* hero = PlayerHero(); hero != nullptr && hero->input != nullptr) return hero->input;
  return g_Inputs.empty() ? nullptr : &g_Inputs[0];
}

bool FacingLeftNow(const cChara& asking) {
  const cChara* current = g_CurrentActor.chara != nullptr ? g_CurrentActor.chara : &asking;
  return current->facing == 0;
}

}  // namespace

PressRun RunAt(const cInput& input, int key, int position) {
  position = std::clamp(position, 0, kOldestRun);
  const auto& logs = key < kDirKeys ? input.m_vDirPress : input.m_vButtonPress;
  const int index = key < kDirKeys ? key : key - kDirKeys;
  if (index < 0 || static_cast<std::size_t>(index) >= logs.size()) return PressRun{0, 0};
  return logs[index].runs[static_cast<std::size_t>(position)];
}

KeyCursor NewestCursor(const cInput& input) {
  KeyCursor cursor;
  for (int key = 0; key < kKeyHistories; ++key) cursor.elapsed[key] = RunAt(input, key, 0).frames;
  return cursor;
}

int RunMatches(const PressRun& run, std::int32_t elapsed, const cKeyStep& step, int want) {
  if (want == kKeyPressed) {
    if (!run.pressed) return 0;
    if (step.m_bAnyHold) return elapsed >= 1;
    return step.m_nTime1 <= elapsed && elapsed <= step.m_nTime2;
  }
  return !run.pressed && elapsed >= 1;
}

int MatchStep(const cInput& input, const cKeyStep& step, const KeyCursor& cursor, bool mirrored,
              std::int32_t& elapsed) {
  int matches = 0;
  int misses = 0;
  bool first = true;
  elapsed = 0;
  for (int key = 0; key < kKeyHistories; ++key) {
    const std::uint8_t want = static_cast<std::size_t>(key) < step.m_vKeys.size() ? step.m_vKeys[key] : std::uint8_t{kKeyAny};
    if (want == kKeyAny) continue;
    const int history = mirrored ? MirroredKey(key) : key;
    const bool ok = !cursor.exhausted[history] &&
                    RunMatches(RunAt(input, history, cursor.position[history]), cursor.elapsed[history], step, want);
    if (!ok) {
      ++misses;
      continue;
    }
    ++matches;
    const std::int32_t e = cursor.elapsed[history];
    if (first) elapsed = e;
    else if (step.m_nCombination == kKeysAll) elapsed = std::min(elapsed, e);
    else if (step.m_nCombination == kKeysAny) elapsed = std::max(elapsed, e);
    else elapsed = e;
    first = false;
  }
  if (step.m_nCombination == kKeysAny) return matches >= 1;
  if (step.m_nCombination == kKeysExactly1) return matches == 1;
  return misses == 0;
}

void ShiftHistories(const cInput& input, KeyCursor& cursor, std::int32_t delta) {
  for (int key = 0; key < kKeyHistories; ++key) {
    std::int32_t& pos = cursor.position[key];
    std::int32_t& elapsed = cursor.elapsed[key];
    if (delta > 0) {
      elapsed += delta;
      cursor.exhausted[key] = 0;
      while (elapsed > RunAt(input, key, pos).frames && pos > 0) {
        elapsed -= RunAt(input, key, pos).frames;
        --pos;
      }
      continue;
    }
    elapsed += delta;
    while (elapsed <= 0) {
      if (pos >= kOldestRun) {
        if (elapsed < 0) cursor.exhausted[key] = 1;
        elapsed = 0;
        break;
      }
      ++pos;
      elapsed += RunAt(input, key, pos).frames;
    }
  }
}

int MatchKeys(cChara& chara, cFlowState& state, const cVector<cKeyStep>& steps, int gap) {
  const cInput* input = PlayerInput();
  if (input == nullptr || steps.empty()) return 0;
  const bool mirroredWanted = FacingLeftNow(chara);
  auto match = [&](const cKeyStep& step, const KeyCursor& cursor, std::int32_t& elapsed) {
    return MatchStep(*input, step, cursor, step.m_bFacingRelative && mirroredWanted, elapsed) != 0;
  };
  KeyCursor cursor = NewestCursor(*input);
  long long idx = static_cast<long long>(steps.size()) - 1;
  std::int32_t elapsed = 0;
  if (!match(steps[idx], cursor, elapsed)) return 0;
  if (state.flow != nullptr && state.flow->m_bKeyHold && state.keyLatchA) return 1;
  while (idx > 0) {
    ShiftHistories(*input, cursor, -elapsed);
    --idx;
    if (match(steps[idx], cursor, elapsed)) continue;
    if (gap == 0) return 0;
    int shifts = 0;
    bool found = false;
    while (shifts < gap) {
      ShiftHistories(*input, cursor, -1);
      ++shifts;
      if (match(steps[idx], cursor, elapsed)) {
        found = true;
        break;
      }
    }
    if (found) continue;
    ShiftHistories(*input, cursor, shifts + 1);
    if (!match(steps[idx], cursor, elapsed)) return 0;
    std::int32_t newerElapsed = 0;
    if (!g_StageRules.looseKeyOrder && match(steps[idx + 1], cursor, newerElapsed)) return 0;
  }
  return 1;
}

int CheckFlowKeys(cChara& chara, cFlowState& state) {
  if (state.flow == nullptr || state.flow->m_vKeySteps.empty()) return 1;
  const cEdFlow& flow = *state.flow;
  if (flow.m_bKeyHold) {
    const int result = MatchKeys(chara, state, flow.m_vKeySteps, flow.m_nKeyGap);
    state.keyLatchA = result ? 1 : 0;
    return result;
  }
  state.keyLatchA = 0;
  const int matched = MatchKeys(chara, state, flow.m_vKeySteps, flow.m_nKeyGap);
  int result = matched;
  if (matched == 1 && state.keyLatchB) {
    result = 0;
    if (flow.m_nTrigger == kTriggerAlways && flow.m_nFlag > 0 && flow.m_nFlag < kFlagLetters) {
      if (g_CurrentActor.chara != nullptr) g_CurrentActor.chara->flagSets[0][flow.m_nFlag] = 1;
      chara.flagSets[1][flow.m_nFlag] = 1;
    }
  }
  state.keyLatchB = matched ? 1 : 0;
  return result;
}

int MatchStepNow(const cInput& input, const cKeyStep& step) {
  int matches = 0;
  int misses = 0;
  for (int key = 0; key < kKeyHistories; ++key) {
    const std::uint8_t want = static_cast<std::size_t>(key) < step.m_vKeys.size() ? step.m_vKeys[key] : std::uint8_t{kKeyAny};
    if (want == kKeyAny) continue;
    const bool pressed = RunAt(input, key, 0).pressed != 0;
    if (pressed == (want == kKeyPressed)) {
      ++matches;
      if (step.m_nCombination == kKeysAny) return 1;
    } else {
      ++misses;
    }
  }
  if (step.m_nCombination == kKeysAny) return matches >= 1;
  if (step.m_nCombination == kKeysExactly1) return matches == 1;
  return misses == 0;
}

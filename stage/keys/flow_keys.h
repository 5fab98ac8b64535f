#pragma once
// Key-input conditions of flows: fighting-game style sequences (press, hold
// for a time, release, in order) matched backwards, from the newest input
// into the past, against the run-length press logs of the player's input
// record. The trigger check asks CheckFlowKeys before it starts a flow; the
// hero's jump asks MatchStepNow for the state of this frame alone.
//
// The cursor never leaves the logs: past the oldest run a key test fails,
// and runs of no frames are stepped over, so no history can loop.

#include <array>
#include <cstdint>

#include "definitions/flow_record.h"
#include "input/input_record.h"

class cChara;
struct cFlowState;

inline constexpr int kKeyHistories = 19;

// Per history: run position (0 newest) and the frames of that run from the
// cursor back; exhausted once shifted past the oldest run.
struct KeyCursor {
  std::array<std::int32_t, kKeyHistories> position{};
  std::array<std::int32_t, kKeyHistories> elapsed{};
  std::array<std::uint8_t, kKeyHistories> exhausted{};
};

int CheckFlowKeys(cChara& chara, cFlowState& state);
int MatchKeys(cChara& chara, cFlowState& state, const cVector<cKeyStep>& steps, int gap);
int MatchStep(const cInput& input, const cKeyStep& step, const KeyCursor& cursor, bool mirrored, std::int32_t& elapsed);
int RunMatches(const PressRun& run, std::int32_t elapsed, const cKeyStep& step, int want);
void ShiftHistories(const cInput& input, KeyCursor& cursor, std::int32_t delta);
KeyCursor NewestCursor(const cInput& input);
int MatchStepNow(const cInput& input, const cKeyStep& step);
// The press run of history `key` (0..18) at a position; an empty run for a
// missing log.
PressRun RunAt(const cInput& input, int key, int position);

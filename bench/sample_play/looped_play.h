#pragma once
// A stage played by an input script, attempt after attempt. An attempt
// starts as the game starts a stage (its pictures loaded, the intro shown)
// and its frames are counted from its first frame of play; it ends when the
// script runs out or the stage leaves play (the key taken), and the next is
// begun afresh from the same save data, so every attempt plays alike.

#include <benchmark/benchmark.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "definitions/stage/stage_record.h"
#include "stage/harness/stage_harness.h"
#include "tools/sample_game/play/input_script.h"

// What a benchmark adds to every attempt: once its play starts, and before
// each of its frames of play.
struct AttemptHooks {
  std::function<void(cStageHarness&)> atPlayStart;
  std::function<void(cStageHarness&)> beforeFrame;
};

// The stage file "<name>_000" of the working folder; nothing when it does
// not load.
std::optional<cEdStage> LoadStageRecord(const std::string& name);

class LoopedPlay {
 public:
  LoopedPlay(const cEdStage& record, const std::vector<sample_game::ScriptFrame>& frames, AttemptHooks hooks = {});
  LoopedPlay(const LoopedPlay&) = delete;
  LoopedPlay& operator=(const LoopedPlay&) = delete;

  // A fresh attempt run through the stage's start and intro to its first
  // frame of play.
  void Restart();
  // Plays the next frame of the script; false when the attempt is over and
  // wants a Restart.
  bool Step();
  // One whole attempt from its start; the state hash of every frame.
  std::vector<std::uint64_t> PlayAttempt();
  cStageHarness& Harness() { return m_harness; }

 private:
  cEdStage m_record;
  const std::vector<sample_game::ScriptFrame>& m_frames;
  AttemptHooks m_hooks;
  cStageHarness m_harness;
  std::size_t m_next = 0;
};

// Why the play is not fit to be timed, or empty when it is: an attempt must
// play more than `checkedFrame` frames, two attempts must hash alike on
// every frame, and the state must change from frame to frame.
std::string CheckAttempts(LoopedPlay& play, std::size_t checkedFrame);

// Times frames of play, beginning a new attempt untimed whenever one ends;
// reports frames a second.
void TimeFrames(benchmark::State& state, LoopedPlay& play);

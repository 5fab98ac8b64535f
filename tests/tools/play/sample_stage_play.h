#pragma once
// The sample game's stages played headless through the stage harness: the
// generated game is loaded by the player's own start-up steps (databases,
// frame tables, effect slots, system record, world map, common palette) with
// the commands installed, a stage file is set up with a seed, and an input
// script runs frame by frame while the state hash of every frame is kept.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "tests/tools/generated_game.h"
#include "stage/harness/stage_harness.h"
#include "tools/sample_game/play/input_script.h"

namespace sample_game_test {

// While it lives, the generated game is the working folder with its project
// loaded as start-up loads it (without a screen) and the commands installed.
class LoadedSampleGame {
 public:
  LoadedSampleGame();
  ~LoadedSampleGame();
  LoadedSampleGame(const LoadedSampleGame&) = delete;
  LoadedSampleGame& operator=(const LoadedSampleGame&) = delete;

 private:
  InGameFolder inGame_;
};

// A stage of the generated game ("data\stg4\Stage3.stg4") begun in play
// with `seed`.
class SampleStageRun {
 public:
  SampleStageRun(const std::string& stageName, std::uint32_t seed);

  // Steps one frame per script frame (stopping early when `stop` holds after
  // a frame) and returns the hash of each frame stepped.
  std::vector<std::uint64_t> Play(const std::vector<sample_game::ScriptFrame>& frames,
                                  const std::function<bool()>& stop = {});
  cStageHarness& Harness() { return harness_; }
  bool Loaded() const { return loaded_; }

 private:
  cStageHarness harness_;
  bool loaded_ = false;
};

// Every stage of the game with the input script that clears it: the story
// stages in play order, then the challenge stages.
struct StageScript {
  std::string stage;
  std::string_view script;
};
std::vector<StageScript> EveryStageScript();

// Whether an item with the key's graphic is still waiting on the stage.
bool KeyStillOnStage();

}  // namespace sample_game_test

#pragma once
// The whole player on the generated sample game, headless: the screens,
// the stage scene with its drawing and the command runtime registered as
// the player registers them, the title reached, keys held by input scripts
// frame by frame, frames written as PNGs into SCREEN_WALK_SHOTS when that
// names a folder.

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "shell/harness/run_harness.h"
#include "tools/sample_game/play/input_script.h"
#include "tools/sample_game/sample_game.h"

namespace sample_game_test {

class SampleWalk {
 public:
  explicit SampleWalk(const std::string& name, const sample_game::GenerateOptions& options = {});
  ~SampleWalk();

  // Starts the player and steps to the title's menu.
  bool StartAtTitle();
  // Starts the player on a stage file given on its command line.
  bool StartOnStage(const std::string& stageFile);
  // Steps until `done` holds after a frame, at most `limit` frames.
  bool StepUntil(const std::function<bool()>& done, int limit = 600);
  void Step(int frames = 1);
  // Holds the Windows key for a frame, then lets it go for a frame.
  void Tap(int virtualKey);
  // Holds the keys of each script frame for one frame (right for R, Z for
  // J, X for S, C for W, ...); stops early when `stop` holds after a frame.
  // Returns the frames played.
  int Play(const std::vector<sample_game::ScriptFrame>& frames, const std::function<bool()>& stop = {});
  void Shot(const std::string& label) const;
  // Closes the player; true when it closed.
  bool Close();

  const std::filesystem::path& Folder() const { return m_folder; }
  const cRunHarness& Harness() const { return *m_harness; }

 private:
  std::string m_name;
  std::filesystem::path m_folder;
  std::unique_ptr<cRunHarness> m_harness;
};

// The Windows key codes the walks press.
inline constexpr int kVkLeft = 37, kVkUp = 38, kVkRight = 39, kVkDown = 40, kVkZ = 'Z';

// The routes every walk starts by.
// From the title's menu: a new game in the first slot, until the figure walks
// on the world map.
bool WalkOntoTheMap(SampleWalk& walk);
// From the map's first cell: right to the meadow's cell, yes to it, until the
// meadow plays (false when the figure does not stop on the meadow's cell).
bool EnterTheMeadow(SampleWalk& walk);
// The stage scene is in `phase` (the stage playing when kPhasePlay).
bool InStagePhase(int phase);

}  // namespace sample_game_test

#include "sample_stage_play.h"

#include <gtest/gtest.h>

#include "commands/install.h"
#include "definitions/stage/stage_loader.h"
#include "graphics/text/font_setup.h"
#include "platform/main_thread.h"
#include "recorded_run_digests.h"
#include "project/global_data.h"
#include "shell/game/frame_step.h"
#include "shell/init/project_load.h"
#include "shell/subsystems/subsystem_steps.h"
#include "stage/chara/stage_lists.h"
#include "stage/draw/stage_drawing.h"
#include "stage/items/stage_item.h"
#include "tools/sample_game/art.h"
#include "tools/sample_game/play/stage_scripts.h"
#include "tools/sample_game/project_files.h"

namespace sample_game_test {

LoadedSampleGame::LoadedSampleGame() {
  // Without a screen there are no fonts: messages measure as they did when
  // the runs were pinned, whatever fonts a player started earlier left.
  for (Font& font : g_Fonts) font.Release();
  // Registered as the player's entry registers them, then loaded by the
  // start-up's own steps: the run plays the data the player plays.
  RegisterStageDrawing();
  InstallCommands();
  StartProjectData();
  BuildParamTableStep();
  EXPECT_TRUE(LoadProjectData());
  EXPECT_TRUE(LoadWorldMapAndPalette());
}

LoadedSampleGame::~LoadedSampleGame() {
  ForgetLostSurfaceLists();
  StopProjectData();
  platform::ResetMainThreadState();
}

SampleStageRun::SampleStageRun(const std::string& stageName, std::uint32_t seed) {
  cEdStage stage;
  loaded_ = LoadFile(stage, stageName + "_000") == 1;
  if (!loaded_) return;
  harness_.UseStage(stage);
  harness_.Begin(seed);
}

std::vector<std::uint64_t> SampleStageRun::Play(const std::vector<sample_game::ScriptFrame>& frames,
                                                const std::function<bool()>& stop) {
  std::vector<std::uint64_t> hashes;
  for (const sample_game::ScriptFrame& frame : frames) {
    harness_.Step(frame.dir, frame.buttons);
    hashes.push_back(harness_.Hash());
    if (stop && stop()) break;
  }
  return hashes;
}

std::vector<StageScript> EveryStageScript() {
  using namespace sample_game;
  std::vector<StageScript> stages;
  for (int index = 0; index < kStoryStageCount; ++index)
    stages.push_back({kStoryStages[index], StoryStageScript(index)});
  for (int index = 0; index < kChallengeStageCount; ++index)
    stages.push_back({kChallengeStages[index], ChallengeStageScript(index)});
  return stages;
}

std::uint64_t RunDigest(std::span<const std::uint64_t> hashes) {
  std::uint64_t digest = 0xCBF29CE484222325ull;
  auto add = [&](std::uint64_t value) {
    for (int i = 0; i < 8; ++i) {
      digest ^= (value >> (8 * i)) & 0xFF;
      digest *= 0x100000001B3ull;
    }
  };
  add(hashes.size());
  for (std::uint64_t hash : hashes) add(hash);
  return digest;
}

bool KeyStillOnStage() {
  bool found = false;
  g_ItemList.ForEach([&](cStageItem& item) {
    found = found || (item.def.m_nGraphicNo == sample_game::kKeyCell && !item.removed);
  });
  return found;
}

}  // namespace sample_game_test

#include "tools/soak/stage_replays.h"

#include <fstream>
#include <iterator>
#include <utility>

#include "definitions/save_data/save_data.h"
#include "input/replay.h"
#include "input/replay_file.h"
#include "project/global_data.h"
#include "shell/game/game.h"
#include "stage/harness/stage_harness.h"
#include "tools/sample_game/play/input_script.h"
#include "tools/sample_game/play/stage_scripts.h"
#include "tools/sample_game/project_files.h"

namespace soak {
namespace {

namespace fs = std::filesystem;

constexpr std::uint32_t kSeed = 878;
constexpr int kIntroFrameLimit = 600;

struct StageScript {
  std::string stage;
  std::string_view text;
};

std::vector<StageScript> StageScripts() {
  std::vector<StageScript> scripts;
  for (int index = 0; index < sample_game::kStoryStageCount; ++index)
    scripts.push_back({sample_game::kStoryStages[index], sample_game::StoryStageScript(index)});
  for (int index = 0; index < sample_game::kChallengeStageCount; ++index)
    scripts.push_back({sample_game::kChallengeStages[index], sample_game::ChallengeStageScript(index)});
  return scripts;
}

std::vector<char> ReadBytes(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::vector<char>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Plays the script as a free-play attempt until the attempt ends and writes
// its replay to `storedPath`; false when the stage does not load or the
// replay is not written. An attempt that ends in the hero's death has begun
// the next one on its last frame, and the replay of the ended one is the
// previous attempt's.
bool RecordAttempt(const StageScript& script, const std::string& storedPath,
                   std::vector<std::uint64_t>& hashes) {
  const std::optional<std::vector<sample_game::ScriptFrame>> frames =
      sample_game::ParseInputScript(script.text);
  cEdStage stage;
  if (!frames || LoadFile(stage, script.stage + "_000") != 1) return false;
  g_Game.m_nTitleCmd = 0;
  g_Game.m_nPlayMode = PM_FREE;
  g_SaveData = cSaveData();
  g_SaveData.m_nLife = 3;
  cStageHarness harness;
  harness.UseStage(stage);
  harness.Begin(kSeed, kPhaseIntro);
  for (int frame = 0; frame < kIntroFrameLimit && harness.Scene().Phase() == kPhaseIntro; ++frame)
    harness.Step(0, 0);
  if (harness.Scene().Phase() != kPhasePlay) return false;
  for (const sample_game::ScriptFrame& frame : *frames) {
    harness.Step(frame.dir, frame.buttons);
    hashes.push_back(harness.Hash());
    if (harness.Scene().Phase() != kPhasePlay) break;
  }
  if (harness.Scene().Phase() == kPhaseIntro) {
    hashes.pop_back();
    return WriteReplayFile(g_ReplayPrev, storedPath, g_Stage, g_PlayStage, g_ReplaySaveDataPrev) == 1;
  }
  return WriteReplayFile(g_Replay, storedPath, g_Stage, g_PlayStage, g_ReplaySaveData) == 1;
}

}  // namespace

std::vector<StageReplay> RecordStageReplays(std::string* error) {
  fs::create_directories(fs::path("user_data") / "rpl4");
  const int replayRecord = g_System->m_bReplayRecord;
  g_System->m_bReplayRecord = 1;
  std::vector<StageReplay> replays;
  int number = 0;
  for (const StageScript& script : StageScripts()) {
    const std::string name = "recorded" + std::to_string(++number) + ".rpl4_000";
    StageReplay replay{script.stage, {}, {}};
    if (!RecordAttempt(script, "user_data\\rpl4\\" + name, replay.hashes)) {
      *error = "no replay of " + script.stage;
      replays.clear();
      break;
    }
    replay.fileBytes = ReadBytes(fs::path("user_data") / "rpl4" / name);
    replays.push_back(std::move(replay));
  }
  g_System->m_bReplayRecord = replayRecord;
  return replays;
}

}  // namespace soak

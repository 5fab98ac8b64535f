// Exact replays of the sample game: every stage's script is played once
// with replay recording on, the replay is written through the replay file
// and chosen again as the title's replay command does, and its playback
// reaches the recording run's state hash on every frame. One changed input
// word leaves the frames before it alone and changes the run from there.
// Attempts begun after a lost life, played with random input, play back
// frame for frame too.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <iomanip>
#include <random>
#include <sstream>

#include "definitions/save_data/save_data.h"
#include "input/replay.h"
#include "input/replay_file.h"
#include "input/replay_serving.h"
#include "platform/message_box.h"
#include "project/global_data.h"
#include "recorded_run_digests.h"
#include "sample_stage_play.h"
#include "shell/game/game.h"
#include "stage/chara/hero.h"
#include "tools/sample_game/play/stage_scripts.h"
#include "tools/sample_game/project_files.h"

namespace {

using namespace sample_game;
using namespace sample_game_test;

constexpr std::uint32_t kSeed = 878;

// The game state a replay test changes, as it stood before the test.
struct ReplayGlobals {
  int titleCmd = g_Game.m_nTitleCmd;
  int playMode = g_Game.m_nPlayMode;
  std::string replayFile = g_strReplayFile;
  cReplay replay = g_Replay, previous = g_ReplayPrev;
  cSaveData save = g_SaveData, replaySave = g_ReplaySaveData, replaySavePrevious = g_ReplaySaveDataPrev;

  void Restore() const {
    g_Game.m_nTitleCmd = titleCmd;
    g_Game.m_nPlayMode = playMode;
    g_strReplayFile = replayFile;
    g_Replay = replay;
    g_ReplayPrev = previous;
    g_SaveData = save;
    g_ReplaySaveData = replaySave;
    g_ReplaySaveDataPrev = replaySavePrevious;
  }
};

// A play in `playMode` begun from the title with three lives.
void StartPlay(int playMode) {
  g_Game.m_nTitleCmd = 0;
  g_Game.m_nPlayMode = playMode;
  g_SaveData = cSaveData();
  g_SaveData.m_nLife = 3;
}

// Writes the replay of the attempt that has ended (or stopped) after the
// frames of `hashes` to `path`. An attempt that ends in the hero's death
// has begun the next one on its last frame, which is dropped, and the
// replay of the ended one is the previous attempt's.
void WriteEndedAttempt(const cStageScene& scene, std::vector<std::uint64_t>& hashes, const std::string& path) {
  if (scene.Phase() == kPhaseIntro) {
    hashes.pop_back();
    EXPECT_EQ(WriteReplayFile(g_ReplayPrev, path, g_Stage, g_PlayStage, g_ReplaySaveDataPrev), 1);
  } else {
    EXPECT_EQ(WriteReplayFile(g_Replay, path, g_Stage, g_PlayStage, g_ReplaySaveData), 1);
  }
}

class ExactReplay : public testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directories("user_data/rpl4");
    g_System->m_bReplayRecord = 1;
    platform::TakeHeadlessBoxes();
  }
  void TearDown() override {
    EXPECT_TRUE(platform::TakeHeadlessBoxes().empty());
    saved_.Restore();
  }

  // Plays the script as a free-play attempt until the attempt ends, writes
  // its replay to `path` and returns the hash of every frame the replay
  // holds.
  static std::vector<std::uint64_t> Record(const std::string& stage, const std::vector<ScriptFrame>& frames,
                                           const std::string& path) {
    StartPlay(PM_FREE);
    SampleStageRun run(stage, kSeed);
    EXPECT_TRUE(run.Loaded()) << stage;
    std::vector<std::uint64_t> hashes = run.Play(frames, [&] { return run.Harness().Scene().Phase() != kPhasePlay; });
    WriteEndedAttempt(run.Harness().Scene(), hashes, path);
    return hashes;
  }

  // Chooses the replay as the title does and plays `count` play frames of
  // it with no input of its own, the frames of its intro (when it begins
  // in `phase` 1) not counted.
  static std::vector<std::uint64_t> PlayBack(const std::string& path, std::size_t count, int phase = kPhasePlay) {
    g_Game.m_nTitleCmd = kTitleCmdReplay;
    g_Game.m_nPlayMode = PM_REPLAY;
    g_Stage = cEdStage();
    g_PlayStage = cEdStage();
    g_Replay.Empty();
    EXPECT_TRUE(LoadChosenReplay(path));
    cStageHarness harness;
    harness.Begin(1, phase);  // the replay's own seed replaces it
    for (int frame = 0; frame < 1000 && harness.Scene().Phase() == kPhaseIntro; ++frame) harness.Step(0, 0);
    std::vector<std::uint64_t> hashes;
    for (std::size_t frame = 0; frame < count; ++frame) {
      harness.Step(0, 0);
      hashes.push_back(harness.Hash());
    }
    return hashes;
  }

  LoadedSampleGame game_;
  ReplayGlobals saved_;
};

std::vector<ScriptFrame> Script(std::string_view text) { return ParseInputScript(text).value_or(std::vector<ScriptFrame>{}); }

TEST_F(ExactReplay, EveryStagePlaysBackFrameForFrame) {
  const std::vector<StageScript> stages = EveryStageScript();
  ASSERT_EQ(stages.size(), std::size(kRecordedRunDigests));
  std::vector<std::uint64_t> digests;
  for (const auto& [stage, text] : stages) {
    SCOPED_TRACE(stage);
    const std::string path = "user_data\\rpl4\\sample" + std::to_string(digests.size() + 1) + ".rpl4_878";
    const std::vector<ScriptFrame> frames = Script(text);
    ASSERT_FALSE(frames.empty());
    const std::vector<std::uint64_t> recorded = Record(stage, frames, path);
    ASSERT_GT(recorded.size(), 60u);
    digests.push_back(RunDigest(recorded));
    EXPECT_EQ(digests.back(), kRecordedRunDigests[digests.size() - 1]) << "the recorded run differs from other builds'";
    const std::vector<std::uint64_t> played = PlayBack(path, recorded.size());
    for (std::size_t frame = 0; frame < recorded.size(); ++frame)
      ASSERT_EQ(played[frame], recorded[frame]) << "first difference at frame " << frame;
  }
  if (!std::equal(digests.begin(), digests.end(), std::begin(kRecordedRunDigests))) {
    std::ostringstream table;
    for (std::uint64_t digest : digests)
      table << "    0x" << std::hex << std::uppercase << std::setw(16) << std::setfill('0') << digest << "ull,\n";
    ADD_FAILURE() << "recorded_run_digests.h, when the simulation was meant to change:\n" << table.str();
  }
}

TEST_F(ExactReplay, AChangedInputWordChangesTheRunFromItsFrameOn) {
  const std::vector<ScriptFrame> frames = Script(StoryStageScript(2));
  constexpr std::size_t kChanged = 150;
  std::vector<ScriptFrame> changed = frames;
  changed[kChanged].dir = 0;  // right let go for one frame
  std::vector<std::uint64_t> original, altered;
  {
    SampleStageRun run(kStoryStages[2], kSeed);
    original = run.Play(frames);
  }
  {
    SampleStageRun run(kStoryStages[2], kSeed);
    altered = run.Play(changed);
  }
  ASSERT_EQ(original.size(), altered.size());
  for (std::size_t frame = 0; frame < kChanged; ++frame) ASSERT_EQ(original[frame], altered[frame]) << frame;
  EXPECT_NE(original[kChanged], altered[kChanged]);
  EXPECT_NE(original.back(), altered.back());
}

// Held input words of random runs, 1 to 20 frames each.
class RandomInput {
 public:
  explicit RandomInput(std::uint32_t seed) : engine_(seed) {}
  ScriptFrame Next() {
    if (left_ == 0) {
      held_ = {static_cast<std::uint16_t>(engine_() % 16), static_cast<std::uint16_t>(engine_() % 16)};
      left_ = 1 + engine_() % 20;
    }
    --left_;
    return held_;
  }

 private:
  std::mt19937 engine_;
  ScriptFrame held_;
  std::uint32_t left_ = 0;
};

// An attempt begun after a lost life: the hero dies after 40 frames of
// random input and the death ends in a new attempt, which then plays with
// random input until it ends or for 600 frames. Its replay is written to
// `path`; the hash of every play frame it holds is returned.
std::vector<std::uint64_t> RecordAttemptAfterALostLife(const std::string& stage, int playMode, std::uint32_t seed,
                                                       const std::string& path) {
  StartPlay(playMode);
  SampleStageRun run(stage, kSeed);
  EXPECT_TRUE(run.Loaded()) << stage;
  cStageHarness& harness = run.Harness();
  cStageScene& scene = harness.Scene();
  RandomInput input(seed);
  const auto step = [&] {
    const ScriptFrame frame = input.Next();
    harness.Step(frame.dir, frame.buttons);
  };
  for (int frame = 0; frame < 40 && scene.Phase() == kPhasePlay; ++frame) step();
  if (scene.Phase() == kPhasePlay && !harness.Hero()->dead) scene.HeroDied();
  for (int frame = 0; frame < 1000 && scene.Phase() == kPhasePlay; ++frame) step();
  EXPECT_EQ(scene.Phase(), kPhaseIntro);
  EXPECT_EQ(g_SaveData.m_nLife, 2);  // the new attempt is the hero's second
  for (int frame = 0; frame < 1000 && scene.Phase() == kPhaseIntro; ++frame) step();
  std::vector<std::uint64_t> hashes;
  while (hashes.size() < 600 && scene.Phase() == kPhasePlay) {
    step();
    hashes.push_back(harness.Hash());
  }
  WriteEndedAttempt(scene, hashes, path);
  return hashes;
}

TEST_F(ExactReplay, AttemptsBegunAfterALostLifePlayBackFrameForFrame) {
  g_System->m_nSetting191A = 0;  // a story life lost begins the next attempt without the retry menu
  std::uint32_t seed = 1;
  for (int playMode : {PM_FREE, PM_CHALLENGE, PM_STORY}) {
    for (const StageScript& script : EveryStageScript()) {
      const std::string& stage = script.stage;
      SCOPED_TRACE(stage + " in play mode " + std::to_string(playMode));
      const std::string path = "user_data\\rpl4\\after_a_lost_life" + std::to_string(seed) + ".rpl4_878";
      const std::vector<std::uint64_t> recorded = RecordAttemptAfterALostLife(stage, playMode, seed++, path);
      ASSERT_GT(recorded.size(), 0u);
      const std::vector<std::uint64_t> played = PlayBack(path, recorded.size(), kPhaseIntro);
      const auto difference = std::mismatch(recorded.begin(), recorded.end(), played.begin());
      EXPECT_EQ(difference.first - recorded.begin(), std::ssize(recorded)) << "the first frame that differs";
    }
  }
}

}  // namespace

// A recorded attempt written as a replay file and played back through the
// stage scene: the set-up reads the chosen file, every frame of the
// playback reaches the recorded state, and the end of the replay starts the
// same attempt again from its intro, with the replay's banner, as does the
// end of the hero's death, which costs no life in a replay.
#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "definitions/save_data/save_data.h"
#include "input/input_record.h"
#include "input/replay.h"
#include "input/replay_file.h"
#include "input/replay_serving.h"
#include "project/global_data.h"
#include "shell/game/game.h"
#include "stage/chara/hero.h"
#include "tests/project/project_test_support.h"
#include "tests/stage/stage_fixture.h"

namespace {

constexpr const char* kReplayPath = "user_data\\rpl4\\attempt.rpl4_878";
constexpr int kFrames = 150;
constexpr int kBannerFrames = 80;

class ReplayPlaybackTest : public GameFolderTest {
 protected:
  void SetUp() override {
    GameFolderTest::SetUp();
    std::filesystem::create_directories(Folder() / "user_data" / "rpl4");
    StartProjectData();
    g_System->m_bReplayRecord = 1;
  }
  void TearDown() override {
    g_Game.m_nTitleCmd = 0;
    g_Game.m_nPlayMode = PM_STORY;
    g_strReplayFile.clear();
    g_Replay.Empty();
    g_ReplayPrev.Empty();
    g_SaveData = cSaveData();
    g_ReplaySaveData = g_ReplaySaveDataPrev = cSaveData();
    StopProjectData();
    GameFolderTest::TearDown();
  }

  static StageBuilder Stage() {
    StageBuilder builder = InputFollowingStage();
    builder.stage.Normalize();
    return builder;
  }

  // The title chose the written replay; the harness's clock gives another
  // seed and its stage is not the replay's.
  static void ChooseReplay() {
    g_Game.m_nTitleCmd = kTitleCmdReplay;
    g_Game.m_nPlayMode = PM_REPLAY;
    g_Stage = cEdStage();
    g_PlayStage = cEdStage();
    g_Replay.Empty();
    ASSERT_TRUE(LoadChosenReplay(kReplayPath));
  }

  static std::uint16_t DirAt(int frame) { return static_cast<std::uint16_t>(frame % 3 == 0 ? kDirRight : 0); }
  static std::uint16_t ButtonsAt(int frame) { return static_cast<std::uint16_t>((frame / 7) % 2); }
};

TEST_F(ReplayPlaybackTest, PlayedBackReplayRepeatsEveryFrameAndRestartsFromTheIntroAtItsEnd) {
  g_Game.m_nTitleCmd = 0;
  g_Game.m_nPlayMode = PM_FREE;
  g_SaveData.m_nLife = 3;
  std::vector<std::uint64_t> idle;
  {
    StageRun run(Stage(), 1234);
    for (int frame = 0; frame < kFrames; ++frame) {
      run.harness.Step(0, 0);
      idle.push_back(run.harness.Hash());
    }
  }
  std::vector<std::uint64_t> recorded;
  {
    StageRun run(Stage(), 1234);
    for (int frame = 0; frame < kFrames; ++frame) {
      run.harness.Step(DirAt(frame), ButtonsAt(frame));
      recorded.push_back(run.harness.Hash());
    }
    ASSERT_EQ(WriteReplayFile(g_Replay, kReplayPath, g_Stage, g_PlayStage, g_ReplaySaveData), 1);
  }
  // The input reaches the state: an idle attempt differs from the recorded.
  ASSERT_NE(idle, recorded);

  ChooseReplay();
  StageRun run(StageBuilder(8, 8, 0, 0), 99);
  std::vector<std::uint64_t> played;
  for (int frame = 0; frame < kFrames; ++frame) {
    ASSERT_EQ(run.harness.Step(0, 0), FrameEnd::Drawn) << "frame " << frame;
    played.push_back(run.harness.Hash());
  }
  EXPECT_EQ(played, recorded);
  EXPECT_TRUE(platform::TakeHeadlessBoxes().empty());

  // The exhausted replay sets the same stage up again and shows the
  // replay's banner for its frames before play resumes.
  EXPECT_EQ(run.harness.Step(0, 0), FrameEnd::PhaseChanged);
  EXPECT_EQ(run.harness.Scene().Phase(), kPhaseIntro);
  EXPECT_EQ(run.harness.Scene().m_nSeed, 1234u);
  int bannerFrames = 0;
  while (run.harness.Scene().Phase() == kPhaseIntro && bannerFrames <= kBannerFrames) {
    run.harness.Step(0, 0);
    ++bannerFrames;
  }
  EXPECT_EQ(bannerFrames, kBannerFrames + 1);
  ASSERT_EQ(run.harness.Scene().Phase(), kPhasePlay);
  std::vector<std::uint64_t> again;
  for (int frame = 0; frame < kFrames; ++frame) {
    run.harness.Step(0, 0);
    again.push_back(run.harness.Hash());
  }
  EXPECT_EQ(again, recorded);
}

TEST_F(ReplayPlaybackTest, HeroDeathAtTheTimeLimitRestartsThePlaybackWithoutUsingALife) {
  g_Game.m_nTitleCmd = 0;
  g_Game.m_nPlayMode = PM_FREE;
  g_SaveData.m_nLife = 3;
  StageBuilder builder = Stage();
  builder.stage.TimeLimitOn = 1;
  builder.stage.TimeLimit = 2;
  std::vector<std::uint64_t> recorded;
  {
    StageRun run(builder, 4321);
    // Up to the frame whose drawing ends the death: a new attempt begins,
    // and the one that ended is the previous attempt's replay.
    for (int frame = 0; frame < 1000 && run.harness.Scene().Phase() == kPhasePlay; ++frame) {
      run.harness.Step(DirAt(frame), ButtonsAt(frame));
      recorded.push_back(run.harness.Hash());
    }
    ASSERT_EQ(run.harness.Scene().Phase(), kPhaseIntro);
    ASSERT_EQ(g_SaveData.m_nLife, 2);
    ASSERT_EQ(WriteReplayFile(g_ReplayPrev, kReplayPath, g_Stage, g_PlayStage, g_ReplaySaveDataPrev), 1);
  }
  g_SaveData.m_nLife = 3;
  ChooseReplay();
  StageRun run(StageBuilder(8, 8, 0, 0), 99);
  std::vector<std::uint64_t> played;
  for (std::size_t frame = 0; frame + 1 < recorded.size(); ++frame) {
    run.harness.Step(0, 0);
    played.push_back(run.harness.Hash());
  }
  EXPECT_EQ(played, std::vector<std::uint64_t>(recorded.begin(), recorded.end() - 1));
  EXPECT_TRUE(run.harness.Hero()->dead);
  run.harness.Step(0, 0);
  EXPECT_EQ(run.harness.Scene().Phase(), kPhaseIntro);
  EXPECT_EQ(run.harness.Scene().m_nSeed, 4321u);
  EXPECT_FALSE(run.harness.Hero()->dead);
  EXPECT_EQ(g_SaveData.m_nLife, 3);
  EXPECT_TRUE(platform::TakeHeadlessBoxes().empty());
}

}  // namespace

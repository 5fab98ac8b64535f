// The sample game end to end, headless, as a player goes through it: from
// the title into the story's first stage over the world map (in each
// drawing mode), and a challenge run; each stage played by its input script
// through the player's keys, and the report log free of failures.
#include "sample_walk.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "sample_stage_play.h"
#include "screens/challenge/challenge_scene.h"
#include "screens/worldmap/world_map_scene.h"
#include "shell/game/game.h"
#include "stage/chara/hero.h"
#include "stage/chara/stage_lists.h"
#include "stage/scene/stage_scene.h"
#include "tests/tools/report_lines.h"
#include "tools/sample_game/play/stage_scripts.h"
#include "tools/sample_game/project_files.h"

namespace {

using namespace sample_game;
using namespace sample_game_test;

cChallengeScene* Challenge() { return dynamic_cast<cChallengeScene*>(g_Game.Scene(GS_CHALLENGE)); }

std::vector<ScriptFrame> Script(std::string_view text) {
  return ParseInputScript(text).value_or(std::vector<ScriptFrame>{});
}

void ExpectCleanReport(const SampleWalk& walk) {
  const std::string report = ReportOf(walk.Folder());
  EXPECT_TRUE(FailureLines(report).empty()) << report;
}

class SampleWalkInEachMode : public testing::TestWithParam<sample_game::NamedStartup> {};

// In every drawing mode, in a window and full screen, and nothing is written
// to the report log from the title on: a step or a drawing that failed in
// every frame would fill it.
TEST_P(SampleWalkInEachMode, NewGameWalksTheMapIntoTheFirstStageAndPlaysIt) {
  SampleWalk walk(std::string("story_") + GetParam().name, {GetParam().startup});
  ASSERT_TRUE(walk.StartAtTitle());
  const std::uintmax_t titleReport = ReportLength(walk.Folder());
  walk.Shot("title");
  ASSERT_TRUE(WalkOntoTheMap(walk));
  ASSERT_TRUE(EnterTheMeadow(walk));
  ASSERT_NE(PlayerHero(), nullptr);
  const double start = PlayerHero()->x;
  std::vector<ScriptFrame> frames = Script(StoryStageScript(0));
  frames.resize(150);  // along the meadow's first stretch
  EXPECT_EQ(walk.Play(frames), 150);
  walk.Shot("meadow");
  EXPECT_GT(PlayerHero()->x, start + 300);
  EXPECT_EQ(WithoutSoundFontLine(ReportFrom(walk.Folder(), titleReport)), "");
  EXPECT_TRUE(walk.Close());
  ExpectCleanReport(walk);
}

INSTANTIATE_TEST_SUITE_P(DrawingModes, SampleWalkInEachMode,
                         testing::ValuesIn(sample_game::kEveryDrawingMode),
                         [](const auto& info) { return std::string(info.param.name); });

// Each clear opens the next challenge stage; the run plays them in turn.
TEST(SampleWalk, AChallengeRunClearsEachStageInTurn) {
  SampleWalk walk("challenge");
  ASSERT_TRUE(walk.StartAtTitle());
  walk.Tap(kVkDown);
  walk.Tap(kVkDown);
  walk.Tap(kVkZ);  // challenge
  for (int index = 0; index < kChallengeStageCount; ++index) {
    SCOPED_TRACE(kChallengeStages[index]);
    ASSERT_TRUE(
        walk.StepUntil([] { return Challenge() && Challenge()->Phase() == cChallengeScene::kSelect; }));
    if (index > 0) walk.Tap(kVkDown);  // from the row just played to the one its clear opened
    walk.Tap(kVkZ);
    ASSERT_TRUE(walk.StepUntil([] { return InStagePhase(kPhasePlay); }));
    ASSERT_TRUE(KeyStillOnStage());
    walk.Play(Script(ChallengeStageScript(index)), [] { return !KeyStillOnStage(); });
    EXPECT_FALSE(KeyStillOnStage());
    // The key clears the stage; the decide key takes its tally on, back to
    // the challenge list.
    for (int i = 0; i < 20 && g_Game.m_nState != GS_CHALLENGE; ++i) {
      walk.StepUntil([] { return g_Game.m_nState == GS_CHALLENGE; }, 60);
      walk.Tap(kVkZ);
    }
    ASSERT_EQ(g_Game.m_nState, GS_CHALLENGE);
  }
  EXPECT_TRUE(walk.Close());
  ExpectCleanReport(walk);
}

}  // namespace

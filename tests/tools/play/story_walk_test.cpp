// The whole story of the sample game in the whole player, headless: a new
// game walks the world map from stage to stage, each stage played through
// by its input script and its end taken back to the map; after the forest
// the map's menu saves into the slot, goes to the title, and the slot is
// continued on the same cell; the castle's boss ends the story. The report
// log carries no failure line.
#include <gtest/gtest.h>

#include <filesystem>
#include <initializer_list>

#include "definitions/save_data/save_data.h"
#include "sample_walk.h"
#include "screens/mapmenu/map_menu_scene.h"
#include "screens/title/title_scene.h"
#include "screens/worldmap/world_map_scene.h"
#include "shell/game/game.h"
#include "stage/scene/stage_scene.h"
#include "tests/tools/report_lines.h"
#include "tools/sample_game/play/stage_scripts.h"
#include "tools/sample_game/project_files.h"

namespace {

using namespace sample_game;
using namespace sample_game_test;

cWorldMapScene* Map() { return dynamic_cast<cWorldMapScene*>(g_Game.Scene(GS_WORLDMAP)); }
cMapMenuScene* Menu() { return dynamic_cast<cMapMenuScene*>(g_Game.Scene(GS_MAPMENU)); }
cTitleScene* Title() { return dynamic_cast<cTitleScene*>(g_Game.Scene(GS_TITLE)); }
bool Walking() { return g_Game.m_nState == GS_WORLDMAP && Map() && Map()->Phase() == cWorldMapScene::kWalk; }

// The keys that walk the figure from one stage's cell to the next one's.
struct Leg {
  std::initializer_list<int> keys;
  int x, y;  // the stage's cell
};
const Leg kLegs[kStoryStageCount] = {
    {{kVkRight, kVkRight, kVkRight}, 7, 10},
    {{kVkUp, kVkUp, kVkUp, kVkRight, kVkRight, kVkRight, kVkRight, kVkRight}, 12, 7},
    {{kVkUp, kVkRight, kVkRight}, 14, 6},
    {{kVkUp, kVkUp}, 14, 4},
    {{kVkUp, kVkRight, kVkRight}, 16, 3},
    {{kVkRight, kVkRight}, 18, 3},
};

// Walks the leg and says yes to the stage.
void EnterStage(SampleWalk& walk, const Leg& leg) {
  for (int key : leg.keys) {
    ASSERT_TRUE(Walking());
    walk.Tap(key);
  }
  ASSERT_EQ(Map()->Phase(), cWorldMapScene::kEnter);
  EXPECT_EQ(Map()->Cursor().x, leg.x);
  EXPECT_EQ(Map()->Cursor().y, leg.y);
  walk.Tap(kVkUp);  // "yes"
  walk.Tap(kVkZ);
  ASSERT_TRUE(walk.StepUntil([] { return InStagePhase(kPhasePlay); }));
}

// Plays the stage's script to the stage's end, then takes the tally on with
// the decide key until the game leaves the stage.
void PlayStage(SampleWalk& walk, int index) {
  const auto frames = ParseInputScript(StoryStageScript(index)).value_or(std::vector<ScriptFrame>{});
  walk.Play(frames, [] { return !InStagePhase(kPhasePlay); });
  ASSERT_TRUE(walk.StepUntil([] { return !InStagePhase(kPhasePlay); }, 600)) << "stage " << index + 1 << " did not end";
  for (int i = 0; i < 40 && g_Game.m_nState == GS_STAGE; ++i) {
    walk.Step(30);
    walk.Tap(kVkZ);
  }
  EXPECT_NE(g_Game.m_nState, GS_STAGE);
}

// The map's menu saves into the play's slot (the first), then goes to the
// title; continue picks the slot again.
void SaveQuitAndContinue(SampleWalk& walk) {
  const WorldCell cell = Map()->Cursor();
  walk.Tap('X');
  ASSERT_TRUE(walk.StepUntil([] { return Menu() && Menu()->Phase() == cMapMenuScene::kMenu; }));
  walk.Tap(kVkZ);  // save: the list opens on the play's slot
  walk.Step();
  walk.Tap(kVkZ);
  walk.Tap(kVkUp);  // "yes" to the confirmation
  walk.Tap(kVkZ);
  const auto slot = walk.Folder() / "user_data" / "story" / "Story01.dat";
  EXPECT_TRUE(std::filesystem::exists(slot));
  walk.Tap('X');  // back to the menu
  for (int i = 0; i < 3; ++i) walk.Tap(kVkDown);  // to the title
  walk.Tap(kVkZ);
  walk.Tap(kVkUp);
  walk.Tap(kVkZ);
  ASSERT_TRUE(walk.StepUntil([] { return Title() && Title()->Phase() == cTitleScene::kMenu; }));
  walk.Tap(kVkDown);  // continue
  walk.Tap(kVkZ);
  walk.Step();
  walk.Tap(kVkZ);  // the first slot
  ASSERT_TRUE(walk.StepUntil(Walking));
  EXPECT_EQ(Map()->Cursor().x, cell.x);
  EXPECT_EQ(Map()->Cursor().y, cell.y);
}

TEST(StoryWalk, TheWholeStoryFromTheTitleWithASaveAndAContinue) {
  SampleWalk walk("story_whole");
  ASSERT_TRUE(walk.StartAtTitle());
  ASSERT_TRUE(WalkOntoTheMap(walk));
  for (int index = 0; index < kStoryStageCount; ++index) {
    SCOPED_TRACE(kStoryStages[index]);
    ASSERT_NO_FATAL_FAILURE(EnterStage(walk, kLegs[index]));
    if (index == 3) {
      walk.Step(40);
      walk.Shot("garden");
    }
    ASSERT_NO_FATAL_FAILURE(PlayStage(walk, index));
    if (index + 1 == kStoryStageCount) break;
    ASSERT_TRUE(walk.StepUntil(Walking));
    if (index == 1) {
      ASSERT_NO_FATAL_FAILURE(SaveQuitAndContinue(walk));
    }
  }
  EXPECT_TRUE(walk.Close());
  const std::string report = ReportOf(walk.Folder());
  EXPECT_TRUE(FailureLines(report).empty()) << report;
}

}  // namespace

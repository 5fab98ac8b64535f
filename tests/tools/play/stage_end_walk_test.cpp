// Stage ends in the whole player on the sample game: the meadow cleared by
// its input script and the way back to the world map, which saves into the
// play's slot and shows the stage cleared.
#include <gtest/gtest.h>

#include <filesystem>

#include "definitions/save_data/save_data.h"
#include "sample_walk.h"
#include "screens/worldmap/world_map_scene.h"
#include "screens/worldmap/world_stage_rules.h"
#include "shell/game/game.h"
#include "stage/scene/stage_scene.h"
#include "tests/tools/report_lines.h"
#include "tools/sample_game/play/stage_scripts.h"

namespace {

using namespace sample_game;
using namespace sample_game_test;

cWorldMapScene* Map() { return dynamic_cast<cWorldMapScene*>(g_Game.Scene(GS_WORLDMAP)); }
bool InPhase(int phase) { return g_Game.m_nState == GS_STAGE && StageScene() && StageScene()->Phase() == phase; }

// From the title over the map into the meadow, in play.
bool EnterTheMeadow(SampleWalk& walk) {
  if (!walk.StartAtTitle()) return false;
  walk.Tap(kVkZ);  // new game
  walk.Step();
  walk.Tap(kVkZ);  // the first slot
  if (!walk.StepUntil([] { return Map() && Map()->Phase() == cWorldMapScene::kWalk; })) return false;
  for (int i = 0; i < 3 && Map()->Phase() == cWorldMapScene::kWalk; ++i) walk.Tap(kVkRight);
  walk.Tap(kVkUp);  // "yes"
  walk.Tap(kVkZ);
  return walk.StepUntil([] { return InPhase(kPhasePlay); });
}

TEST(StageEndWalk, TheClearedMeadowLeadsBackToTheMapWhichSavesAndShowsItCleared) {
  SampleWalk walk("meadow_clear");
  ASSERT_TRUE(EnterTheMeadow(walk));
  const std::vector<ScriptFrame> script = ParseInputScript(StoryStageScript(0)).value_or(std::vector<ScriptFrame>{});
  walk.Play(script, [] { return InPhase(kPhaseStageEnd); });
  ASSERT_TRUE(walk.StepUntil([] { return InPhase(kPhaseStageEnd); }, 60));
  walk.Shot("stage_end");
  walk.Step(200);  // the stage end takes the decide key after 200 frames
  walk.Tap(kVkZ);
  const auto slot = walk.Folder() / "user_data" / "story" / "Story01.dat";
  std::filesystem::remove(slot);
  ASSERT_TRUE(walk.StepUntil([] { return Map() && Map()->Phase() == cWorldMapScene::kWalk; }));
  walk.Shot("map_after_clear");
  EXPECT_EQ(g_Game.m_nPrevState, GS_STAGE);
  EXPECT_TRUE(std::filesystem::exists(slot));  // auto-saved on the way back
  ASSERT_NE(g_SaveData.m_pMapStage, nullptr);
  EXPECT_TRUE(IsStageCleared(*g_SaveData.m_pMapStage, g_SaveData));
  EXPECT_EQ(Map()->Cursor().x, 7);  // on the stage, not stepped back
  cSaveData saved;  // the slot holds the clear
  ASSERT_TRUE(LoadFile(saved, "user_data\\story\\Story01.dat"));
  EXPECT_EQ(saved.m_vSwitch[ClearSwitchOf(*g_SaveData.m_pMapStage)], 1);
  EXPECT_TRUE(walk.Close());
}

}  // namespace

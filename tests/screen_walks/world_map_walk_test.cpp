// The world map on the sample game: reached by a new game, the figure walks
// from the start cell; stepping on the first stage, which is not open yet,
// opens the confirm menu at once; "no" puts the figure back, "yes" starts
// the stage.
#include <gtest/gtest.h>

#include "definitions/save_data/save_data.h"
#include "screen_walk.h"
#include "screens/menu/menu_cursor.h"
#include "screens/title/title_scene.h"
#include "screens/worldmap/world_map_scene.h"
#include "shell/game/game.h"

namespace {

cTitleScene* Title() { return dynamic_cast<cTitleScene*>(g_Game.Scene(GS_TITLE)); }
cWorldMapScene* Map() { return dynamic_cast<cWorldMapScene*>(g_Game.Scene(GS_WORLDMAP)); }

TEST(WorldMapWalk, NewGameWalksOntoTheFirstStageAndStartsIt) {
  cScreenWalk walk("world_map");
  ASSERT_TRUE(walk.Start());
  ASSERT_TRUE(walk.StepUntil([] { return Title() && Title()->Phase() == cTitleScene::kMenu; }));
  walk.Tap(kKeyZ);
  walk.Step();
  walk.Tap(kKeyZ);
  ASSERT_TRUE(walk.StepUntil([] { return Map() && Map()->Phase() == cWorldMapScene::kWalk; }));
  walk.Step();
  walk.Shot("start");
  EXPECT_EQ(Map()->Cursor().x, 4);
  EXPECT_EQ(Map()->Cursor().y, 10);

  for (int i = 0; i < 3 && Map()->Phase() == cWorldMapScene::kWalk; ++i) walk.Tap(kKeyRight);
  ASSERT_EQ(Map()->Phase(), cWorldMapScene::kEnter);
  EXPECT_EQ(Map()->Cursor().x, 7);
  walk.Step();
  walk.Shot("confirm");
  EXPECT_EQ(g_MenuCursor.Top().nRow, 1);  // the menu opens on "no"
  walk.Tap(kKeyZ);
  EXPECT_EQ(Map()->Phase(), cWorldMapScene::kWalk);
  EXPECT_EQ(Map()->Cursor().x, 6);  // back where it came from

  walk.Tap(kKeyRight);
  ASSERT_EQ(Map()->Phase(), cWorldMapScene::kEnter);
  walk.Tap(kKeyUp);
  walk.Tap(kKeyZ);
  EXPECT_EQ(Map()->Phase(), cWorldMapScene::kLeave);
  EXPECT_EQ(g_SaveData.m_nSeriesStage, 1);
  ASSERT_TRUE(walk.StepUntil([] { return g_Game.m_nState == GS_STAGE; }));
  EXPECT_EQ(g_Game.m_nPrevState, GS_WORLDMAP);
  walk.Step(60);
  walk.Shot("stage");
  EXPECT_TRUE(walk.Harness().Close());
}

}  // namespace

// The world map's menu on the sample game: opened with cancel on the map,
// a save into the play's slot (confirmed on its second line), auto-save
// before any slot is chosen, back to the title after its confirmation, and
// continue from that slot back onto the same cell.
#include <gtest/gtest.h>

#include <filesystem>

#include "definitions/save_data/save_data.h"
#include "definitions/save_data/save_slots.h"
#include "screen_walk.h"
#include "screens/mapmenu/map_menu_scene.h"
#include "screens/menu/menu_cursor.h"
#include "screens/title/title_scene.h"
#include "screens/worldmap/world_map_scene.h"
#include "shell/game/game.h"

namespace {

cTitleScene* Title() { return dynamic_cast<cTitleScene*>(g_Game.Scene(GS_TITLE)); }
cWorldMapScene* Map() { return dynamic_cast<cWorldMapScene*>(g_Game.Scene(GS_WORLDMAP)); }
cMapMenuScene* Menu() { return dynamic_cast<cMapMenuScene*>(g_Game.Scene(GS_MAPMENU)); }

bool InTitleMenu() { return Title() && Title()->Phase() == cTitleScene::kMenu; }
bool Walking() { return Map() && Map()->Phase() == cWorldMapScene::kWalk; }
bool InMapMenu() { return Menu() && Menu()->Phase() == cMapMenuScene::kMenu; }

TEST(MapMenuWalk, SaveThenTitleThenContinueComesBackToTheSameCell) {
  cScreenWalk walk("map_menu");
  ASSERT_TRUE(walk.Start());
  ASSERT_TRUE(walk.StepUntil(InTitleMenu));
  walk.Tap(kKeyZ);  // new game
  walk.Step();
  walk.Tap(kKeyDown);  // the second slot
  walk.Tap(kKeyZ);
  ASSERT_TRUE(walk.StepUntil(Walking));
  EXPECT_EQ(g_SaveData.m_nSlot, 1);
  walk.Tap(kKeyRight);
  walk.Tap(kKeyUp);
  const WorldCell cell = Map()->Cursor();
  walk.Tap(kKeyX);
  ASSERT_TRUE(walk.StepUntil(InMapMenu));
  walk.Step();
  walk.Shot("menu");
  EXPECT_EQ(Menu()->Commands().size(), 4u);

  walk.Tap(kKeyZ);  // save: the list opens on the play's slot
  walk.Step();
  EXPECT_EQ(g_MenuCursor.Top().nRow, 1);
  walk.Tap(kKeyZ);
  EXPECT_EQ(g_MenuCursor.Top().nRow, 1);  // the confirmation opens on "no"
  walk.Tap(kKeyUp);
  walk.Step();
  walk.Shot("save_confirm");
  walk.Tap(kKeyZ);
  EXPECT_TRUE(std::filesystem::exists(walk.Folder() / "user_data" / "story" / "Story02.dat"));
  walk.Tap(kKeyX);  // back to the menu
  EXPECT_EQ(Menu()->Phase(), cMapMenuScene::kMenu);

  for (int i = 0; i < 3; ++i) walk.Tap(kKeyDown);  // to title
  walk.Tap(kKeyZ);
  EXPECT_EQ(g_MenuCursor.Top().nRow, 1);
  walk.Tap(kKeyUp);
  walk.Tap(kKeyZ);
  ASSERT_TRUE(walk.StepUntil(InTitleMenu));

  g_SaveData.m_nMapX = 0;
  walk.Tap(kKeyDown);  // continue
  walk.Tap(kKeyZ);
  walk.Step();
  walk.Tap(kKeyZ);  // slot 1 is empty: refused
  EXPECT_EQ(Title()->Phase(), cTitleScene::kContinue);
  walk.Tap(kKeyDown);
  walk.Tap(kKeyZ);
  ASSERT_TRUE(walk.StepUntil(Walking));
  EXPECT_EQ(Map()->Cursor().x, cell.x);
  EXPECT_EQ(Map()->Cursor().y, cell.y);
  EXPECT_EQ(g_SaveData.m_nSlot, 1);
  EXPECT_TRUE(walk.Harness().Close());
}

TEST(MapMenuWalk, AutoSaveWithoutASlotOnlyShowsItsMessage) {
  sample_game::GenerateOptions options;
  cScreenWalk walk("auto_save", options);
  ASSERT_TRUE(walk.Start());
  ASSERT_TRUE(walk.StepUntil(InTitleMenu));
  walk.Tap(kKeyZ);
  walk.Step();
  walk.Tap(kKeyZ);
  ASSERT_TRUE(walk.StepUntil(Walking));
  g_SaveData.m_nSlot = -1;
  g_SaveData.m_bAutoSave = 0;
  walk.Tap(kKeyX);
  ASSERT_TRUE(walk.StepUntil(InMapMenu));
  walk.Tap(kKeyDown);
  walk.Tap(kKeyZ);
  EXPECT_EQ(Menu()->Phase(), cMapMenuScene::kAutoSave);
  EXPECT_EQ(Menu()->SubPhase(), 2);
  walk.Step();
  walk.Shot("no_slot");
  walk.Tap(kKeyZ);
  EXPECT_EQ(Menu()->Phase(), cMapMenuScene::kMenu);
  EXPECT_EQ(g_SaveData.m_bAutoSave, 0);
  EXPECT_TRUE(walk.Harness().Close());
}

// A save into another slot than the play's: the file records that slot, so
// a continue from it auto-saves there and not into the slot the play began
// in. The sounds follow each step.
TEST(MapMenuWalk, SavingIntoAnotherSlotRecordsThatSlot) {
  cScreenWalk walk("save_other_slot");
  ASSERT_TRUE(walk.Start());
  ASSERT_TRUE(walk.StepUntil(InTitleMenu));
  walk.Tap(kKeyZ);  // new game
  walk.Step();
  walk.Tap(kKeyZ);  // slot 0
  ASSERT_TRUE(walk.StepUntil(Walking));
  EXPECT_EQ(walk.TakeSounds(), (std::vector<int>{1, 1}));
  EXPECT_EQ(walk.TakeMusicSlots(), (std::vector<int>{0, 1}));  // the title's, then the map's
  walk.Tap(kKeyX);
  EXPECT_EQ(walk.TakeSounds(), (std::vector<int>{4}));
  ASSERT_TRUE(walk.StepUntil(InMapMenu));
  walk.Tap(kKeyZ);  // save
  walk.Step();
  walk.Tap(kKeyDown);
  walk.Tap(kKeyDown);
  walk.Tap(kKeyZ);
  walk.Tap(kKeyUp);
  walk.Tap(kKeyZ);  // yes
  EXPECT_EQ(walk.TakeSounds(), (std::vector<int>{1, 0, 0, 1, 0, 5}));
  EXPECT_EQ(g_SaveData.m_nSlot, 2);
  cSaveData saved;
  ASSERT_TRUE(LoadFromSlot(saved, 2));
  EXPECT_EQ(saved.m_nSlot, 2);
  EXPECT_FALSE(std::filesystem::exists(walk.Folder() / "user_data" / "story" / "Story01.dat"));
  walk.Tap(kKeyX);  // back to the menu
  walk.Tap(kKeyX);  // back to the map
  EXPECT_EQ(walk.TakeSounds(), (std::vector<int>{2, 2}));
  ASSERT_TRUE(walk.StepUntil(Walking));
  // The map and its menu share their music, which runs on between them.
  EXPECT_EQ(walk.TakeMusicSlots(), std::vector<int>{});
  EXPECT_TRUE(walk.Harness().Close());
}

}  // namespace

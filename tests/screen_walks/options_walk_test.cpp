// The options screen on the sample game: reached from the title, values
// stepped with wrap and taken or given back, the volume on every copy of
// every sound, the name through the name entry, and the options file
// written on leaving and read back by a second start.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "graphics/blits/fill.h"
#include "graphics/surfaces/surface.h"
#include "graphics/surfaces/surface_lock.h"
#include "graphics/text/font_setup.h"
#include "platform/message_box.h"
#include "project/global_data.h"
#include "project/user_option.h"
#include "screen_walk.h"
#include "shell/dialogs/dialog_box.h"
#include "shell/dialogs/name_entry_dialog.h"
#include "platform/ui_events.h"
#include "screens/menu/menu_cursor.h"
#include "screens/options/option_scene.h"
#include "screens/title/title_scene.h"
#include "shell/game/game.h"
#include "sound/waves/sound_requests.h"

namespace {

cTitleScene* Title() { return dynamic_cast<cTitleScene*>(g_Game.Scene(GS_TITLE)); }
cOptionScene* Options() { return dynamic_cast<cOptionScene*>(g_Game.Scene(GS_OPTION)); }

void OpenOptions(cScreenWalk& walk) {
  ASSERT_TRUE(walk.StepUntil([] { return Title() && Title()->Phase() == cTitleScene::kMenu; }));
  for (int i = 0; i < 5; ++i) walk.Tap(kKeyDown);
  walk.Tap(kKeyZ);
  ASSERT_TRUE(walk.StepUntil([] { return Options() && Options()->Phase() == cOptionScene::kOptions; }));
  walk.Step();
}

// The dots of a text drawn by the options' font (font 1) on a cleared
// surface, with or without the letter sheet.
std::vector<std::uint8_t> DrawnByFontOne(const char* text, int plain) {
  DDSURFACEDATA surface;
  EXPECT_TRUE(DDCreateSurface(&surface, 64, 16, 0, 0, DTMEMORYTYPE_VIDEO_RT, 0, 0));
  DDFillSurface(&surface, 16);
  g_Fonts[1].Draw(&surface, 0, 0, text, plain);
  std::vector<std::uint8_t> dots;
  {
    cSurfaceLock lock;
    EXPECT_TRUE(lock.Lock(&surface));
    for (int y = 0; y < 16 && lock.Bits(); ++y) dots.insert(dots.end(), lock.Row8(y), lock.Row8(y) + 64);
  }
  DDReleaseSurface(&surface);
  return dots;
}

// Decides on the item at `row` and steps its value `ups` times up (negative: down).
void EditRow(cScreenWalk& walk, int row, int ups, int finishKey) {
  while (g_MenuCursor.Top().nRow < row) walk.Tap(kKeyDown);
  walk.Tap(kKeyZ);
  for (int i = 0; i < std::abs(ups); ++i) walk.Tap(ups > 0 ? kKeyUp : kKeyDown);
  walk.Tap(finishKey);
}

TEST(OptionsWalk, ValuesWrapApplyAndAreWrittenOnLeaving) {
  sample_game::GenerateOptions options;
  options.startup = {0, 0, 8};  // the colour variants recolour the 8-bit palette
  cScreenWalk walk("options", options);
  ASSERT_TRUE(walk.Start());
  OpenOptions(walk);
  walk.Shot("options");
  ASSERT_EQ(Options()->Items().size(), 6u);
  EXPECT_EQ(g_UserOption->m_nPalette, 0);

  EditRow(walk, 0, -1, kKeyZ);  // 0 wraps to 23
  EXPECT_EQ(g_UserOption->m_nPalette, 23);
  EditRow(walk, 0, 2, kKeyX);  // given back
  EXPECT_EQ(g_UserOption->m_nPalette, 23);

  EditRow(walk, 2, 4, kKeyZ);  // volume 7 -> 10, then wraps to 0
  EXPECT_EQ(g_UserOption->m_nSoundVolume, 0);
  for (const DSSOUNDDATA& sound : g_Sounds)
    for (int copy = 0; copy < static_cast<int>(sound.buffers.size()); ++copy)
      EXPECT_EQ(DS_GetVolume(sound, copy), -10000) << sound.name;

  EditRow(walk, 3, 1, kKeyZ);
  EXPECT_EQ(g_UserOption->m_nRankingMode, 1);

  // The name: the name entry opens on the present one and its answer is kept.
  std::string shownName;
  SetDialogObserver([&shownName](DialogBox& box) {
    shownName = box.ItemText(IDC_NAME_EDIT);
    box.HandleEvent(platform::TextEvent("Kai"));
    box.Click(IDC_DIALOG_OK);
  });
  walk.TakeSounds();
  walk.Tap(kKeyDown);
  walk.Tap(kKeyZ);
  SetDialogObserver(nullptr);
  EXPECT_EQ(shownName, "aaa");
  EXPECT_EQ(g_UserOption->m_strName, "Kai");
  EXPECT_EQ(Options()->SubPhase(), 1);  // back on the items
  EXPECT_EQ(walk.TakeSounds(), (std::vector<int>{0, 1}));
  walk.Step();
  walk.Shot("edited");
  // The sample game leaves the letter pictures off (m_nFontOpt 0): the
  // name's lowercase letters are the font's own, not the letter sheet's.
  EXPECT_EQ(DrawnByFontOne("Kai", 0), DrawnByFontOne("Kai", 1));
  EXPECT_NE(DrawnByFontOne("Kai", 1), DrawnByFontOne("", 1));

  while (g_MenuCursor.Top().nRow < 5) walk.Tap(kKeyDown);
  walk.Tap(kKeyZ);
  ASSERT_TRUE(walk.StepUntil([] { return g_Game.m_nState == GS_TITLE && Title(); }));
  EXPECT_EQ(g_Game.m_nPrevState, GS_OPTION);
  EXPECT_TRUE(walk.Harness().Close());

  // A second start reads what the first wrote.
  cRunHarness second(walk.Folder());
  ASSERT_TRUE(second.Start());
  EXPECT_EQ(g_UserOption->m_nPalette, 23);
  EXPECT_EQ(g_UserOption->m_nSoundVolume, 0);
  EXPECT_EQ(g_UserOption->m_nRankingMode, 1);
  EXPECT_EQ(g_UserOption->m_strName, "Kai");
  EXPECT_TRUE(second.Close());
}

TEST(OptionsWalk, CancelLeavesForTheTitle) {
  cScreenWalk walk("options_cancel");
  ASSERT_TRUE(walk.Start());
  OpenOptions(walk);
  walk.Tap(kKeyX);
  ASSERT_TRUE(walk.StepUntil([] { return g_Game.m_nState == GS_TITLE; }));
  EXPECT_TRUE(walk.Harness().Close());
}

}  // namespace

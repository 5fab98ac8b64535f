// The title screen on the sample game: the start-up ends on the title with
// its picture and menu; the menu moves and decides; new game and continue
// go through the save-slot list.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "definitions/save_data/save_data.h"
#include "foundation/message_box.h"
#include "platform/input_devices.h"
#include "platform/mouse.h"
#include "platform/presenter.h"
#include "platform/ui_events.h"
#include "screen_walk.h"
#include "screens/menu/menu_cursor.h"
#include "screens/title/title_scene.h"
#include "shell/dialogs/dialog_box.h"
#include "shell/game/game.h"
#include "shell/main_window.h"

namespace {

cTitleScene* Title() { return dynamic_cast<cTitleScene*>(g_Game.Scene(GS_TITLE)); }

bool InTitleMenu() { return Title() && Title()->Phase() == cTitleScene::kMenu; }

TEST(TitleWalk, StartUpEndsOnTheTitleMenuAndNewGameLeavesForTheMap) {
  cScreenWalk walk("title");
  ASSERT_TRUE(walk.Start());
  ASSERT_TRUE(walk.StepUntil(InTitleMenu));
  walk.Step();
  walk.Shot("menu");
  EXPECT_EQ(Title()->Commands().size(), 7u);
  EXPECT_EQ(g_MenuCursor.Top().nRow, 0);
  walk.Tap(kKeyDown);
  EXPECT_EQ(g_MenuCursor.Top().nRow, 1);
  walk.Tap(kKeyUp);
  walk.Tap(kKeyZ);
  ASSERT_EQ(Title()->Phase(), cTitleScene::kNewGame);
  walk.Step();
  walk.Shot("new_game_slots");
  walk.Tap(kKeyZ);
  EXPECT_EQ(Title()->Phase(), cTitleScene::kLeave);
  EXPECT_EQ(g_SaveData.m_nSlot, 0);
  EXPECT_EQ(g_SaveData.m_bAutoSave, 1);
  ASSERT_TRUE(walk.StepUntil([] { return g_Game.m_nState == GS_WORLDMAP; }));
  EXPECT_EQ(g_Game.m_nPrevState, GS_TITLE);
  EXPECT_TRUE(walk.Harness().Close());
}

// A project that asks for the picture menu without the optional command
// picture gets the text menu; with it, the picture menu.
TEST(TitleWalk, PictureMenuFallsBackToTextWithoutTheCommandPicture) {
  for (bool withPicture : {true, false}) {
    SCOPED_TRACE(withPicture);
    cScreenWalk walk(withPicture ? "title_picture" : "title_text");
    if (!withPicture) std::filesystem::remove(walk.Folder() / "bmp" / "GameMode.bmp");
    ASSERT_TRUE(walk.Start());
    ASSERT_TRUE(walk.StepUntil(InTitleMenu));
    EXPECT_EQ(Title()->MenuBox().PictureMode(), withPicture);
    walk.Step();
    walk.Shot("menu");
    EXPECT_TRUE(walk.Harness().Close());
  }
}

// A slot file that exists but does not load is neither overwritten by a
// new game nor continued: both refuse it with sound 3 and stay on the list.
TEST(TitleWalk, ADamagedSlotIsRefusedByNewGameAndContinue) {
  cScreenWalk walk("title_damaged_slot");
  const auto slotFile = walk.Folder() / "user_data" / "story" / "Story01.dat";
  std::filesystem::create_directories(slotFile.parent_path());
  const std::string damaged = "not a save file";
  std::ofstream(slotFile, std::ios::binary) << damaged;
  ASSERT_TRUE(walk.Start());
  ASSERT_TRUE(walk.StepUntil(InTitleMenu));
  walk.TakeSounds();
  walk.Tap(kKeyZ);  // new game
  walk.Step();
  walk.Tap(kKeyZ);
  EXPECT_EQ(Title()->Phase(), cTitleScene::kNewGame);
  walk.Tap(kKeyX);
  EXPECT_EQ(Title()->Phase(), cTitleScene::kMenu);
  walk.Tap(kKeyDown);  // continue
  walk.Tap(kKeyZ);
  walk.Step();
  walk.Tap(kKeyZ);
  EXPECT_EQ(Title()->Phase(), cTitleScene::kContinue);
  walk.Tap(kKeyX);
  EXPECT_EQ(walk.TakeSounds(), (std::vector<int>{1, 3, 2, 0, 1, 3, 2}));
  std::ifstream in(slotFile, std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), damaged);
  EXPECT_TRUE(walk.Harness().Close());
}

// A free-play file that is chosen but does not load is a failed choice: the
// title stays on its menu (it never leaves for the stage) until the close
// that the failure asks for ends the player.
TEST(TitleWalk, AFreePlayFileThatDoesNotLoadKeepsTheTitleOnItsMenu) {
  cScreenWalk walk("title_free_broken");
  std::ofstream(walk.Folder() / "data" / "stg4" / "Broken.stg4_000", std::ios::binary) << "not a stage";
  ASSERT_TRUE(walk.Start());
  ASSERT_TRUE(walk.StepUntil(InTitleMenu));
  for (int i = 0; i < 3; ++i) walk.Tap(kKeyDown);
  platform::QueueHeadlessUiEvents(
      {platform::KeyDownEvent('A', true), platform::TextEvent("Broken.stg4_000"), platform::KeyDownEvent(platform::kVkReturn)});
  platform::SetKeyHeld(kKeyZ, true);  // free play
  walk.Step();
  platform::SetKeyHeld(kKeyZ, false);
  EXPECT_EQ(Title()->Phase(), cTitleScene::kMenu);
  EXPECT_NE(g_Game.m_nNextState, GS_STAGE);
  std::vector<int> states;
  const int stepped = walk.Harness().StepFrames(30, [&states](int) { states.push_back(g_Game.m_nState); });
  EXPECT_LT(stepped, 30);  // closed
  for (int state : states) EXPECT_EQ(state, GS_TITLE);
}

// The title of a Direct3D full-screen game two frames after `disturb` ran
// at its menu (it also ran as the title began, as the window's first
// activation comes), or 0 when no frame was shown after it; and the report
// log's lines that tell of an error.
struct TitleAfter {
  std::uint64_t frame = 0;
  std::string errors;
};
TitleAfter Direct3DFullScreenTitleAfter(const std::string& name, const std::function<void()>& disturb) {
  sample_game::GenerateOptions options;
  options.startup = {1, 0, 32};
  cScreenWalk walk(name, options);
  TitleAfter after;
  if (!walk.Start()) return after;
  disturb();
  if (!walk.StepUntil(InTitleMenu)) return after;
  walk.Step(5);
  disturb();
  const std::uint64_t shown = platform::GetPresenter().FrameSerial();
  walk.Step(2);
  // A frame not shown leaves the last one in place, which may be the same.
  if (platform::GetPresenter().FrameSerial() > shown) after.frame = walk.FrameSum();
  std::ifstream report(walk.Folder() / "Report_Game.txt");
  for (std::string line; std::getline(report, line);)
    if (line.find("Err") != std::string::npos) after.errors += line + "\n";
  EXPECT_TRUE(walk.Harness().Close());
  return after;
}

// A full-screen device that loses nothing when the player switches away and
// back keeps every picture: the title shows as if the focus had never left.
// A real loss re-creates the surfaces, pictures and all, and the title shows
// the same again.
TEST(TitleWalk, ADirect3DFullScreenTitleShowsTheSameAfterAFocusChangeAndAfterADeviceLoss) {
  const TitleAfter undisturbed = Direct3DFullScreenTitleAfter("d3d_full_still", [] {});
  ASSERT_NE(undisturbed.frame, 0u);
  EXPECT_EQ(undisturbed.errors, "");
  const TitleAfter refocused = Direct3DFullScreenTitleAfter("d3d_full_refocused", [] {
    OnMainWindowActivate(false);
    OnMainWindowActivate(true);
  });
  EXPECT_EQ(refocused.frame, undisturbed.frame);
  EXPECT_EQ(refocused.errors, "");
  const TitleAfter reset = Direct3DFullScreenTitleAfter("d3d_full_reset", [] {
    platform::GetPresenter().SimulateDeviceLost();
    platform::GetPresenter().SimulateDeviceResettable();
  });
  EXPECT_EQ(reset.frame, undisturbed.frame);
  EXPECT_EQ(reset.errors, "");
}

// Over a full-screen game the pointer is hidden; a dialog over it shows the
// pointer for its clicks (also after a box over the dialog closed) and hides
// it again as it closes. A window keeps its pointer.
TEST(TitleWalk, AFullScreenGameHidesThePointerButForItsDialogsAndAWindowKeepsIt) {
  sample_game::GenerateOptions options;
  options.startup = {0, 0, 32};
  {
    cScreenWalk walk("pointer_full_screen", options);
    ASSERT_TRUE(walk.Start());
    ASSERT_TRUE(walk.StepUntil(InTitleMenu));
    EXPECT_FALSE(platform::PointerShown());
    bool shownInDialog = false, shownAfterBox = false;
    SetDialogObserver([&](DialogBox& box) {
      shownInDialog = platform::PointerShown();
      MesBox("box", "over the dialog", MB_OK);
      shownAfterBox = platform::PointerShown();
      box.End(0);
    });
    for (int i = 0; i < 3; ++i) walk.Tap(kKeyDown);
    walk.Tap(kKeyZ);  // free play asks for the stage file
    SetDialogObserver(nullptr);
    EXPECT_TRUE(shownInDialog);
    EXPECT_TRUE(shownAfterBox);
    EXPECT_FALSE(platform::PointerShown());
    EXPECT_TRUE(walk.Harness().Close());
  }
  options.startup = {1, 1, 32};
  cScreenWalk walk("pointer_window", options);
  ASSERT_TRUE(walk.Start());
  EXPECT_TRUE(platform::PointerShown());
  EXPECT_TRUE(walk.Harness().Close());
}

}  // namespace

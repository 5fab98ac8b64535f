// Saves on a file system without Unix modes (a FAT or exFAT stick, a FUSE
// mount), where a mode change fails. The suite's own run checks them as they
// go anywhere; test_without_mode_changes runs them again with every mode
// change refused, once with each error such file systems give. Each save
// replaces an older file of another mode, so that the save asks for that
// mode to be kept.

#include <gtest/gtest.h>

#include <filesystem>

#include "definitions/palette/chara_definition.h"
#include "definitions/save_data/save_slots.h"
#include "input/replay_file.h"
#include "project/data_paths.h"
#include "project/global_data.h"
#include "shell/window/window_pos.h"
#include "tests/project/project_test_support.h"
#include "tests/support/file_modes.h"

namespace {

namespace fs = std::filesystem;

class SavesWithoutModeChanges : public GameFolderTest {
 protected:
  void SetUp() override {
    GameFolderTest::SetUp();
    slotsBefore_ = g_SaveSlots;
    placeBefore_ = g_WindowPos;
    StartProjectData();
    g_WorldMap->SetDefaults();
    g_SaveSlots.assign(kSaveSlotCount, cSaveSlot());
    for (const char* folder : {"user_data/rpl4", "user_data/story"})
      fs::create_directories(Folder() / folder);
    ASSERT_TRUE(ModeChangesFailAsTheLauncherSays(Folder()));
  }
  void TearDown() override {
    g_SaveSlots = slotsBefore_;
    g_WindowPos = placeBefore_;
    StopProjectData();
    GameFolderTest::TearDown();
  }

  cVector<cSaveSlot> slotsBefore_;
  cWindowPos placeBefore_;
};

TEST_F(SavesWithoutModeChanges, AReplayIsSavedOverAnOlderOneAndReadBack) {
  ASSERT_TRUE(WriteOldSave(Folder() / "user_data/rpl4/run.rpl4_878", 0600));
  cEdStage stage;
  stage.m_vChara.resize(1);
  stage.m_vChara[0].m_nOperator = kOperatorPlayer;
  stage.m_vChara[0].m_nGraphicNo = 1;
  stage.TimeLimit = 77;
  stage.Normalize();
  cReplay replay;
  replay.m_nSeed = 4242;
  cSaveData snapshot;
  snapshot.m_nLife = 7;
  ASSERT_EQ(WriteReplayFile(replay, "user_data\\rpl4\\run.rpl4_878", stage, stage, snapshot), 1);

  cReplay read;
  cEdStage readStage, readCopy;
  cSaveData readSave;
  ASSERT_EQ(ReadReplayFile(read, "user_data\\rpl4\\run.rpl4_878", readStage, readCopy, readSave), 1);
  EXPECT_EQ(read.m_nSeed, 4242);
  EXPECT_EQ(readStage.TimeLimit, 77);
  EXPECT_EQ(readSave.m_nLife, 7);
}

TEST_F(SavesWithoutModeChanges, AStorySlotIsSavedOverAnOlderOneAndReadBack) {
  ASSERT_TRUE(WriteOldSave(Folder() / "user_data/story/Story01.dat", 0600));
  cSaveData data;
  data.m_nScore = 1234;
  ASSERT_EQ(SaveToSlot(data, 0), 1);
  cSaveData loaded;
  ASSERT_EQ(LoadFromSlot(loaded, 0), 1);
  EXPECT_EQ(loaded.m_nScore, 1234);
}

TEST_F(SavesWithoutModeChanges, TheWindowsPlaceIsSavedOverAnOlderOneAndReadBack) {
  ASSERT_TRUE(WriteOldSave(Folder() / "user_data/Window.dat", 0600));
  g_WindowPos.Set(40, 30, 1280, 960, 0);
  ASSERT_EQ(SaveFile(g_WindowPos, g_Paths[PATH_WINDOW]), 1);
  g_WindowPos.Set(0, 0, 0, 0, 1);
  ASSERT_EQ(LoadWindowPos(), 1);
  EXPECT_EQ(g_WindowPos.m_nX, 40);
  EXPECT_EQ(g_WindowPos.m_nWidth, 1280);
  EXPECT_EQ(g_WindowPos.m_bZoomed, 0);
}

}  // namespace

// Start-up on a prepared game folder: each step that exists runs on the
// real files, each failure that a folder can provoke stops with its message,
// and the shutdown after every stop leaves nothing behind.

#include "shell/game_init.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include "graphics/device/device.h"
#include "graphics/effects/blend.h"
#include "graphics/text/font_setup.h"
#include "platform/headless_window.h"
#include "platform/message_box.h"
#include "project/global_data.h"
#include "shell/app_state.h"
#include "shell/game/game.h"
#include "shell/harness/run_harness.h"
#include "shell/init/graphics_start.h"
#include "shell/init/system_ini.h"
#include "tests/shell/prepared_game.h"

namespace {

namespace fs = std::filesystem;

class GameInitTest : public testing::Test {
 protected:
  void SetUp() override {
    platform::TakeHeadlessBoxes();
    platform::ResetHeadlessWindow();
  }
  void TearDown() override {
    SimulateDirect3DStartFailure(false);
    platform::ResetHeadlessWindow();
  }

  void Prepare(const std::string& systemIni = PreparedGameOptions{}.systemIni,
               std::function<void(cSystem&)> editSystem = {}) {
    WritePreparedGame(folder_.Path(), {systemIni, std::move(editSystem)});
  }
  bool Start(std::string_view commandLine = {}) {
    harness_ = std::make_unique<cRunHarness>(folder_.Path());
    return harness_->Start(commandLine);
  }
  // The texts of the boxes shown since the last call.
  std::vector<std::string> Boxes() {
    std::vector<std::string> texts;
    for (const auto& box : platform::TakeHeadlessBoxes()) texts.push_back(box.text);
    return texts;
  }
  std::string Report() const {
    std::ifstream in(folder_.Path() / "Report_Game.txt");
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }
  // A stopped start-up has released everything again.
  void ExpectNothingLeft() {
    EXPECT_EQ(lpDTCon, nullptr);
    EXPECT_EQ(lpDDCon, nullptr);
    EXPECT_FALSE(g_System.IsStarted());
    EXPECT_EQ(g_Game.Scene(GS_TITLE), nullptr);
  }

  ScratchGameFolder folder_{"game_init"};
  std::unique_ptr<cRunHarness> harness_;
};

TEST_F(GameInitTest, Direct3DWindowStartsAndWritesTheGraphicsReport) {
  Prepare();
  ASSERT_TRUE(Start());
  EXPECT_NE(lpDTCon, nullptr);
  EXPECT_EQ(g_bWindowed, 1);
  EXPECT_EQ(g_SystemIni.Bpp, 32);  // the desktop's depth
  EXPECT_EQ(g_SystemIni.VSync, 1);  // "automatic" syncs with Direct3D
  EXPECT_EQ(g_Game.m_nFps, 60);
  EXPECT_EQ(g_Game.m_nFadeSpeed, 10);
  EXPECT_TRUE(fs::is_directory(folder_.Path() / "user_data/rpl4"));
  EXPECT_TRUE(fs::is_directory(folder_.Path() / "bmp/hbt"));
  const std::string report = Report();
  EXPECT_NE(report.find("Mode : Window\nBpp : 32\n"), std::string::npos);
  EXPECT_NE(report.find("TextureMaxSize : (8192,8192)"), std::string::npos);
  EXPECT_TRUE(Boxes().empty());
  ASSERT_TRUE(harness_->Close());
  ExpectNothingLeft();
  EXPECT_NE(Report().find("Font10 : "), std::string::npos);
}

// Only font 1 follows the project's letter-sheet and bracket choices; the
// other two never lay letter pictures over lowercase letters.
TEST_F(GameInitTest, FontOneTakesTheProjectsLetterSheetAndBracketChoices) {
  for (int option : {0, 1}) {
    SCOPED_TRACE(option);
    Prepare(PreparedGameOptions{}.systemIni, [option](cSystem& system) {
      system.m_nFontOpt = option;
      system.m_nFontOpt2 = option;
    });
    ASSERT_TRUE(Start());
    EXPECT_EQ(g_Fonts[0].m_bUseLetterSheet, 0);
    EXPECT_EQ(g_Fonts[1].m_bUseLetterSheet, option);
    EXPECT_EQ(g_Fonts[2].m_bUseLetterSheet, 0);
    EXPECT_EQ(g_Fonts[0].m_bNoBracketShift, 0);
    EXPECT_EQ(g_Fonts[1].m_bNoBracketShift, option);
    EXPECT_EQ(g_Fonts[2].m_bNoBracketShift, 0);
    ASSERT_TRUE(harness_->Close());
  }
}

TEST_F(GameInitTest, FailingDirect3DStartFallsBackToDirectDraw) {
  Prepare();
  SimulateDirect3DStartFailure(true);
  ASSERT_TRUE(Start());
  EXPECT_EQ(lpDTCon, nullptr);
  EXPECT_NE(lpDDCon, nullptr);
  EXPECT_EQ(g_SystemIni.Direct3D, 0);
  EXPECT_NE(Report().find("Mode : Window\nBpp : 32\nRR : 60\n"), std::string::npos);
  EXPECT_TRUE(harness_->Close());
}

TEST_F(GameInitTest, MissingSystemRecordStopsWithItsMessage) {
  Prepare();
  fs::remove(folder_.Path() / "data/System.dat");
  EXPECT_FALSE(Start());
  EXPECT_EQ(Boxes(), std::vector<std::string>{"data\\System.dat の読み込みに失敗…"});
  ExpectNothingLeft();
}

TEST_F(GameInitTest, DamagedDatabaseStopsWithTheDatabaseMessage) {
  Prepare();
  std::ofstream(folder_.Path() / "data/database/Anime.dat", std::ios::binary | std::ios::trunc)
      .write("\x6e\x03\x00\x00\x05\x00\x00\x00", 8);
  EXPECT_FALSE(Start());
  const auto boxes = Boxes();
  ASSERT_FALSE(boxes.empty());
  EXPECT_EQ(boxes.back(), "データベースの読み込みに失敗…");
  ExpectNothingLeft();
}

TEST_F(GameInitTest, MissingProjectWithoutDefaultFolderStops) {
  fs::create_directories(folder_.Path() / "bmp");
  EXPECT_FALSE(Start());
  const auto boxes = Boxes();
  ASSERT_FALSE(boxes.empty());
  EXPECT_EQ(boxes.back(), "「data」フォルダの作成に失敗…\n「default」フォルダに問題がある可能性があります。");
  ExpectNothingLeft();
}

TEST_F(GameInitTest, WindowWhoseDepthDiffersFromTheDesktopIsRefused) {
  Prepare("Direct3D=1\nWindowMode=1\nBpp=16\nExit\n");
  EXPECT_FALSE(Start());
  EXPECT_EQ(Boxes(), std::vector<std::string>{"画面モードが不正です！\nウインドウモードではSystem."
                                              "iniの設定と画面の色の設定を合わせて下さい！"});
  ExpectNothingLeft();
}

TEST_F(GameInitTest, EightBitsInAWindowAreRefused) {
  Prepare("Direct3D=0\nWindowMode=1\nBpp=8\nExit\n");
  EXPECT_FALSE(Start());
  EXPECT_EQ(Boxes(), std::vector<std::string>{"画面モードが不正です！\nSystem.iniと画面の設定を見直して下さい！"});
}

TEST_F(GameInitTest, MissingSystemIniShowsItsMessageAndRunsOnTheDefaults) {
  // The project's defaults: the remembered drawing mode, full screen, and the 8-bit depth of a palette project,
  // which needs its blend table.
  Prepare("");
  // The remembered choice: DirectDraw, without asking again.
  fs::create_directories(folder_.Path() / "user_data");
  std::ofstream(folder_.Path() / "user_data/Boot.dat", std::ios::binary)
      .write("\x6e\x03\0\0\x02\0\0\0\0\0\0\0\x01\0\0\0\0\0\0\0", 20);
  EXPECT_FALSE(Start());
  auto boxes = Boxes();
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0], "System.ini の読み込みに失敗しました！");
  EXPECT_EQ(boxes[1], "bmp\\hbt\\hbt00.dat の読み込みに失敗！");
  ExpectNothingLeft();

  std::ofstream(folder_.Path() / "bmp/hbt/hbt00.dat", std::ios::binary) << std::string(kBlendTableSize, '\x01');
  ASSERT_TRUE(Start());
  EXPECT_EQ(g_bWindowed, 0);
  EXPECT_EQ(g_DDState.nBpp, 8);
  EXPECT_EQ(g_SystemIni.VSync, 0);
  EXPECT_EQ(g_SystemIni.Midi_DirectMusic, 0);  // no MIDI device in full screen
  EXPECT_EQ(g_BlendTable[0], 1);
  EXPECT_TRUE(harness_->Close());
}

TEST_F(GameInitTest, MissingPaletteOrWorldMapStops) {
  Prepare();
  fs::remove(folder_.Path() / "bmp/plt/Palette.bmp");
  EXPECT_FALSE(Start());
  ExpectNothingLeft();
  Prepare();
  fs::remove(folder_.Path() / "data/WorldMap.dat");
  EXPECT_FALSE(Start());
  EXPECT_EQ(Boxes().back(), "data\\WorldMap.dat のロードに失敗！");
  ExpectNothingLeft();
  Prepare();
  fs::remove(folder_.Path() / "data/CommonPalette.cplt4");
  EXPECT_FALSE(Start());
  EXPECT_EQ(Boxes().back(), "data\\CommonPalette.cplt4 のロードに失敗！");
  ExpectNothingLeft();
}

// Any command line names the stage, a one-byte one too.
TEST_F(GameInitTest, MissingFreeStageIsLoggedAndTheGameStartsAtTheTitle) {
  for (const char* path : {"data\\stg4\\nothing.stg4", "n"}) {
    SCOPED_TRACE(path);
    Prepare();
    ASSERT_TRUE(Start(path));
    EXPECT_NE(Report().find(std::string("「") + path + "」の読み込みに失敗しました！"), std::string::npos);
    EXPECT_EQ(g_SystemIni.FreeStage, "");
    EXPECT_EQ(g_Game.m_nState, GS_TITLE);
    EXPECT_EQ(g_bDirectStage, 0);
    EXPECT_TRUE(harness_->Close());
  }
}

// A command line too long for the setting counts as none: System.ini's
// stage stands and is tried.
TEST_F(GameInitTest, TooLongCommandLineCountsAsNoStage) {
  Prepare("Direct3D=1\nWindowMode=1\nFreeStage=data\\stg4\\x.stg4\nExit\n");
  ASSERT_TRUE(Start(std::string(kMaxFreeStagePath + 1, 'a')));
  EXPECT_EQ(Report().find("aaaa"), std::string::npos);
  EXPECT_NE(Report().find("「data\\stg4\\x.stg4」の読み込みに失敗しました！"), std::string::npos);
  EXPECT_TRUE(harness_->Close());
}

}  // namespace

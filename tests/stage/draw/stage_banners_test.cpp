// The stage's banners: each from its own cell of the word sheet to its
// place on the screen (the start banner with the stage number beside it,
// the clear banner blended while it fades in), and the scene showing them
// on the frames where they belong: the intro's banners one after the other,
// the replay's instead of them, none in a test play of one stage, and the
// game-over banner by the stage's switch.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "definitions/save_data/save_data.h"
#include "foundation/run_mode.h"
#include "graphics/effects/blend.h"
#include "shell/app_state.h"
#include "shell/game/game.h"
#include "stage/draw/panel/stage_banners.h"
#include "tests/stage/draw/sheet_screen.h"
#include "tests/stage/stage_fixture.h"

namespace {

constexpr std::uint32_t kBack = 1;
constexpr std::uint32_t kStart = 3, kSecond = 4, kReplay = 5, kEnd = 6, kGameOver = 7;
constexpr std::uint32_t kDigit0 = 20;  // digit d is colour 20 + d

class StageBanners : public SheetScreen {
 protected:
  StageBanners() : SheetScreen(51, 320, 160) {}
  void SetUp() override {
    SheetScreen::SetUp();
    DDFillRect(sheet, 0, 0, 128, 32, kStart);
    DDFillRect(sheet, 160, 0, 80, 32, kSecond);
    DDFillRect(sheet, 0, 32, 128, 32, kReplay);
    DDFillRect(sheet, 0, 64, 128, 32, kEnd);
    DDFillRect(sheet, 0, 96, 144, 32, kGameOver);
    for (int d = 0; d < 10; ++d) DDFillRect(sheet, 32 * d, 128, 32, 32, kDigit0 + static_cast<std::uint32_t>(d));
  }
  void ClearScreen() { DDFillRect(&BackBuffer, 0, 0, 640, 480, kBack); }
  // The colour of a banner's 32-dot high box on the screen: its corners
  // share it and the dots just outside them do not; kBack otherwise.
  std::uint32_t Box(int x, int y, int width) {
    const int right = x + width - 1, bottom = y + 31;
    const std::uint32_t colour = Back(x, y);
    const bool inside = Back(right, y) == colour && Back(x, bottom) == colour && Back(right, bottom) == colour;
    const bool outside = Back(x - 1, y) != colour && Back(x, y - 1) != colour && Back(right + 1, bottom) != colour &&
                         Back(right, bottom + 1) != colour;
    return inside && outside ? colour : kBack;
  }
};

TEST_F(StageBanners, EachBannerComesFromItsCellToItsPlace) {
  DrawIntroBanner(IntroBanner::Start, 12, &BackBuffer, sheet);
  EXPECT_EQ(Box(256, 224, 128), kStart);
  EXPECT_EQ(Back(384, 224), kDigit0 + 1);  // the stage number, left-aligned beside it
  EXPECT_EQ(Back(416, 255), kDigit0 + 2);
  EXPECT_EQ(Back(448, 224), kBack);

  ClearScreen();
  DrawIntroBanner(IntroBanner::Second, 12, &BackBuffer, sheet);
  EXPECT_EQ(Box(280, 224, 80), kSecond);
  ClearScreen();
  DrawIntroBanner(IntroBanner::Replay, 12, &BackBuffer, sheet);
  EXPECT_EQ(Box(256, 224, 128), kReplay);
  EXPECT_EQ(Back(384, 224), kBack);
  ClearScreen();
  DrawGameOverBanner(&BackBuffer, sheet);
  EXPECT_EQ(Box(248, 224, 144), kGameOver);
  ClearScreen();
  DrawIntroBanner(IntroBanner::None, 12, &BackBuffer, sheet);
  EXPECT_EQ(Back(256, 224), kBack);
  EXPECT_EQ(Back(300, 240), kBack);
}

TEST_F(StageBanners, TheClearBannerIsBlendedUntilItsCounterReaches100) {
  std::vector<BYTE> table(g_BlendTable, g_BlendTable + kBlendTableSize);
  std::fill(g_BlendTable, g_BlendTable + kBlendTableSize, BYTE{77});
  DrawEndBanner(40, &BackBuffer, sheet);
  EXPECT_EQ(Box(256, 192, 128), 77u);
  ClearScreen();
  DrawEndBanner(100, &BackBuffer, sheet);
  EXPECT_EQ(Box(256, 192, 128), kEnd);
  std::copy(table.begin(), table.end(), g_BlendTable);
}

// The scene's phases draw the banners over their frames.
class SceneBanners : public StageBanners {
 protected:
  void SetUp() override {
    StageBanners::SetUp();
    m_stageNumber = g_SaveData.m_nSeriesStage;
  }
  void TearDown() override {
    g_Game.m_nTitleCmd = 0;
    g_bFromEditor = g_bDirectStage = 0;
    g_SaveData.m_nSeriesStage = m_stageNumber;
    StageBanners::TearDown();
  }
  static StageBuilder IntroStage() {
    StageBuilder builder(20, 5, 2, 2);
    builder.stage.IntroSwitch1 = builder.stage.IntroSwitch2 = 1;
    return builder;
  }
  void Step(StageRun& run) {
    ClearScreen();
    run.harness.Step(0, 0);
  }

 private:
  std::int32_t m_stageNumber = 0;
};

TEST_F(SceneBanners, TheIntroShowsTheStartBannerThenTheSecondOne) {
  StageRun run(IntroStage(), 7, kPhaseIntro);
  g_SaveData.m_nSeriesStage = 3;
  Step(run);
  EXPECT_EQ(Box(256, 224, 128), kStart);
  EXPECT_EQ(Back(384, 224), kDigit0 + 3);
  for (int frame = 1; frame < 80; ++frame) run.harness.Step(0, 0);
  Step(run);
  EXPECT_NE(Back(256, 224), kStart);
  EXPECT_EQ(Box(280, 224, 80), kSecond);
  for (int frame = 1; frame < 80; ++frame) run.harness.Step(0, 0);
  Step(run);  // the frame that starts play
  EXPECT_EQ(run.harness.Scene().Phase(), kPhasePlay);
  EXPECT_NE(Back(280, 224), kSecond);
}

TEST_F(SceneBanners, AReplayShowsItsOwnBannerAndATestPlayOfOneStageNone) {
  StageRun replay(IntroStage(), 7, kPhaseIntro);
  g_Game.m_nTitleCmd = kTitleCmdReplay;
  g_SaveData.m_nSeriesStage = 3;
  Step(replay);
  EXPECT_EQ(Box(256, 224, 128), kReplay);
  EXPECT_NE(Back(384, 224), kDigit0 + 3);

  g_Game.m_nTitleCmd = 0;
  g_bFromEditor = g_bDirectStage = 1;
  StageRun test(IntroStage(), 7, kPhaseIntro);
  Step(test);
  EXPECT_EQ(test.harness.Scene().Phase(), kPhasePlay);
  EXPECT_NE(Back(256, 224), kStart);
}

TEST_F(SceneBanners, TheGameOverWaitShowsItsBannerByTheStageSwitch) {
  StageBuilder builder(20, 5, 2, 2);
  builder.stage.EndWaitSwitch = 1;
  StageRun run(builder, 7, kPhaseEndWait);
  Step(run);
  EXPECT_EQ(run.harness.Scene().Phase(), kPhaseEndWait);
  EXPECT_EQ(Box(248, 224, 144), kGameOver);
  builder.stage.EndWaitSwitch = 0;
  StageRun off(builder, 7, kPhaseEndWait);
  Step(off);
  EXPECT_NE(Back(248, 224), kGameOver);
}

}  // namespace

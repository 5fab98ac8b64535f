// The player started on the generated sample game through the run harness,
// in each drawing mode: start-up runs on the real files without a failure in
// the report log, the title screen is reached and shows the game's art, and
// the close path ends it cleanly.
// Also the first start of a fresh install, which creates data\ from default\.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "graphics/device/device.h"
#include "platform/message_box.h"
#include "graphics/effects/blend.h"
#include "graphics/images/palette.h"
#include "shell/game/blend_palette.h"
#include "shell/game/game.h"
#include "shell/harness/run_harness.h"
#include "screens/register_screens.h"
#include "screens/title/title_scene.h"
#include "tools/sample_game/sample_game.h"
#include "tools/sample_game/sample_palette.h"
#include "tests/tools/report_lines.h"

namespace {

using sample_game_test::FailureLines;
using sample_game_test::ReportOf;

namespace fs = std::filesystem;

struct RunMode {
  const char* name;
  sample_game::StartupSettings startup;
};

fs::path FreshFolder(const std::string& name) {
  const fs::path folder = fs::temp_directory_path() / ("sample_run_" + name + "_" + std::to_string(::getpid()));
  fs::remove_all(folder);
  return folder;
}

// Counts the distinct colours of a frame: a frame of the game's own art has
// many; a blank one has one.
std::size_t DistinctColours(const std::vector<std::uint32_t>& pixels) {
  std::vector<std::uint32_t> sorted = pixels;
  std::sort(sorted.begin(), sorted.end());
  return static_cast<std::size_t>(std::unique(sorted.begin(), sorted.end()) - sorted.begin());
}

class SampleGameRun : public testing::TestWithParam<RunMode> {
 protected:
  void SetUp() override {
    platform::TakeHeadlessBoxes();
    folder_ = FreshFolder(GetParam().name);
    RegisterScreens();
  }
  void TearDown() override {
    EXPECT_TRUE(platform::TakeHeadlessBoxes().empty());
    fs::remove_all(folder_);
  }
  fs::path folder_;
};

TEST_P(SampleGameRun, StartsPresentsFramesAndClosesCleanly) {
  sample_game::GenerateOptions options;
  options.startup = GetParam().startup;
  ASSERT_TRUE(sample_game::GenerateSampleGame(folder_, options));
  {
    cRunHarness harness(folder_);
    ASSERT_TRUE(harness.Start()) << ReportOf(folder_);
    EXPECT_EQ(lpDTCon != nullptr, GetParam().startup.direct3D == 1);
    EXPECT_EQ(harness.StepFrames(30), 30);
    // Start-up ends on the title, which has faded in to its menu.
    const auto* title = dynamic_cast<cTitleScene*>(g_Game.Scene(GS_TITLE));
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->Phase(), cTitleScene::kMenu);
    int width = 0, height = 0;
    const auto frame = harness.PresentedFrame(&width, &height);
    ASSERT_EQ(frame.size(), 640u * 480u);
    EXPECT_GT(DistinctColours(frame), 20u);  // the title art came through, in its colours
    const sample_game::Rgb sky = sample_game::SamplePalette()[sample_game::pal::Shade(sample_game::pal::kPurple, 3)];
    EXPECT_EQ(frame[30 * 640 + 5], std::uint32_t(sky.r) << 16 | sky.g << 8 | sky.b);
    // SAMPLE_GAME_SHOTS=folder keeps a picture of the frame for a person to look at.
    if (const char* shots = std::getenv("SAMPLE_GAME_SHOTS"))
      harness.WritePresentedFramePng(fs::path(shots) / (std::string(GetParam().name) + ".png"));
    EXPECT_TRUE(harness.Close());
  }
  const std::string report = ReportOf(folder_);
  EXPECT_EQ(report.rfind("App : ver 878\n", 0), 0u) << report;
  EXPECT_TRUE(FailureLines(report).empty()) << report;
  EXPECT_EQ(lpDTCon, nullptr);
}

INSTANTIATE_TEST_SUITE_P(DrawingModes, SampleGameRun,
                         testing::Values(RunMode{"Direct3DWindow32", {1, 1, 32}},
                                         RunMode{"DirectDrawWindow32", {0, 1, 32}},
                                         RunMode{"DirectDrawFullScreen8", {0, 0, 8}}),
                         [](const auto& info) { return std::string(info.param.name); });

// In 8-bit full screen the options' colour variants recolour the palette and
// load a blend table; each table mixes the colours of its own variant.
TEST(SampleGameColourVariants, EachVariantsBlendTableMatchesItsPalette) {
  const fs::path folder = FreshFolder("variants");
  sample_game::GenerateOptions options;
  options.startup = {0, 0, 8};
  ASSERT_TRUE(sample_game::GenerateSampleGame(folder, options));
  {
    cRunHarness harness(folder);
    ASSERT_TRUE(harness.Start()) << ReportOf(folder);
    for (int variant : {0, 5, 11, 12, 23}) {
      SCOPED_TRACE(variant);
      ASSERT_EQ(LoadBlendPalette(variant), 1);
      const sample_game::Palette expected = sample_game::PaletteVariant(variant);
      for (int i = 0; i < 256; ++i) {
        ASSERT_EQ(g_PalEntries[i].peRed, expected[i].r) << i;
        ASSERT_EQ(g_PalEntries[i].peGreen, expected[i].g) << i;
        ASSERT_EQ(g_PalEntries[i].peBlue, expected[i].b) << i;
      }
      const std::vector<std::uint8_t> table = sample_game::BlendTable(expected);
      ASSERT_TRUE(std::equal(table.begin(), table.end(), g_BlendTable));
    }
    EXPECT_TRUE(harness.Close());
  }
  fs::remove_all(folder);
}

// A fresh install holds only default\: the player asks, and on Yes copies it
// to data\ and starts on the copy.
TEST(SampleGameFirstRun, CreatesDataFromDefaultWhenTheUserAgrees) {
  const fs::path folder = FreshFolder("first_run");
  sample_game::GenerateOptions options;
  options.withDataFolder = false;
  ASSERT_TRUE(sample_game::GenerateSampleGame(folder, options));
  ASSERT_FALSE(fs::exists(folder / "data"));
  platform::TakeHeadlessBoxes();
  platform::SetHeadlessBoxAnswer(platform::kAnswerYes);
  {
    cRunHarness harness(folder);
    ASSERT_TRUE(harness.Start()) << ReportOf(folder);
    EXPECT_EQ(harness.StepFrames(5), 5);
    EXPECT_TRUE(harness.Close());
  }
  const auto boxes = platform::TakeHeadlessBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_NE(boxes[0].text.find("デフォルトデータを作成しますか"), std::string::npos);
  EXPECT_TRUE(fs::exists(folder / "data" / "database" / "Bgm.dat"));
  EXPECT_TRUE(fs::exists(folder / "data" / "stg4" / "Stage1.stg4_000"));
  EXPECT_TRUE(FailureLines(ReportOf(folder)).empty()) << ReportOf(folder);
  fs::remove_all(folder);
}

}  // namespace

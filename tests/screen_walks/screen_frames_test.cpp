// Every game screen in each drawing mode, in a window and full screen: one
// walk through the title menu, the slot list, the world map with its confirm
// menu, the map menu with its slot list, the challenge list with and without
// the ranking window and the options with an item being edited, each frame
// taken as a checksum. Each step must show a picture of its own (a screen
// that drew nothing new repeats the previous checksum), the same walk must
// give the same frames again, and nothing may be written to the report log
// from the title on (a screen failing in every frame would fill it).
// SCREEN_WALK_SHOTS=folder keeps the frames as PNGs.
#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "screen_walk.h"
#include "screens/challenge/challenge_scene.h"
#include "screens/mapmenu/map_menu_scene.h"
#include "screens/options/option_scene.h"
#include "screens/title/title_scene.h"
#include "screens/worldmap/world_map_scene.h"
#include "shell/game/game.h"
#include "tests/tools/report_lines.h"

namespace {

template <typename Scene>
Scene* SceneOf(int state) {
  return dynamic_cast<Scene*>(g_Game.Scene(state));
}

using Frames = std::vector<std::pair<std::string, std::uint64_t>>;

// The walk; an empty list when a screen was not reached. `report` gets the
// lines written from the title's menu until the close.
Frames WalkEveryScreen(const DrawingMode& mode, const std::string& run, std::string& report) {
  sample_game::GenerateOptions options;
  options.startup = mode.startup;
  cScreenWalk walk(std::string("frames_") + mode.name + run, options);
  Frames frames;
  auto take = [&](const std::string& label) {
    walk.Step();
    walk.Shot(label);
    frames.emplace_back(label, walk.FrameSum());
  };
  auto reach = [&](auto done) { return walk.StepUntil(done); };
  auto titleMenu = [] {
    auto* title = SceneOf<cTitleScene>(GS_TITLE);
    return title && title->Phase() == cTitleScene::kMenu;
  };
  auto walking = [] {
    auto* map = SceneOf<cWorldMapScene>(GS_WORLDMAP);
    return map && map->Phase() == cWorldMapScene::kWalk;
  };
  if (!walk.Start() || !reach(titleMenu)) return {};
  const std::uintmax_t titleReport = sample_game_test::ReportLength(walk.Folder());
  take("title_menu");
  walk.Tap(kKeyZ);
  take("title_slots");
  walk.Tap(kKeyZ);
  if (!reach(walking)) return {};
  take("map_walk");
  for (int i = 0; i < 3; ++i) walk.Tap(kKeyRight);
  take("map_confirm");
  walk.Tap(kKeyX);
  walk.Tap(kKeyX);
  if (!reach([] {
        auto* menu = SceneOf<cMapMenuScene>(GS_MAPMENU);
        return menu && menu->Phase() == cMapMenuScene::kMenu;
      }))
    return {};
  take("map_menu");
  walk.Tap(kKeyZ);
  take("map_menu_slots");
  walk.Tap(kKeyX);
  for (int i = 0; i < 3; ++i) walk.Tap(kKeyDown);
  walk.Tap(kKeyZ);
  walk.Tap(kKeyUp);
  walk.Tap(kKeyZ);
  if (!reach(titleMenu)) return {};
  walk.Tap(kKeyDown);
  walk.Tap(kKeyDown);
  walk.Tap(kKeyZ);  // challenge
  if (!reach([] {
        auto* list = SceneOf<cChallengeScene>(GS_CHALLENGE);
        return list && list->Phase() == cChallengeScene::kSelect;
      }))
    return {};
  take("challenge_list");
  walk.Tap(kKeyC);
  take("challenge_ranking");
  walk.Tap(kKeyX);
  if (!reach(titleMenu)) return {};
  for (int i = 0; i < 3; ++i) walk.Tap(kKeyDown);  // the title keeps its last command
  walk.Tap(kKeyZ);
  if (!reach([] {
        auto* options = SceneOf<cOptionScene>(GS_OPTION);
        return options && options->Phase() == cOptionScene::kOptions;
      }))
    return {};
  take("options");
  walk.Tap(kKeyDown);
  walk.Tap(kKeyDown);
  walk.Tap(kKeyZ);
  walk.Tap(kKeyUp);
  take("options_edit");
  walk.Tap(kKeyX);
  walk.Tap(kKeyX);
  if (!reach(titleMenu)) return {};
  report = sample_game_test::WithoutSoundFontLine(sample_game_test::ReportFrom(walk.Folder(), titleReport));
  if (!walk.Harness().Close()) return {};
  return frames;
}

TEST(ScreenFrames, EveryScreenDrawsItsOwnStableFrameAndReportsNothingInEachDrawingMode) {
  for (const sample_game::NamedStartup& mode : sample_game::kEveryDrawingMode) {
    SCOPED_TRACE(mode.name);
    std::string report;
    const Frames frames = WalkEveryScreen(mode, "", report);
    ASSERT_EQ(frames.size(), 10u);
    EXPECT_EQ(report, "");
    std::set<std::uint64_t> distinct;
    for (const auto& [label, sum] : frames)
      EXPECT_TRUE(distinct.insert(sum).second) << label << " repeats a frame";
    const Frames again = WalkEveryScreen(mode, "_again", report);
    EXPECT_EQ(again, frames);
    EXPECT_EQ(report, "");
  }
}

}  // namespace

#include "tests/desktop/headless_frames.h"

#include <functional>
#include <initializer_list>
#include <string>
#include <utility>

#include "platform/message_box.h"
#include "platform/text_encoding.h"
#include "platform/ui_events.h"
#include "shell/dialogs/dialog_box.h"
#include "shell/dialogs/message_box_dialog.h"
#include "tests/tools/play/sample_walk.h"

namespace desktop_test {
namespace {

// Enough frames for a screen's fade to end.
constexpr int kSettleFrames = 120;
// Menus longer than this are not looked for round.
constexpr int kMostMenuCommands = 16;
// The forest's picture stands still from this row down, but for the
// banners of the stage's intro.
constexpr int kForestStillTop = 160;

GameFrame Presented(const sample_game_test::SampleWalk& walk) {
  GameFrame frame;
  frame.pixels = walk.Harness().PresentedFrame(&frame.width, &frame.height);
  return frame;
}

sample_game::GenerateOptions WithStartup(const sample_game::StartupSettings& startup) {
  sample_game::GenerateOptions options;
  options.startup = startup;
  return options;
}

// The title with its menu, the first command chosen, and the screen that
// the keys tapped on it in turn lead to.
std::pair<GameFrame, GameFrame> TitleAndTheScreenAfter(const char* name,
                                                       const sample_game::StartupSettings& startup,
                                                       std::initializer_list<int> keys) {
  sample_game_test::SampleWalk walk(name, WithStartup(startup));
  std::pair<GameFrame, GameFrame> frames;
  if (!walk.StartAtTitle()) return frames;
  walk.Step(kSettleFrames);
  frames.first = Presented(walk);
  for (int key : keys) walk.Tap(key);
  walk.Step(kSettleFrames);
  frames.second = Presented(walk);
  walk.Close();
  return frames;
}

}  // namespace

TitleFrames HeadlessTitleFrames(const sample_game::StartupSettings& startup) {
  using namespace sample_game_test;
  auto [title, slots] = TitleAndTheScreenAfter("desktop_title", startup, {kVkDown, kVkZ});
  return {std::move(title), std::move(slots)};
}

std::vector<GameFrame> HeadlessTitleMenu(const sample_game::StartupSettings& startup) {
  sample_game_test::SampleWalk walk("desktop_title_menu", WithStartup(startup));
  std::vector<GameFrame> menu;
  if (!walk.StartAtTitle()) return menu;
  walk.Step(kSettleFrames);
  menu.push_back(Presented(walk));
  for (int command = 1; command < kMostMenuCommands; ++command) {
    walk.Tap(sample_game_test::kVkDown);
    walk.Step(kSettleFrames);
    GameFrame next = Presented(walk);
    if (next.pixels == menu.front().pixels) break;
    menu.push_back(std::move(next));
  }
  walk.Close();
  return menu;
}

OptionsFrames HeadlessOptionsFrames(const sample_game::StartupSettings& startup) {
  using namespace sample_game_test;
  auto [title, options] = TitleAndTheScreenAfter("desktop_options", startup, {kVkUp, kVkUp, kVkZ});
  return {std::move(title), std::move(options)};
}

GameFrame HeadlessForestFrame(const sample_game::StartupSettings& startup) {
  sample_game_test::SampleWalk walk("desktop_forest", WithStartup(startup));
  GameFrame frame;
  if (!walk.StartOnStage(kForestStage)) return frame;
  walk.Step(kSettleFrames);
  frame = Presented(walk);
  frame.part = {0, kForestStillTop, frame.width, frame.height - kForestStillTop};
  walk.Close();
  return frame;
}

void DamageTheForestStage(const std::filesystem::path& game) {
  const std::filesystem::path file = game / "data" / "stg4" / "Stage2.stg4_000";
  std::filesystem::resize_file(file, std::filesystem::file_size(file) - 4);
}

void DamageTheTitlePicture(const std::filesystem::path& game) {
  const std::filesystem::path file = game / "bmp" / "Title.bmp";
  std::filesystem::resize_file(file, std::filesystem::file_size(file) / 2);
}

namespace {

// The frame with the first box that the walk's start shows, drawn in the
// game's picture as the player draws its boxes while its window is up (and
// answered with Enter once seen), the box's part held to the screen.
GameFrame FirstBox(sample_game_test::SampleWalk& walk, const std::function<bool()>& start) {
  GameFrame frame;
  platform::SetMessageBoxOverride([](const std::string& text, const std::string& caption, unsigned type) {
    platform::QueueHeadlessUiEvents({platform::KeyDownEvent(platform::kVkReturn)});
    const int answer =
        DialogMessageBox(platform::Cp932FromUtf8(text), platform::Cp932FromUtf8(caption), type);
    platform::ClearHeadlessUiScript();
    return answer;
  });
  SetDialogObserver([&](DialogBox& box) {
    if (!frame.pixels.empty()) return;
    box.Redraw();
    frame = Presented(walk);
    const DialogRect drawn = box.WindowRect();
    frame.part = {drawn.x, drawn.y, drawn.w, drawn.h};
  });
  if (start()) walk.Step(kSettleFrames);
  SetDialogObserver(nullptr);
  platform::SetMessageBoxOverride(nullptr);
  return frame;
}

}  // namespace

GameFrame HeadlessDamagedStageBox(const sample_game::StartupSettings& startup) {
  sample_game_test::SampleWalk walk("desktop_box", WithStartup(startup));
  DamageTheForestStage(walk.Folder());
  return FirstBox(walk, [&] { return walk.StartOnStage(kForestStage); });
}

GameFrame HeadlessDamagedTitleBox(const sample_game::StartupSettings& startup) {
  sample_game_test::SampleWalk walk("desktop_title_box", WithStartup(startup));
  DamageTheTitlePicture(walk.Folder());
  return FirstBox(walk, [&] { return walk.StartAtTitle(); });
}

}  // namespace desktop_test

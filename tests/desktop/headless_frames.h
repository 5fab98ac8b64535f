#pragma once
// The frames the player shows on the sample game when it runs headless (the
// run harness), to hold the real program's screen to.

#include <filesystem>
#include <vector>

#include "tests/desktop/screen_picture.h"
#include "tools/sample_game/project_files.h"

namespace desktop_test {

struct TitleFrames {
  // The title with its menu, the first command chosen.
  GameFrame title;
  // The save-slot list that Down and Z on the title lead to.
  GameFrame slots;
};

TitleFrames HeadlessTitleFrames(const sample_game::StartupSettings& startup);

// The title with each command of its menu chosen, from the first on: Down
// goes from one to the next and round, Up back.
std::vector<GameFrame> HeadlessTitleMenu(const sample_game::StartupSettings& startup);

struct OptionsFrames {
  // The title with its menu, the first command chosen.
  GameFrame title;
  // The options screen, which Up twice (round the title's menu to its
  // options command) and Z lead to from there.
  GameFrame options;
};

OptionsFrames HeadlessOptionsFrames(const sample_game::StartupSettings& startup);

// The forest's stage file, as the command line names it.
inline constexpr const char* kForestStage = "data\\stg4\\Stage2.stg4_000";
// The forest as the player shows it once it plays, started on the command
// line: the ground with the hero standing on it, below the timer and the
// bats, which move.
GameFrame HeadlessForestFrame(const sample_game::StartupSettings& startup);
// Cuts the last 4 bytes off the forest's stage file in the game folder, as
// a copy broken off does.
void DamageTheForestStage(const std::filesystem::path& game);
// The damaged forest started on the command line: the frame with its first
// box drawn in the game's picture, the box's part held to the screen.
GameFrame HeadlessDamagedStageBox(const sample_game::StartupSettings& startup);

// Cuts the title's picture in half, as a copy broken off does: the title
// screen, once the game runs, says so in a box.
void DamageTheTitlePicture(const std::filesystem::path& game);
// The title's box about its damaged picture, drawn in the game's picture.
GameFrame HeadlessDamagedTitleBox(const sample_game::StartupSettings& startup);

}  // namespace desktop_test

#pragma once
// The project files of the sample game, built from the player's record
// classes: the system record, the world map and the ten database lists.
// Each builder returns the record (tests inspect it) and the writers turn
// the records into files.

#include <cstdint>
#include <string>
#include <vector>

#include "project/database.h"
#include "project/system_record.h"
#include "project/world_map.h"

namespace sample_game {

// The game's title (UTF-8; stored as CP932).
inline constexpr const char* kGameTitle = "メドウ・ラン ～Meadow Run～";

// Music of the database, by definition number.
enum SampleBgm : int { kBgmNone = 0, kBgmTitle = 1, kBgmMap = 2, kBgmStage = 3, kBgmBoss = 4 };

// The story stages in play order, the castle last, as stage names (the
// player finds the highest numbered file "<name>_NNN").
inline constexpr int kStoryStageCount = 6;
inline constexpr const char* kStoryStages[kStoryStageCount] = {
    "data\\stg4\\Stage1.stg4", "data\\stg4\\Stage2.stg4", "data\\stg4\\Stage3.stg4",
    "data\\stg4\\Stage4.stg4", "data\\stg4\\Stage5.stg4", "data\\stg4\\Stage6.stg4"};
// The challenge stages in the order the challenge list opens them.
inline constexpr int kChallengeStageCount = 2;
inline constexpr const char* kChallengeStages[kChallengeStageCount] = {"data\\stg4\\c01-1.stg4",
                                                                       "data\\stg4\\c02-1.stg4"};

// Screen music numbers name entries of BuildDatabase's music list.
cSystem BuildSystemRecord();
cWorldMap BuildWorldMap();
cDatabase BuildDatabase();

struct StoredFile {
  std::string path;
  std::vector<std::uint8_t> bytes;
};
// data\System.dat, data\WorldMap.dat and data\database\*.dat, under
// `folder` ("data" or "default"); the definitions and stages are
// stages/stage_files.h's.
std::vector<StoredFile> ProjectFiles(const std::string& folder);

// The start-up settings file: drawing back end, window or full screen, colour depth.
struct StartupSettings {
  int direct3D = 1;
  int windowMode = 1;
  int bpp = 32;
};
std::string SystemIniText(const StartupSettings& settings);

// Every drawing mode a game can run in, named: Direct3D and DirectDraw at 32
// bits in a window and full screen, and DirectDraw at 8 bits full screen (a
// window shows the desktop's depth).
struct NamedStartup {
  const char* name;
  StartupSettings startup;
};
inline constexpr NamedStartup kEveryDrawingMode[] = {{"Direct3DWindow32", {1, 1, 32}},
                                                     {"Direct3DFullScreen32", {1, 0, 32}},
                                                     {"DirectDrawWindow32", {0, 1, 32}},
                                                     {"DirectDrawFullScreen32", {0, 0, 32}},
                                                     {"DirectDrawFullScreen8", {0, 0, 8}}};

}  // namespace sample_game

#include "shell/init/project_load.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

#include "foundation/game_files.h"
#include "foundation/log.h"
#include "foundation/record_stream.h"
#include "foundation/text_format.h"
#include "platform/main_thread.h"
#include "platform/text_encoding.h"
#include "project/data_paths.h"
#include "project/default_data.h"
#include "project/frame_tables.h"
#include "project/global_data.h"
#include "shell/game/timers.h"
#include "shell/subsystems/subsystem_steps.h"

namespace {

bool InTheFolder(std::string_view storedPath) {
  std::error_code error;
  return std::filesystem::exists(ResolveGamePath(storedPath), error);
}

// A player started outside any game (from a desktop's launcher that names no
// folder to start in: the home folder) meets the default folder's box, which
// names another cause: first it says where it was started, and what to do.
void SayWhenTheFolderHoldsNoGame() {
  if (InTheFolder("System.ini") || InTheFolder(g_Paths[PATH_DATA]) || InTheFolder(g_Paths[PATH_DEFAULT])) return;
  std::error_code error;
  const std::string line = "No game here: the player was started in \"" +
                           std::filesystem::current_path(error).string() +
                           "\", which holds no System.ini, data or default folder: start it in the game's "
                           "folder, or give that folder as GAME_DIR to play.sh";
  std::fprintf(stderr, "%s\n", line.c_str());
  Report("%s", platform::Cp932FromUtf8(line).c_str());
}

}  // namespace

void BuildDatabaseTables() {
  BuildEffectWorkCopies(*g_Database);
  BuildAnimeFrames(g_AnimeFrameTable, *g_Database);
  BuildEffectFrames(g_EffectFrameTable, *g_Database);
}

bool LoadProjectData() {
  if (!CreateDefaultData()) {
    // A termination that ended the question left nothing tried that failed.
    if (platform::TerminationRaised()) return false;
    SayWhenTheFolderHoldsNoGame();
    ReportAndBox("%s", Cp932Literal("「data」フォルダの作成に失敗…\n「default」フォルダに問題がある可能性があります。"));
    return false;
  }
  CreateStartupFolders();
  GetElapsedTime(1);
  if (!LoadDatabases(*g_Database)) {
    ReportAndBox("%s", Cp932Literal("データベースの読み込みに失敗…"));
    return false;
  }
  BuildDatabaseTables();
  InitEffectSlotsStep();
  const std::string systemPath(g_Paths[PATH_SYSTEM]);
  if (!LoadFile(*g_System, systemPath)) {
    ReportAndBox(Cp932Literal("%s の読み込みに失敗…"), systemPath.c_str());
    return false;
  }
  return true;
}

bool LoadWorldMapAndPalette() {
  const std::string worldMapPath(g_Paths[PATH_WORLD_MAP]);
  if (!LoadFile(*g_WorldMap, worldMapPath)) {
    ReportAndBox(Cp932Literal("%s のロードに失敗！"), worldMapPath.c_str());
    return false;
  }
  return LoadCommonPaletteStep();
}

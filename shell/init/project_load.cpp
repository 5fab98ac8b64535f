#include "shell/init/project_load.h"

#include <string>

#include "foundation/log.h"
#include "foundation/record_stream.h"
#include "foundation/text_format.h"
#include "platform/main_thread.h"
#include "project/data_paths.h"
#include "project/default_data.h"
#include "project/frame_tables.h"
#include "project/global_data.h"
#include "shell/game/timers.h"
#include "shell/subsystems/subsystem_steps.h"

void BuildDatabaseTables() {
  BuildEffectWorkCopies(*g_Database);
  BuildAnimeFrames(g_AnimeFrameTable, *g_Database);
  BuildEffectFrames(g_EffectFrameTable, *g_Database);
}

bool LoadProjectData() {
  if (!CreateDefaultData()) {
    // A termination that ended the question left nothing tried that failed.
    if (platform::TerminationRaised()) return false;
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

#include "tools/sample_game/stages/installed_records.h"

#include "project/global_data.h"

namespace sample_game {

InstalledProject::InstalledProject(const cDatabase& database, cEdPalette& commonPalette)
    : common_(kPaletteCommon, commonPalette.Lists()) {
  if (g_Database.IsStarted()) {
    previous_ = *g_Database;
  } else {
    g_Database.Start();
    startedHere_ = true;
  }
  *g_Database = database;
}

InstalledProject::~InstalledProject() {
  if (startedHere_)
    g_Database.Stop();
  else if (previous_)
    *g_Database = *previous_;
}

}  // namespace sample_game

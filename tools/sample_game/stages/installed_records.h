#pragma once
// Saving definitions validates them against the project they belong to:
// database numbers against g_Database, palette references against the
// common palette. While one of these objects lives, the sample game's own
// database and common palette stand in those places (whatever the process
// held there comes back afterwards).

#include <optional>

#include "definitions/palette/palette.h"
#include "project/database.h"

namespace sample_game {

class InstalledProject {
 public:
  InstalledProject(const cDatabase& database, cEdPalette& commonPalette);
  ~InstalledProject();
  InstalledProject(const InstalledProject&) = delete;
  InstalledProject& operator=(const InstalledProject&) = delete;

 private:
  bool startedHere_ = false;
  std::optional<cDatabase> previous_;
  PaletteScope common_;
};

}  // namespace sample_game

#pragma once
// The sample game: an original, complete game folder written by code, which
// the README's run command plays and the integration tests start on. It
// holds System.ini, the project under data\ (and the same project as
// default\, from which the player can create data\), every bitmap the
// screens load, the palette's blend tables, synthesised sounds, and music as
// MIDI and Ogg Vorbis. The same options always write the same bytes.

#include <filesystem>
#include <string>
#include <vector>

#include "tools/sample_game/project_files.h"

namespace sample_game {

struct GenerateOptions {
  StartupSettings startup;
  // Without it only default\ holds the project, as after a fresh install.
  bool withDataFolder = true;
};

// Every file of the game, as stored paths and bytes, in writing order.
std::vector<StoredFile> SampleGameFiles(const GenerateOptions& options = {});

// Writes the game into `root` (created when missing); false, with the file
// that failed in `failedPath`, when a file cannot be written.
bool GenerateSampleGame(const std::filesystem::path& root, const GenerateOptions& options = {},
                        std::string* failedPath = nullptr);

}  // namespace sample_game

#pragma once
// The definition files of the sample game: the common palette and the stage
// files "data\stg4\<name>.stg4_000" of the three story stages and the two
// challenge stages.

#include <string>
#include <vector>

#include "tools/sample_game/project_files.h"

namespace sample_game {

// Under `folder` ("data" or "default").
std::vector<StoredFile> DefinitionFiles(const std::string& folder);

}  // namespace sample_game

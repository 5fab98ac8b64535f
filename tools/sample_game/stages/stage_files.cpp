#include "tools/sample_game/stages/stage_files.h"

#include <cstdio>

#include "tools/sample_game/record_bytes.h"
#include "tools/sample_game/stages/common_palette_builder.h"
#include "tools/sample_game/stages/installed_records.h"
#include "tools/sample_game/stages/stage_builder.h"

namespace sample_game {
namespace {

// "data\stg4\Stage1.stg4" as "<folder>\stg4\Stage1.stg4_000".
std::string NumberedFile(const std::string& folder, const std::string& stageName) {
  return folder + stageName.substr(stageName.find('\\')) + "_000";
}

}  // namespace

std::vector<StoredFile> DefinitionFiles(const std::string& folder) {
  std::vector<StoredFile> files;
  cEdPalette palette = BuildCommonPalette();
  const InstalledProject project(BuildDatabase(), palette);
  files.push_back({folder + "\\CommonPalette.cplt4", RecordFileBytes(palette)});
  const auto& story = StoryStageLayouts();
  for (std::size_t i = 0; i < story.size(); ++i) {
    cEdStage stage = BuildStage(story[i], palette);
    files.push_back({NumberedFile(folder, kStoryStages[i]), RecordFileBytes(stage)});
  }
  const auto& challenges = ChallengeStageLayouts();
  for (std::size_t i = 0; i < challenges.size(); ++i) {
    cEdStage stage = BuildStage(challenges[i], palette);
    char name[32];
    std::snprintf(name, sizeof name, "\\stg4\\c%02d-1.stg4_000", static_cast<int>(i + 1));
    files.push_back({folder + name, RecordFileBytes(stage)});
  }
  return files;
}

}  // namespace sample_game
